#pragma once

#include "wavekit/wavekit.h"

#include <cstdint>
#include <string>

namespace kx {

/// Loads `length` bytes (0: to the end) of `file`'s sample data from byte `start` on into a new
/// document titled "Part of FILE (N)", N counting the parts loaded since the library was loaded.
/// Only the part is read. False, with the editor's message, when it cannot be had; then no
/// window is left behind.
bool loadWavePart(HWND frame, uint64_t start, uint64_t length, const std::string& file);

} // namespace kx
