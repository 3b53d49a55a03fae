#pragma once

#include "ClipboardSource.h"
#include "EditStatus.h"
#include "documents/SampleBuffer.h"

namespace kx {

/// Sound of the clipboard held in memory. An editor reads the clipboard file into one before it
/// locks the document, so the document then changes without waiting for the disk.
class ClipboardBlock : public ClipboardSource {
public:
    /// Reads all of `clip`. OutOfMemory or CannotRead, holding nothing, when it cannot.
    EditStatus readAll(ClipboardSource& clip);

    const WaveHeader& header() const override { return m_header; }
    bool read(std::span<uint8_t> bytes) override;

protected:
    /// Holds `samples` as the sound `header` describes, to be read from the front.
    void hold(const WaveHeader& header, SampleBuffer samples);

private:
    WaveHeader m_header;
    SampleBuffer m_samples;
    std::size_t m_position = 0;
};

} // namespace kx
