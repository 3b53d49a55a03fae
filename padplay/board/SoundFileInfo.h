#pragma once

#include <array>
#include <optional>
#include <string>

namespace kx::board {

/// The six status texts of a sound file: path, duration, bits and channels, rate, size, data rate.
using SoundFileInfo = std::array<std::string, 6>;

/// Reads the first 44 bytes of `path` as a canonical WAV header, taking each field at its fixed
/// place whatever chunks the file really has. Nothing when the file cannot be read that far or
/// does not start like a RIFF file.
std::optional<SoundFileInfo> readSoundFileInfo(const std::string& path);

/// The info texts of a header already read (at least 44 bytes).
SoundFileInfo soundFileInfo(const std::string& path, const unsigned char* header);

} // namespace kx::board
