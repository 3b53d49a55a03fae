#include "WorkingRange.h"

#include <algorithm>

namespace kx {

namespace {

    ByteRange clipped(uint32_t size, uint32_t start, uint32_t length)
    {
        const uint32_t first = std::min(start, size);
        return { first, uint32_t(std::min<uint64_t>(length, size - first)) };
    }

} // namespace

uint32_t presentData(const WaveDocument& document)
{
    return uint32_t(std::min<uint64_t>(document.header.dataSize, document.samples.size()));
}

ByteRange workingRange(const WaveDocument& document)
{
    return workingRange(presentData(document), document.mark);
}

ByteRange workingRange(uint32_t size, const MarkRecord& mark)
{
    return mark.markLength != 0 ? markRange(size, mark) : ByteRange { 0, size };
}

ByteRange markRange(const WaveDocument& document)
{
    return markRange(presentData(document), document.mark);
}

ByteRange markRange(uint32_t size, const MarkRecord& mark)
{
    return clipped(size, mark.markStart, mark.markLength);
}

ByteRange wholeSamples(const WaveHeader& header, ByteRange range)
{
    if (isEightBit(header))
        return range;
    const uint32_t start = range.start / 2 * 2;
    const uint32_t end = range.end() / 2 * 2;
    return { start, end - start };
}

ByteRange wholeFrames(const WaveHeader& header, ByteRange range)
{
    if (header.nChannels <= 1)
        return wholeSamples(header, range);
    const uint32_t frame = frameBytes(header);
    const uint64_t start = (uint64_t(range.start) + frame - 1) / frame * frame;
    const uint64_t end = range.end() / frame * frame;
    return start >= end ? ByteRange { uint32_t(std::min<uint64_t>(start, range.end())), 0 }
                        : ByteRange { uint32_t(start), uint32_t(end - start) };
}

} // namespace kx
