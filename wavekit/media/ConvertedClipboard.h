#pragma once

#include "ConvertDocument.h"
#include "clipboard/ClipboardSource.h"
#include "documents/SampleBuffer.h"

namespace kx {

/// A clipboard converted to a document's format (bits, channels and rate) before it is pasted or
/// mixed. Its length is the converter's target size for the clipboard's data, and its header is
/// the document's with that length.
class ConvertedClipboard : public ClipboardSource {
public:
    /// Reads all of `clip` and converts it to the format of `document`. CannotConvert when the
    /// resampler will not open or fails; OutOfMemory when a block cannot be had.
    ConvertStatus load(ClipboardSource& clip, const WaveHeader& document);

    const WaveHeader& header() const override { return m_header; }
    bool read(std::span<uint8_t> bytes) override;

private:
    WaveHeader m_header;
    SampleBuffer m_samples;
    std::size_t m_position = 0;
};

} // namespace kx
