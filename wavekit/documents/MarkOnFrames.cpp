#include "MarkOnFrames.h"

#include <algorithm>

namespace kx {

namespace {

    /// Moves the mark's ends to the nearest frame of position × `numerator` / `denominator` frames.
    /// A mark stays a mark (at least one frame, where there is one) so that the operations do not
    /// take it for "nothing marked" and work on the whole file.
    MarkRecord scaled(
        const MarkRecord& mark, uint64_t numerator, uint64_t denominator, uint16_t blockAlign, uint32_t dataSize)
    {
        const uint32_t align = std::max<uint16_t>(blockAlign, 1);
        const uint32_t lastEnd = dataSize / align * align;
        auto onFrame = [&](uint64_t position) {
            const unsigned __int128 frame = (position * (unsigned __int128)numerator + denominator / 2) / denominator;
            return uint32_t(std::min<unsigned __int128>(frame * align, lastEnd));
        };
        MarkRecord result = mark;
        result.markStart = onFrame(mark.markStart);
        uint32_t end = onFrame(uint64_t(mark.markStart) + mark.markLength);
        if (mark.markLength != 0 && end == result.markStart && uint64_t(end) + align <= lastEnd)
            end += align;
        result.markLength = end - result.markStart;
        return result;
    }

} // namespace

MarkRecord markAfterConversion(const MarkRecord& mark, const PcmFormat& from, const PcmFormat& to, uint32_t dataSize)
{
    const uint64_t perSecondBefore = uint64_t(from.blockAlign()) * std::max<uint32_t>(from.rate, 1);
    return scaled(mark, std::max<uint32_t>(to.rate, 1), perSecondBefore, to.blockAlign(), dataSize);
}

MarkRecord markOnWholeFrames(const MarkRecord& mark, uint16_t blockAlign, uint32_t dataSize)
{
    return scaled(mark, 1, std::max<uint16_t>(blockAlign, 1), blockAlign, dataSize);
}

} // namespace kx
