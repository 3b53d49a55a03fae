#pragma once

#include "documents/PcmFormat.h"
#include "documents/WaveDocument.h"
#include "filters/FileStream.h"

namespace kx {

enum class ConvertStatus {
    Converted,
    NothingToConvert, ///< the document has no data
    CannotConvert, ///< "COULD NOT CONVERT"
    OutOfMemory, ///< the target block cannot be had; no message
};

/// The text shown for a failed conversion, or "" for none.
const char* convertMessage(ConvertStatus status);

/// Converts the whole document to `target`: the data becomes the converter's target size, the
/// mark keeps its time on whole frames of the new data, a history of several levels keeps the old
/// samples and format as the step "Convert" (a one-level one is cleared) and the document is
/// marked unsaved. On any failure the document stays as it was.
ConvertStatus convertDocument(WaveDocument& document, const PcmFormat& target);

/// convertDocument from file to file, a block at a time: the data of `source` converted to `target`
/// and written as the WAV file `path`, in memory that does not grow with the file (an empty file
/// gives an empty file in the new format). Converted unless the conversion itself fails; `io` then
/// says whether reading and writing went well, and after a failure there nothing is left behind.
ConvertStatus convertWavFile(const WavStreamReader& source, const std::string& path, const PcmFormat& target,
    const WavWriteOptions& options, StreamStatus& io);

} // namespace kx
