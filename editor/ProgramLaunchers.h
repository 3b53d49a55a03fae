#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// Starts Tonedeck, the sound board player, from beside the editor (or its build directory, or
/// the search path); tells the user over `owner` when it cannot.
void startTonedeck(HWND owner);

} // namespace kx
