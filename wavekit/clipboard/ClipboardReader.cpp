#include "ClipboardReader.h"

#include <algorithm>

namespace kx {

WavReadStatus ClipboardReader::open(const std::string& path)
{
    m_left = 0;
    m_offset = 0;
    const WavReadStatus status = m_source.open(path);
    if (status != WavReadStatus::Ok)
        return status;
    if (header().dataSize > UINT32_MAX - 36)
        return WavReadStatus::OutOfMemory;
    m_left = header().dataSize;
    return WavReadStatus::Ok;
}

bool ClipboardReader::read(std::span<uint8_t> bytes)
{
    if (bytes.size() > m_left)
        return false;
    // Small enough that a stop is heard at once, large enough to read at the disk's speed.
    constexpr std::size_t kPiece = 4 << 20;
    for (std::size_t done = 0; done < bytes.size();) {
        if (m_stop && m_stop->load(std::memory_order_relaxed))
            return false;
        const std::size_t piece = std::min(kPiece, bytes.size() - done);
        if (!m_source.read(m_offset + done, bytes.subspan(done, piece)))
            return false;
        done += piece;
    }
    m_offset += bytes.size();
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
