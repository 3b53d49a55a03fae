#include "ConvertedClipboard.h"

#include "FormatConverter.h"

#include <cstring>

namespace kx {

ConvertStatus ConvertedClipboard::load(ClipboardSource& clip, const WaveHeader& document)
{
    m_samples.reset();
    m_position = 0;
    FormatConverter converter(PcmFormat::of(clip.header()), PcmFormat::of(document));
    if (!converter.isReady())
        return ConvertStatus::CannotConvert;
    const uint64_t size = converter.targetSize(clip.header().dataSize);
    if (size > UINT32_MAX - 36)
        return ConvertStatus::OutOfMemory;
    SampleBuffer source = SampleBuffer::allocate(clip.header().dataSize);
    SampleBuffer target = SampleBuffer::allocate(std::size_t(size));
    if (source.isNull() || target.isNull())
        return ConvertStatus::OutOfMemory;
    if (!clip.read(source.bytes()) || !converter.convert(source.bytes(), target.bytes()))
        return ConvertStatus::CannotConvert;
    m_header = document;
    m_header.setDataSize(uint32_t(size));
    m_samples = std::move(target);
    return ConvertStatus::Converted;
}

bool ConvertedClipboard::read(std::span<uint8_t> bytes)
{
    if (bytes.size() > m_samples.size() - m_position)
        return false;
    if (!bytes.empty())
        std::memcpy(bytes.data(), m_samples.data() + m_position, bytes.size());
    m_position += bytes.size();
    return true;
}

} // namespace kx
