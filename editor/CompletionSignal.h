#pragma once

namespace kx {

/// Plays the short "operation finished" sound, without waiting for it.
void playCompletionSignal();

} // namespace kx
