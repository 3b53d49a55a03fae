#pragma once

#include "documents/PcmFormat.h"
#include "documents/WaveDocument.h"

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

} // namespace kx
