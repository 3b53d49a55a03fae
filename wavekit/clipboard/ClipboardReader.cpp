#include "ClipboardReader.h"

#include <algorithm>

namespace kx {

WavReadStatus ClipboardReader::open(const std::string& path)
{
    using namespace wavchunks;
    m_left = 0;
    RiffChunk riff, fmt, data;
    WavReadStatus status = openRiff(m_file, path, riff);
    if (status == WavReadStatus::Ok)
        status = findFormat(m_file, riff, fmt);
    if (status == WavReadStatus::Ok)
        status = readPcmFormat(m_file, fmt, m_header);
    if (status == WavReadStatus::Ok)
        status = findData(m_file, riff, data);
    if (status != WavReadStatus::Ok) {
        m_file.close();
        return status;
    }
    bool cutShort = false;
    const uint64_t length = keptDataLength(m_file, data, m_header.nBlockAlign, cutShort);
    if (length > UINT32_MAX - 36) {
        m_file.close();
        return WavReadStatus::OutOfMemory;
    }
    m_header.setDataSize(uint32_t(length));
    m_left = length;
    return WavReadStatus::Ok;
}

bool ClipboardReader::read(std::span<uint8_t> bytes)
{
    if (bytes.size() > m_left)
        return false;
    // Small enough that a stop is heard at once, large enough to read at the disk's speed.
    constexpr std::size_t kPiece = 4 << 20;
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (m_stop && m_stop->load(std::memory_order_relaxed))
            return false;
        const int64_t got = m_file.read(bytes.data() + done, std::min(kPiece, bytes.size() - done));
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    m_left -= bytes.size();
    return true;
}

const char* clipboardReadMessage(WavReadStatus status)
{
    switch (status) {
    case WavReadStatus::CannotOpen:
        return "";
    case WavReadStatus::OutOfMemory:
        return "Not enough memory.";
    default:
        return wavReadMessage(status);
    }
}

} // namespace kx
