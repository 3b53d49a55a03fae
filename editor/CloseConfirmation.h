#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// Asks before a wave window with unsaved changes closes, and saves it when the user says so.
/// True when the window may close. Cancelling the question, cancelling the save dialog or a failed
/// save keep the window open, so no answer loses the user's work unasked. A document that is
/// loading or under an operation is saved once that has ended (the user may call the close off
/// meanwhile).
bool confirmClose(HWND frame, HWND wave);

} // namespace kx
