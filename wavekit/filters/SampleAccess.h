#pragma once

#include "FilterControl.h"
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
    UndoStore::restore(document);
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
    /// Copies the range's bytes [offset, offset + length).
    void take(std::size_t offset, std::size_t length)
    {
        if (m_undoable && length != 0)
            std::memcpy(m_copy.data() + offset, m_source + offset, length);
        m_taken = offset + length;
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
    UndoStore::restore(document);
    return FilterStatus::Cancelled;
}

/// changeInPlace for filters that handle each sample on its own: work(block, firstIndex) gets the
/// samples block by block, firstIndex counting from the start of the range. The undo copy of each
/// block is taken just before it, while the block passes through the cache anyway.
template <class Work>
FilterStatus changeSamples(
    WaveDocument& document, ByteRange range, const char* undoText, const FilterControl& control, Work&& work)
{
    BlockUndo undo(document, range, undoText);
    const FilterControl effective { undo.undoable() ? control.stop : nullptr, control.progress, control.betweenBlocks };
    const bool finished = visitSamples(document, range, [&](auto samples) {
        constexpr std::size_t size = sizeof(typename decltype(samples)::element_type);
        return runInBlocks(samples.size(), effective, [&](std::size_t first, std::size_t count) {
            undo.take(first * size, count * size);
            work(samples.subspan(first, count), first);
        });
    });
    return finishChange(document, undo, finished);
}

} // namespace kx
