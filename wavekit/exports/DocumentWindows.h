#pragma once

#include "documents/WaveDocument.h"
#include "wavekit/wavekit.h"

namespace kx {

/// A new wave window of the MDI client `client` around `document`, titled with its file name.
HWND createWaveWindow(HWND client, WaveDocument document, bool scrollBarEnabled);

} // namespace kx
