#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kx {

/// What the open dialog's preview panel shows for a file.
struct FilePreviewTexts {
    std::string size;   ///< "%lu KB"
    std::string length; ///< "%02lu m %02lu.%03lu s", or "compressed"
    std::string format; ///< "%d Bit, Stereo" / "%d Bit, Mono"
    std::string rate;   ///< "%lu Hz"
};

/// Reads the first 44 bytes of a file as a canonical WAV header, whatever chunks the file really
/// has. Nothing when the file is shorter or does not begin with "R??F".
std::optional<FilePreviewTexts> filePreview(std::span<const uint8_t> firstBytes);

/// "%02lu m %02lu.%03lu s" of a length in milliseconds.
std::string formatMinutesSeconds(uint64_t milliseconds);

} // namespace kx
