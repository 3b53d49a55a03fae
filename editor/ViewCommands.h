#pragma once

#include "wavekit/wavekit.h"

namespace kx {

class WaveWindow;

/// Runs the commands that move through the active document without changing it: the zoom menu
/// (10001..10010) and the cursor keys Home and End. False when `id` is none of them; with no
/// active window they do nothing.
bool isViewCommand(int id);
bool runViewCommand(int id, HWND frame, WaveWindow* active);

} // namespace kx
