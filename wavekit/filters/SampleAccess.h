#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "StreamingCopy.h"
#include "WorkingRange.h"
#include "documents/UndoStore.h"

#include <cstring>
#include <span>

namespace kx {

/// Calls fn with the samples of `range` (whole samples, inside the data) in their stored form:
/// std::span<uint8_t> for 8-bit data, std::span<int16_t> otherwise.
template <class Fn> decltype(auto) visitSamples(WaveDocument& document, ByteRange range, Fn&& fn)
{
    uint8_t* first = document.samples.data() + range.start;
    if (isEightBit(document.header))
        return fn(std::span<uint8_t>(first, range.length));
    // The block comes from malloc and range.start is even, so the values are aligned.
    return fn(std::span<int16_t>(reinterpret_cast<int16_t*>(first), range.length / 2));
}

/// The common course of a filter that changes bytes in place: record the undo copy of `range`,
/// run change(control) and, when it reports that it stopped, put the copy back. Without an undo
/// copy (memory short) the change cannot be taken back, so it then runs to the end regardless.
template <class Change>
FilterStatus changeInPlace(
    WaveDocument& document, ByteRange range, const char* undoText, const FilterControl& control, Change&& change)
{
    const bool undoable = UndoStore::save(document, range.start, range.length, UndoChanged, undoText);
    const FilterControl effective { undoable ? control.stop : nullptr, control.progress, control.betweenBlocks };
    if (change(effective))
        return FilterStatus::Done;
    UndoStore::revert(document);
    return FilterStatus::Cancelled;
}

/// The undo copy of a range taken block by block, each block just before it changes.
class BlockUndo {
public:
    BlockUndo(WaveDocument& document, ByteRange range, const char* undoText)
        : m_source(document.samples.data() + range.start)
        , m_copy(UndoStore::reserve(document, range.start, range.length, undoText))
        , m_undoable(m_copy.size() == range.length)
    {
    }

    bool undoable() const { return m_undoable; }
    /// Copies the range's bytes [offset, offset + length), the next piece after those taken so far.
    void take(std::size_t offset, std::size_t length)
    {
        copy(offset, length);
        m_taken = offset + length;
    }
    /// Copies a piece out of order; takeRest() does not know about it.
    void copy(std::size_t offset, std::size_t length)
    {
        if (m_undoable && length != 0)
            copyPastCache(m_copy.data() + offset, m_source + offset, length);
    }
    /// Where the copy of [offset, offset + length) goes, for a caller that copies the block while it
    /// reads it anyway; null without a copy. The piece counts as taken.
    uint8_t* takeByCaller(std::size_t offset, std::size_t length)
    {
        m_taken = offset + length;
        return m_undoable && length != 0 ? m_copy.data() + offset : nullptr;
    }
    /// Copies what is not copied yet, so that a stopped run can be undone whole.
    void takeRest() { take(m_taken, m_copy.size() - m_taken); }

private:
    const uint8_t* m_source;
    std::span<uint8_t> m_copy;
    bool m_undoable;
    std::size_t m_taken = 0;
};

/// The end of a run with a BlockUndo: a stopped run puts every byte back.
inline FilterStatus finishChange(WaveDocument& document, BlockUndo& undo, bool finished)
{
    if (finished)
        return FilterStatus::Done;
    undo.takeRest();
    UndoStore::revert(document);
    return FilterStatus::Cancelled;
}

/// The document's course of a BlockChange: blocks of the data itself, the undo copy of each taken on
/// the way, everything put back when stopped.
inline FilterStatus changeByBlocks(
    WaveDocument& document, const BlockChange& change, const char* undoText, const FilterControl& control)
{
    BlockUndo undo(document, change.range, undoText);
    const FilterControl effective { undo.undoable() ? control.stop : nullptr, control.progress, control.betweenBlocks };
    uint8_t* bytes = document.samples.data() + change.range.start;
    const std::size_t grain = change.grain;
    const bool finished
        = runInBlocks(change.range.length / grain, effective, [&](std::size_t first, std::size_t count) {
              const std::size_t offset = first * grain;
              const std::size_t length = count * grain;
              uint8_t* copy = undo.takeByCaller(offset, length);
              if (change.change)
                  change.change({ bytes + offset, length }, offset, copy);
              else
                  copyOriginal(copy, std::span<const uint8_t>(bytes + offset, length));
          });
    return finishChange(document, undo, finished);
}

/// changeInPlace for filters that handle each sample on its own and copy each block for undo
/// themselves: work(block, firstIndex, copy) gets the samples block by block, firstIndex counting
/// from the start of the range, and where the block's original values go (null: no copy).
template <class Work>
FilterStatus changeAndCopySamples(
    WaveDocument& document, ByteRange range, const char* undoText, const FilterControl& control, Work&& work)
{
    BlockUndo undo(document, range, undoText);
    const FilterControl effective { undo.undoable() ? control.stop : nullptr, control.progress, control.betweenBlocks };
    const bool finished = visitSamples(document, range, [&](auto samples) {
        using Sample = typename decltype(samples)::element_type;
        return runInBlocks(samples.size(), effective, [&](std::size_t first, std::size_t count) {
            auto* copy = reinterpret_cast<Sample*>(undo.takeByCaller(first * sizeof(Sample), count * sizeof(Sample)));
            work(samples.subspan(first, count), first, copy);
        });
    });
    return finishChange(document, undo, finished);
}

/// changeAndCopySamples with the copy of each block taken just before it, while the block passes
/// through the cache anyway: work(block, firstIndex).
template <class Work>
FilterStatus changeSamples(
    WaveDocument& document, ByteRange range, const char* undoText, const FilterControl& control, Work&& work)
{
    return changeAndCopySamples(document, range, undoText, control, [&](auto block, std::size_t first, auto* copy) {
        if (copy)
            copyPastCache(
                reinterpret_cast<uint8_t*>(copy), reinterpret_cast<const uint8_t*>(block.data()), block.size_bytes());
        work(block, first);
    });
}

} // namespace kx
