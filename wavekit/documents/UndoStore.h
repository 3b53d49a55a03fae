#pragma once

#include "WaveDocument.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace kx {

/// How every document's history behaves; the program sets it from its settings.
struct UndoPolicy {
    /// Steps a document keeps. One is the single level of old: no redo, and the edits that
    /// change the length or format in ways of their own (crop, mix, conversion, ...) clear it.
    uint32_t levels = 1;
    bool enabled = true;
    /// Saved bytes of older steps kept in memory over all documents; beyond it the oldest go to files.
    uint64_t memoryBudget = 0;
    /// Bytes in such files; beyond it a document's oldest steps are given up.
    uint64_t diskBudget = 0;

    /// A quarter of the machine's memory.
    static uint64_t defaultMemoryBudget();
};

/// The document's undo history. The newest step is `document.undo`; callers record before they
/// change anything: the range they are about to overwrite (UndoChanged), the place and length of
/// what they are about to insert (UndoInserted) or the range they are about to delete
/// (UndoDeleted). Recording a step drops the steps that could be redone.
class UndoStore {
public:
    static void setPolicy(const UndoPolicy& policy);
    static UndoPolicy policy();

    /// Records a step (keeping the newest one as an older step). Returns false, leaving nothing to
    /// undo, when the history is off, the copy of the bytes cannot be had or a changed/deleted
    /// range does not lie inside the data; the operation may then go on, it just cannot be undone.
    static bool save(
        WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description);
    /// Records a change in place whose copy the caller fills itself, piece by piece, each piece
    /// before it changes (so a filter copies a block while it is in the cache anyway). Returns the
    /// block to fill; empty, with nothing to undo, when the memory cannot be had.
    static std::span<uint8_t> reserve(
        WaveDocument& document, uint32_t start, uint32_t length, std::string_view description);
    /// Records that [start, start + oldLength) is about to give way to newLength bytes, and that the
    /// format is about to change when `formatChanges`. False, recording nothing, in a one-level
    /// history, when the history is off or the copy cannot be had: see finish().
    static bool saveReplace(WaveDocument& document, uint32_t start, uint32_t oldLength, uint32_t newLength,
        std::string_view description, bool formatChanges = false);
    /// saveReplace for a caller that has moved the old bytes out of the document already.
    static bool saveReplaced(
        WaveDocument& document, SampleBuffer oldBytes, const WaveHeader& formerHeader, std::string_view description);
    /// Records that only [start, start + length) is about to be kept; false as saveReplace.
    static bool saveCrop(WaveDocument& document, uint32_t start, uint32_t length);
    /// The end of an edit that recorded with the calls above: a change that could not be recorded
    /// leaves nothing to undo; a step recorded for a change that did not happen is taken back.
    static void finish(WaveDocument& document, bool recorded, bool changed);

    /// Undoes the newest step; with more than one level it can then be redone. False when there is
    /// nothing to undo, when the step no longer fits the data, or when the memory to re-insert
    /// bytes cannot be had (the step is then kept so the user may try again). Never changes the
    /// document's saved flag. A step that changed bytes in place is put back in pieces, with
    /// `betweenPieces` called between them (an operation thread lets the document's lock go there).
    static bool restore(WaveDocument& document, const std::function<void()>& betweenPieces = {});
    /// Does the last undone step again; false as restore().
    static bool redo(WaveDocument& document, const std::function<void()>& betweenPieces = {});
    /// Puts back what the newest step saved, for an operation that stopped half way: nothing to redo.
    static bool revert(WaveDocument& document);
    /// The newest step's operation failed before it changed anything: the step goes, the older
    /// ones stay.
    static void withdraw(WaveDocument& document);

    static bool isPossible(const WaveDocument& document) { return document.undo.undoKind != UndoNothing; }
    static bool isRedoPossible(const WaveDocument& document) { return !document.history.redo.empty(); }
    /// The texts for the Edit menu; null when there is nothing to undo or redo.
    static const char* description(const WaveDocument& document);
    static const char* redoDescription(const WaveDocument& document);
    /// Nothing to undo or redo any more; the newest step's copy is freed by the next save.
    static void forbid(WaveDocument& document);
};

} // namespace kx
