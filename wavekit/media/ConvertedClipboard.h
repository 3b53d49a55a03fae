#pragma once

#include "ConvertDocument.h"
#include "clipboard/ClipboardBlock.h"

namespace kx {

/// A clipboard converted to a document's format (bits, channels and rate) before it is pasted or
/// mixed. Its length is the converter's target size for the clipboard's data, and its header is
/// the document's with that length.
class ConvertedClipboard : public ClipboardBlock {
public:
    /// Reads all of `clip` and converts it to the format of `document`. CannotConvert when the
    /// resampler will not open or fails; OutOfMemory when a block cannot be had.
    ConvertStatus load(ClipboardSource& clip, const WaveHeader& document);
};

} // namespace kx
