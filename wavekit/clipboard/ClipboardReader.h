#pragma once

#include "ClipboardSource.h"
#include "documents/WavStreamReader.h"

#include <atomic>
#include <string>

namespace kx {

/// The clipboard file as a source, read with the chunk rules of every WAV reader, so that any PCM
/// WAV file put there is accepted. Only the format is read on opening; the samples are read
/// where they are needed, so a paste needs no second copy of them.
class ClipboardReader : public ClipboardSource {
public:
    /// CannotOpen means an empty clipboard. A mono or stereo file of another channel count or a
    /// rate of 0 is WrongFormat.
    WavReadStatus open(const std::string& path);

    const WaveHeader& header() const override { return m_source.header(); }
    /// Also false once `stop` (set by setStop) is raised: a large clipboard is read piece by piece.
    bool read(std::span<uint8_t> bytes) override;
    /// A flag the reader looks at between pieces; null for none.
    void setStop(const std::atomic<bool>* stop) { m_stop = stop; }

private:
    WavStreamReader m_source;
    uint64_t m_offset = 0; ///< where the next read begins in the data
    uint64_t m_left = 0;
    const std::atomic<bool>* m_stop = nullptr;
};

/// The text shown for a clipboard that cannot be read; "" for an empty clipboard, which is no error.
const char* clipboardReadMessage(WavReadStatus status);

} // namespace kx
