#pragma once

#include "documents/WaveDocument.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace kx {

/// The compressed formats a document can be saved in besides PCM WAV.
enum class ExportFormat { Flac, OggVorbis, Opus, Mp3 };

/// What the quality number of a format means, its range and its default.
struct ExportQuality {
    int lowest;
    int highest;
    int standard;
};

/// FLAC: compression level 0 to 12 (5), lossless at every level; Ogg Vorbis: quality -1 to 10 (5);
/// Opus: bit rate in kbit/s, 6 to 510 (96); MP3: LAME's VBR quality 0 (best) to 9 (4).
ExportQuality exportQuality(ExportFormat format);
/// "flac", "ogg", "opus", "mp3" (as the file name extensions), any case.
std::optional<ExportFormat> exportFormatNamed(std::string_view name);
/// The format's name as exportFormatNamed reads it, which is also the file name extension.
const char* exportFormatName(ExportFormat format);

enum class ExportStatus {
    Ok,
    CannotWrite, ///< the file could not be created, written or put in place
    NoEncoder, ///< FFmpeg lacks the encoder or refuses the document's format
    Stopped, ///< the stop flag was raised; nothing was written
};

/// Encodes the document's samples (8 or 16 bit, mono or stereo) into `path` with FFmpeg, its LIST
/// texts as the file's tags. Opus and MP3 take the nearest rate above the document's they offer
/// (Opus: 48000 Hz for most), so a file of those holds as long a sound at a rate of their own.
/// The file takes the target's place only once it is complete: a failure leaves it as it was.
ExportStatus exportSound(const WaveDocument& document, ExportFormat format, int quality, const std::string& path,
    const std::atomic<bool>* stop = nullptr);

} // namespace kx
