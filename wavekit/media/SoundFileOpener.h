#pragma once

#include "documents/PcmFormat.h"
#include "documents/WaveDocument.h"

#include <atomic>
#include <optional>
#include <string>

namespace kx {

/// What opening needs from the person at the screen.
class OpenInteraction {
public:
    virtual ~OpenInteraction() = default;
    /// The format of a file without a header of `fileLength` bytes (the editor records the
    /// length in "Kestrix\RawFile\FileLength" and asks with the raw-file dialog); nullopt when
    /// the user cancels.
    virtual std::optional<PcmFormat> askRawFormat(uint64_t fileLength) = 0;
};

/// The settings opening depends on, read by the caller.
struct OpenSettings {
    /// "Kestrix\Settings\CompressBits" when the user set it: PCM bits of decoded sound. Unset,
    /// compressed WAV files and other media decode to 8 bits, the WAV variants (float, u-law,
    /// a-law, 24- and 32-bit PCM, the extensible format) to 16.
    std::optional<uint16_t> compressBits;
    uint16_t zoom = 100; ///< "Kestrix\Settings\StartUp\Zoom"
    /// Decoding gives up once this is raised (its result is then of no use); may be null.
    const std::atomic<bool>* stop = nullptr;
};

/// `compressBits` from the stored text of "Kestrix\Settings\CompressBits" ("" when it is not
/// stored): 16 for "16", else 8.
std::optional<uint16_t> compressBitsFromText(const std::string& stored);

enum class OpenStatus {
    Opened, ///< `document` is complete; `message`, when set, reports a read error after which it keeps what was read
    Cancelled, ///< the user cancelled the raw-file format; no message
    Failed, ///< `message` says why
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    std::string message;
    WaveDocument document;
};

/// True for a file only openSoundFile reads (FLAC, Ogg, MP3, AVI, a WAV file that is not plain
/// 8- or 16-bit PCM of one or two channels); false for plain PCM WAV and for everything the
/// plain WAV reader should judge itself.
bool needsDecoder(const std::string& path);

/// Builds a document from any file the editor accepts: a PCM WAV file of 8 or 16 bits and one or
/// two channels (read as it is, whatever its fmt chunk wraps it in), a WAV variant (see
/// WaveEncoding; more channels mixed down to stereo), a compressed WAV file (decoded to PCM of
/// `compressBits`, as long as its "fact" chunk says), the first audio stream of an AVI file (PCM kept, anything else
/// decoded), a FLAC, Ogg or MP3 file (decoded), or a raw file (its bytes under the format the interaction gives).
/// Failures come as one message, in the order the steps meet them.
OpenResult openSoundFile(const std::string& path, const OpenSettings& settings, OpenInteraction& interaction);

} // namespace kx
