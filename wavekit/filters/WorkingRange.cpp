#include "WorkingRange.h"

#include <algorithm>

namespace kx {

namespace {

    ByteRange clipped(const WaveDocument& document, uint32_t start, uint32_t length)
    {
        const uint32_t size = std::min<uint64_t>(document.header.dataSize, document.samples.size());
        const uint32_t first = std::min(start, size);
        return { first, uint32_t(std::min<uint64_t>(length, size - first)) };
    }

} // namespace

ByteRange workingRange(const WaveDocument& document)
{
    if (document.mark.markLength != 0)
        return markRange(document);
    return clipped(document, 0, document.header.dataSize);
}

ByteRange markRange(const WaveDocument& document)
{
    return clipped(document, document.mark.markStart, document.mark.markLength);
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
