#pragma once

#include "WaveDocument.h"

namespace kx {

enum class StepOutcome {
    Done,
    Failed, ///< memory short (or a moved step unreadable): document and step as they were
    Misfit, ///< the step does not describe the data: nothing changed, the step is worthless
};

/// Takes a step back: puts the step's saved state into the document. With `keepInverse` the
/// step becomes the step that takes it forward again (the redo step of an undo and the other
/// way round); without it, the saved bytes are given up. The saved flag is never changed.
StepOutcome applyStep(WaveDocument& document, UndoRecord& step, bool keepInverse);

} // namespace kx
