#pragma once

#include "wavekit/wavekit.h"

#include <atomic>
#include <string>

namespace kx {

/// Encodes `wave`'s document in the format the save dialog chose, under `path` with that format's
/// extension (which `path` then names), as ExportSoundFile does but without its busy check, so
/// that it can run on an operation thread; `stop` gives the export up, writing nothing.
bool exportOnWorker(HWND frame, HWND wave, std::string& path, const std::atomic<bool>* stop);

} // namespace kx
