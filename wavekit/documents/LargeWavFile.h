#pragma once

#include "PcmFormat.h"

#include <cstdint>
#include <span>
#include <string>

namespace kx {

/// A PCM WAV file of any size read in place, never loaded: plain RIFF (also one past 4 GB whose
/// 32-bit sizes wrapped), RF64 (sizes in its ds64 chunk) and Wave64 (GUID chunks, 64-bit sizes).
/// Only the formats a document can hold are accepted: 8 or 16 bit, mono or stereo.
class LargeWavFile {
public:
    enum class Layout { Riff, Rf64, Wave64 };

    LargeWavFile() = default;
    ~LargeWavFile();
    LargeWavFile(const LargeWavFile&) = delete;
    LargeWavFile& operator=(const LargeWavFile&) = delete;

    /// False (and closed) when `path` cannot be read or is no such file.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    /// The last open failed because the name is no regular file.
    bool notRegular() const { return m_notRegular; }

    Layout layout() const { return m_layout; }
    const PcmFormat& format() const { return m_format; }
    /// Sample bytes, whole frames, no more than the file holds.
    uint64_t dataSize() const { return m_dataSize; }
    uint64_t lengthMs() const;

    /// Copies sample bytes from `offset` on; returns how many (fewer at the end of the data or on
    /// a read error). Safe from several threads at once.
    std::size_t read(uint64_t offset, std::span<uint8_t> out) const;

private:
    bool parseRiff(uint64_t fileSize, bool rf64);
    bool parseWave64(uint64_t fileSize);
    bool takeFormat(const uint8_t* fmt);
    bool readAt(uint64_t offset, void* out, std::size_t size) const;

    int m_fd = -1;
    Layout m_layout = Layout::Riff;
    PcmFormat m_format;
    uint64_t m_dataOffset = 0;
    uint64_t m_dataSize = 0;
    bool m_notRegular = false;
};

} // namespace kx
