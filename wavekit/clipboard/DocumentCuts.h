#pragma once

#include "EditStatus.h"
#include "documents/WaveDocument.h"

#include <cstdint>

namespace kx {

/// Edits of a document that move its own bytes. Shrinking a block cannot fail (a refused shrink
/// keeps the larger block), and growing happens before any byte moves, so no failure leaves a
/// half-moved document.

/// Deletes the marked range; the cursor stays, nothing is marked afterwards. Records "Delete"
/// (bytes deleted). NothingToDo when nothing is marked.
EditStatus eraseMark(WaveDocument& document);

/// Keeps only the marked range; the cursor goes to its end. A history of several levels records
/// the cut-off bytes ("Crop"); a one-level one is cleared. NothingToDo when there is no data or
/// nothing marked.
EditStatus cropToMark(WaveDocument& document);

/// Inserts a copy of the marked range at byte `target` (the preview bar's drag and drop); the
/// cursor goes to the target and nothing stays marked. Records "Paste From Same File" (bytes
/// inserted). Refused for a target strictly inside the mark or past the data; NothingToDo when
/// nothing is marked.
EditStatus copyMarkTo(WaveDocument& document, uint32_t target);

} // namespace kx
