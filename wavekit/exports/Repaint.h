#pragma once

#include "wavekit/wavekit.h"

#include <cstdint>

namespace kx {

/// Asks the frame for one of its bars with `getMessage` (1146, 1153, 1159) and has it repainted.
void repaintBar(HWND frame, uint32_t getMessage);
/// Repaints a wave window, the preview bar and the status bar.
void repaintDocument(HWND frame, HWND wave);
/// After the data changed: the window's scroll range, then everything `repaintDocument` repaints.
void showChangedData(HWND frame, HWND wave);

} // namespace kx
