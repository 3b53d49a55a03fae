#pragma once

#include "documents/WaveHeader.h"

#include <cstdint>
#include <span>
#include <string>

namespace kx::cli {

/// Writes a command's result file; on failure prints the writer's message and returns ExitFailed.
/// Like cp and sox, wavetool leaves flushing the file to disk to the system.
int writeOutputFile(const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples);

} // namespace kx::cli
