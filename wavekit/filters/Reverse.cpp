#include "Reverse.h"

#include "SampleAccess.h"

#include <algorithm>
#include <utility>

namespace kx {

namespace {

    /// Swaps frame i with frame count - 1 - i for i in [first, first + n).
    template <class Frame> void swapFrames(uint8_t* bytes, std::size_t count, std::size_t first, std::size_t n)
    {
        auto* frames = reinterpret_cast<Frame*>(bytes);
        Frame* low = frames + first;
        Frame* high = frames + count - 1 - first;
        for (std::size_t i = 0; i < n; ++i)
            std::swap(low[i], high[-std::ptrdiff_t(i)]);
    }

    /// Any frame size a header may claim, for files whose format the fast paths do not cover.
    void swapOddFrames(uint8_t* bytes, std::size_t frameSize, std::size_t count, std::size_t first, std::size_t n)
    {
        for (std::size_t i = first; i < first + n; ++i)
            std::swap_ranges(bytes + i * frameSize, bytes + (i + 1) * frameSize, bytes + (count - 1 - i) * frameSize);
    }

    void swapPairs(uint8_t* bytes, std::size_t frameSize, std::size_t count, std::size_t first, std::size_t n)
    {
        switch (frameSize) {
        case 1:
            return swapFrames<uint8_t>(bytes, count, first, n);
        case 2:
            return swapFrames<uint16_t>(bytes, count, first, n);
        case 4:
            return swapFrames<uint32_t>(bytes, count, first, n);
        default:
            return swapOddFrames(bytes, frameSize, count, first, n);
        }
    }

} // namespace

FilterStatus reverse(WaveDocument& document, const FilterControl& control)
{
    const ByteRange range = wholeFrames(document.header, workingRange(document));
    const std::size_t frame
        = document.header.nChannels <= 1 ? sampleBytes(document.header) : frameBytes(document.header);
    const std::size_t count = range.length / frame;
    const std::size_t pairs = count / 2;
    uint8_t* bytes = document.samples.data() + range.start;

    // Each pair of blocks is copied for undo right before it is swapped, so the data passes
    // through the cache once; the middle frame of an odd count never moves.
    BlockUndo undo(document, range, "Reverse");
    undo.copy(pairs * frame, range.length - 2 * pairs * frame);
    const FilterControl effective { undo.undoable() ? control.stop : nullptr, control.progress, control.betweenBlocks };
    std::size_t done = 0;
    const bool finished = runInBlocks(pairs, effective, [&](std::size_t first, std::size_t n) {
        undo.copy(first * frame, n * frame);
        undo.copy((count - first - n) * frame, n * frame);
        swapPairs(bytes, frame, count, first, n);
        done = first + n;
    });
    if (finished)
        return FilterStatus::Done;
    // The frames between the swapped ends are still as they were; with them the copy is whole.
    undo.copy(done * frame, (count - 2 * done) * frame);
    UndoStore::revert(document);
    return FilterStatus::Cancelled;
}

} // namespace kx
