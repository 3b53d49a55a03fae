#pragma once

#include "wavekit/wavekit.h"

#include <string>

namespace kx {

/// Opens `path` in the frame's Bulkwave loader (made if there is none yet) and shows it.
void openInBulkwave(HWND frame, const std::string& path);

} // namespace kx
