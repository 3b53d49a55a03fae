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
    uint16_t compressBits = 8; ///< "Kestrix\Settings\CompressBits": PCM bits of decoded sound
    uint16_t zoom = 100; ///< "Kestrix\Settings\StartUp\Zoom"
    /// Decoding gives up once this is raised (its result is then of no use); may be null.
    const std::atomic<bool>* stop = nullptr;
};

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

/// Builds a document from any file the editor accepts: a PCM WAV file (fmt chunk of 16 to 18
/// bytes), a compressed WAV file (decoded to PCM of `compressBits`, as long as its "fact" chunk
/// says), the first audio stream of an AVI file (PCM kept, anything else decoded), a FLAC, Ogg or
/// MP3 file (decoded), or a raw file (its bytes under the format the interaction gives).
/// Failures come as one message, in the order the steps meet them.
OpenResult openSoundFile(const std::string& path, const OpenSettings& settings, OpenInteraction& interaction);

} // namespace kx
