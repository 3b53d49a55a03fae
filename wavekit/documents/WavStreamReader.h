#pragma once

#include "WavReader.h"

#include <span>

namespace kx {

/// A PCM WAV file whose data is read a block at a time instead of whole: the same chunk rules and
/// the same kept data length as readWavFile, so a command that streams a file sees the data a
/// document would hold.
class WavStreamReader {
public:
    WavReadStatus open(const std::string& path);

    /// The format, with dataSize the bytes of data kept.
    const WaveHeader& header() const { return m_header; }
    /// True when the format chunk is plain PCM (tag 1, no extension), which every opener reads as
    /// such; other tags are read as PCM only by the readers that ignore the tag.
    bool isPlainPcm() const { return m_plainPcm; }
    /// The texts of the file's LIST chunk and ID3 tag, as readWavFile reads them.
    const FileTextInfo& texts() const { return m_texts; }
    /// Fills `bytes` from `offset` of the data; false on an input error or a file that shrank.
    bool read(uint64_t offset, std::span<uint8_t> bytes) const;
    /// The open file and where its data begins, for copies the kernel makes itself.
    int descriptor() const { return m_file.descriptor(); }
    uint64_t dataOffset() const { return m_dataOffset; }

private:
    RiffFile m_file;
    WaveHeader m_header;
    uint64_t m_dataOffset = 0;
    bool m_plainPcm = false;
    FileTextInfo m_texts;
};

} // namespace kx
