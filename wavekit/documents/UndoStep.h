#pragma once

#include "WaveDocument.h"

#include <functional>

namespace kx {

enum class StepOutcome {
    Done,
    Failed, ///< memory short (or a moved step unreadable): document and step as they were
    Misfit, ///< the step does not describe the data: nothing changed, the step is worthless
};

/// Takes a step back: puts the step's saved state into the document. With `keepInverse` the
/// step becomes the step that takes it forward again (the redo step of an undo and the other
/// way round); without it, the saved bytes are given up. The saved flag is never changed.
/// A change in place is put back piece by piece, `betweenPieces` (if any) called between them.
StepOutcome applyStep(
    WaveDocument& document, UndoRecord& step, bool keepInverse, const std::function<void()>& betweenPieces = {});

} // namespace kx
