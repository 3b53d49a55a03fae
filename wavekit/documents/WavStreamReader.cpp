#include "WavStreamReader.h"

namespace kx {

WavReadStatus WavStreamReader::open(const std::string& path)
{
    using namespace wavchunks;
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
    m_header.setDataSize(uint32_t(keptDataLength(m_file, data, m_header.nBlockAlign, cutShort)));
    m_dataOffset = data.dataOffset;
    uint8_t tag[2] = {};
    readInfoTexts(m_file, riff, m_texts);
    m_plainPcm = fmt.size <= 18 && m_file.readAt(fmt.dataOffset, tag, 2) == 2 && tag[0] == 1 && tag[1] == 0;
    return WavReadStatus::Ok;
}

bool WavStreamReader::read(uint64_t offset, std::span<uint8_t> bytes) const
{
    return m_file.readAt(m_dataOffset + offset, bytes.data(), bytes.size()) == int64_t(bytes.size());
}

} // namespace kx
