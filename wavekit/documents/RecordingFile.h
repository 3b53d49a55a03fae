#pragma once

#include "PcmFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <sys/types.h>

namespace kx {

/// A PCM WAV file written while the sound arrives: the canonical 44-byte header first, then each
/// block appended, and the RIFF and data sizes brought up to date after every block, so a crash
/// leaves a readable file with everything recorded so far. Nothing is held in memory.
class RecordingFile {
public:
    /// The most sample bytes a RIFF file can describe.
    static constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

    RecordingFile() = default;
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    /// Creates or empties `path` (a symbolic link there is refused, not followed) with `mode`
    /// and writes the header of an empty file. False with the system's reason in `error`.
    bool create(const std::string& path, const PcmFormat& format, mode_t mode, std::string& error);
    /// Appends whole frames; stops at kMaxDataBytes (returns false once the file is full).
    bool append(std::span<const uint8_t> bytes);
    /// Closes the file; false when a write failed at any point.
    bool close();

    uint64_t dataBytes() const { return m_dataBytes; }
    bool isFull() const { return m_full; }

private:
    bool updateSizes();

    int m_fd = -1;
    PcmFormat m_format;
    uint64_t m_dataBytes = 0;
    bool m_failed = false;
    bool m_full = false;
};

} // namespace kx
