#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// The editor's Cut as an operation thread, argument the wave window: copies the mark to the
/// clipboard, then deletes it (one step for undo, which puts the bytes back). Nothing marked,
/// nothing cut. Announces itself as the copy does.
int32_t cutToClipboard(HWND wave);

} // namespace kx
