#pragma once

#include "wavekit/wavekit.h"

#include <string>

namespace kx {

/// The operation thread routine of OpenCompressedWAV with the path given directly: a setting
/// cannot hold every path a file system allows. `argument` is the wave window to load into, or
/// the frame, which is then asked for its active window.
int32_t openFileInWindow(HWND argument, const std::string& path);

} // namespace kx
