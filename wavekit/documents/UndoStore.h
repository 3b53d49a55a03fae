#pragma once

#include "WaveDocument.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kx {

/// The document's one level of undo. Callers record before they change anything: the range they
/// are about to overwrite (UndoChanged), the place and length of what they are about to insert
/// (UndoInserted) or the range they are about to delete (UndoDeleted).
class UndoStore {
public:
    /// Replaces the record (freeing an earlier copy). Returns false, leaving nothing to undo, when
    /// the copy of the bytes cannot be had or a changed/deleted range does not lie inside the data;
    /// the operation may then go on, it just cannot be undone.
    static bool save(
        WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description);
    /// Records a change in place whose copy the caller fills itself, piece by piece, each piece
    /// before it changes (so a filter copies a block while it is in the cache anyway). Returns the
    /// block to fill; empty, with nothing to undo, when the memory cannot be had.
    static std::span<uint8_t> reserve(
        WaveDocument& document, uint32_t start, uint32_t length, std::string_view description);
    /// Undoes the recorded operation. False when there is nothing to undo, when the record no longer
    /// fits the data, or when the memory to re-insert deleted bytes cannot be had (the record is then
    /// kept so the user may try again). Never changes the document's saved flag.
    static bool restore(WaveDocument& document);
    static bool isPossible(const WaveDocument& document) { return document.undo.undoKind != UndoNothing; }
    /// The text for the Edit menu; null when there is nothing to undo.
    static const char* description(const WaveDocument& document);
    /// Nothing to undo any more; the saved copy is freed by the next save.
    static void forbid(WaveDocument& document);
};

} // namespace kx
