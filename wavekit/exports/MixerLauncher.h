#pragma once

#include "wavekit/wavekit.h"

namespace kx {

/// The setting naming the mixer program to start when pavucontrol is not installed.
inline constexpr const char* kMixerCommandSetting = "Kestrix\\Settings\\MixerCommand";

/// Starts the desktop's volume mixer: pavucontrol where it is installed, else the command in
/// kMixerCommandSetting; tells the user over `owner` when there is neither or it fails to start.
void startMixer(HWND owner);

} // namespace kx
