#include "Reverse.h"

#include "SampleAccess.h"

#include <algorithm>
#include <utility>

namespace kx {

namespace {

    template <class Frame> void swapFrames(uint8_t* low, uint8_t* highEnd, std::size_t n)
    {
        auto* first = reinterpret_cast<Frame*>(low);
        Frame* last = reinterpret_cast<Frame*>(highEnd) - 1;
        for (std::size_t i = 0; i < n; ++i)
            std::swap(first[i], last[-std::ptrdiff_t(i)]);
    }

} // namespace

void swapMirrored(uint8_t* low, uint8_t* highEnd, std::size_t frameSize, std::size_t n)
{
    switch (frameSize) {
    case 1:
        return swapFrames<uint8_t>(low, highEnd, n);
    case 2:
        return swapFrames<uint16_t>(low, highEnd, n);
    case 4:
        return swapFrames<uint32_t>(low, highEnd, n);
    default:
        // Any frame size a header may claim, for files whose format the fast paths do not cover.
        for (std::size_t i = 0; i < n; ++i)
            std::swap_ranges(low + i * frameSize, low + (i + 1) * frameSize, highEnd - (i + 1) * frameSize);
    }
}

std::size_t reversedFrameBytes(const WaveHeader& header)
{
    return header.nChannels <= 1 ? sampleBytes(header) : frameBytes(header);
}

ByteRange reversedFrames(const WaveHeader& header, ByteRange working)
{
    return wholeFrames(header, working);
}

FilterStatus reverse(WaveDocument& document, const FilterControl& control)
{
    const ByteRange range = reversedFrames(document.header, workingRange(document));
    const std::size_t frame = reversedFrameBytes(document.header);
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
        swapMirrored(bytes + first * frame, bytes + (count - first) * frame, frame, n);
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
