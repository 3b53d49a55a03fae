#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kx {

/// How the opener reads a file, decided by its first bytes.
enum class FileKind {
    Raw, ///< no header: the whole file is samples of the raw-file format
    Riff, ///< a RIFF file (WAVE or AVI), or what claims to be one
    Media, ///< FLAC, Ogg or MP3, decoded to PCM
};

/// The kind of the file that begins with `firstBytes` (up to four; missing bytes count as 0).
/// A file is raw when its first byte is neither "R" nor "r" and its third neither "i" nor "I";
/// so a text beginning "This" goes the RIFF way. FLAC, Ogg and tagged MP3 files are recognised
/// by their signature first, an MP3 without a tag only by its frame sync and its ".mp3" name.
FileKind fileKindOf(std::span<const uint8_t> firstBytes, std::string_view path);

} // namespace kx
