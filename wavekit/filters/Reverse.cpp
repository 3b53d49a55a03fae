#include "Reverse.h"

#include "SampleAccess.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kx {

namespace {

    /// Swaps frame i with frame count - 1 - i for the first half, block by block.
    template <class Frame> bool reverseFrames(uint8_t* bytes, std::size_t count, const FilterControl& control)
    {
        auto* frames = reinterpret_cast<Frame*>(bytes);
        return runInBlocks(count / 2, control, [&](std::size_t first, std::size_t n) {
            Frame* low = frames + first;
            Frame* high = frames + count - 1 - first;
            for (std::size_t i = 0; i < n; ++i)
                std::swap(low[i], high[-std::ptrdiff_t(i)]);
        });
    }

    /// Any frame size a header may claim, for files whose format the fast paths do not cover.
    bool reverseOddFrames(uint8_t* bytes, std::size_t frameSize, std::size_t count, const FilterControl& control)
    {
        return runInBlocks(count / 2, control, [&](std::size_t first, std::size_t n) {
            for (std::size_t i = first; i < first + n; ++i)
                std::swap_ranges(
                    bytes + i * frameSize, bytes + (i + 1) * frameSize, bytes + (count - 1 - i) * frameSize);
        });
    }

} // namespace

FilterStatus reverse(WaveDocument& document, const FilterControl& control)
{
    const ByteRange range = wholeFrames(document.header, workingRange(document));
    const uint32_t frame = document.header.nChannels <= 1 ? sampleBytes(document.header) : frameBytes(document.header);
    return changeInPlace(document, range, "Reverse", control, [&](const FilterControl& effective) {
        uint8_t* bytes = document.samples.data() + range.start;
        const std::size_t count = range.length / frame;
        switch (frame) {
        case 1:
            return reverseFrames<uint8_t>(bytes, count, effective);
        case 2:
            return reverseFrames<uint16_t>(bytes, count, effective);
        case 4:
            return reverseFrames<uint32_t>(bytes, count, effective);
        default:
            return reverseOddFrames(bytes, frame, count, effective);
        }
    });
}

} // namespace kx
