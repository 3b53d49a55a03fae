#pragma once

#include "wavekit/wavekit.h"

#include <string>

namespace kx {

/// The operation thread routine of OpenCompressedWAV with the path given directly: a setting
/// cannot hold every path a file system allows.
int32_t openFileInActiveWindow(HWND frame, const std::string& path);

} // namespace kx
