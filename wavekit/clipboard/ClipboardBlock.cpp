#include "ClipboardBlock.h"

#include <cstring>

namespace kx {

EditStatus ClipboardBlock::readAll(ClipboardSource& clip)
{
    hold(WaveHeader {}, SampleBuffer {});
    SampleBuffer samples = SampleBuffer::allocate(clip.header().dataSize);
    if (samples.isNull())
        return EditStatus::OutOfMemory;
    if (!clip.read(samples.bytes()))
        return EditStatus::CannotRead;
    hold(clip.header(), std::move(samples));
    return EditStatus::Done;
}

void ClipboardBlock::hold(const WaveHeader& header, SampleBuffer samples)
{
    m_header = header;
    m_header.setDataSize(uint32_t(samples.size()));
    m_samples = std::move(samples);
    m_position = 0;
}

bool ClipboardBlock::read(std::span<uint8_t> bytes)
{
    if (bytes.size() > m_samples.size() - m_position)
        return false;
    if (!bytes.empty())
        std::memcpy(bytes.data(), m_samples.data() + m_position, bytes.size());
    m_position += bytes.size();
    return true;
}

} // namespace kx
