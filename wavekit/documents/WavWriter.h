#pragma once

#include "PendingFile.h"
#include "WaveDocument.h"
#include "WaveHeader.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kx {

enum class WavWriteStatus {
    Ok,
    CannotCreate, ///< "Cannot write. May be read-only."
    CannotWriteFormat, ///< "Cannot write PCMWAVEFORMAT. May be read-only."
    CannotCreateData, ///< "Cannot write data. May be read-only."
    CannotWriteData, ///< "Cannot write data."
};

const char* wavWriteMessage(WavWriteStatus status);

struct WavWriteOptions {
    /// Wait until the file is on the disk before it replaces the old one. The editor's saves do;
    /// command-line tools, like cp and sox, leave that to the system.
    bool flushToDisk = true;
    /// The mode of a file that did not exist before (under the umask); a replaced file keeps its own.
    mode_t newFileMode = 0666;
    /// Texts written after the data as a LIST/INFO chunk; none when null or when none is set.
    const FileTextInfo* texts = nullptr;
};

/// A minimal canonical PCM WAV file written piece by piece: the header (with the data size given
/// in advance) at once, then the data in order or at any offset. Built as a PendingFile: only
/// commit() puts it in place of the target, and a writer dropped before that leaves nothing behind.
/// The first failure sticks; every later call then does nothing. Two threads may write at once
/// with writeAt() to ranges that do not overlap.
class WavStreamWriter {
public:
    WavStreamWriter(const std::string& path, const WaveHeader& header, const WavWriteOptions& options = {});

    WavWriteStatus status() const { return m_status.load(); }
    /// Appends bytes to the data.
    bool write(std::span<const uint8_t> bytes);
    /// Writes bytes at `offset` of the data; the next write() follows them.
    bool writeAt(uint64_t offset, std::span<const uint8_t> bytes);
    /// Writes `length` bytes of the open file `source` from `sourceOffset` at `offset` of the data,
    /// copied by the kernel where it can; false with status() still Ok where it cannot (the caller
    /// then copies them itself).
    bool copyFrom(int source, uint64_t sourceOffset, uint64_t offset, uint64_t length);
    /// Puts the file in place of the target; the first failure of the whole write.
    WavWriteStatus commit();

private:
    bool fail(WavWriteStatus status);

    std::string m_target;
    PendingFile m_file;
    WavWriteOptions m_options;
    std::atomic<WavWriteStatus> m_status { WavWriteStatus::Ok };
    std::atomic<uint64_t> m_position { 0 }; ///< where the next write() goes in the data
    uint64_t m_dataSize = 0;
    std::vector<uint8_t> m_trailer; ///< the pad byte after odd data and the LIST chunk, written by commit()
};

/// Writes a minimal canonical PCM WAV file (RIFF, fmt of 16 bytes, data, and the texts of
/// `options.texts` as a LIST chunk when there are any) with the format of `header` and the bytes of
/// `samples`. The file is built under a temporary name beside the
/// target and only then renamed over it: a failure at any point leaves the previous file as it
/// was and no temporary file behind. The new file keeps the mode, owner and group of the old one
/// where the system allows. A symbolic link is written through.
WavWriteStatus writeWavFile(const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples,
    const WavWriteOptions& options = {});

/// Bytes available to an unprivileged writer on the file system that would hold `path`
/// (the file need not exist yet); nullopt when that cannot be found out.
std::optional<uint64_t> freeBytesForFile(const std::string& path);

/// The name a document is saved under: `path` unchanged when its fourth-last character is a full
/// stop (a three-letter extension of any kind), otherwise `path` with ".wav" appended.
std::string withWaveExtension(const std::string& path);

} // namespace kx
