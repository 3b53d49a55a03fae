#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// Undo and redo as operation threads: `argument` is the wave window (or the frame, for the active
/// one). The document is busy while the step is taken; the windows repaint afterwards.
int32_t UndoOperation(HWND argument);
int32_t RedoOperation(HWND argument);

} // namespace kx
