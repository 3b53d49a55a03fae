#include "WavWriter.h"

#include "PendingFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kx {

const char* wavWriteMessage(WavWriteStatus status)
{
    switch (status) {
    case WavWriteStatus::Ok:
        return "";
    case WavWriteStatus::CannotCreate:
        return "Cannot write. May be read-only.";
    case WavWriteStatus::CannotWriteFormat:
        return "Cannot write PCMWAVEFORMAT. May be read-only.";
    case WavWriteStatus::CannotCreateData:
        return "Cannot write data. May be read-only.";
    case WavWriteStatus::CannotWriteData:
        return "Cannot write data.";
    }
    return "";
}

WavWriteStatus writeWavFile(const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples,
                            const WavWriteOptions& options)
{
    WaveHeader out;
    out.nChannels = header.nChannels;
    out.nSamplesPerSec = header.nSamplesPerSec;
    out.nAvgBytesPerSec = header.nAvgBytesPerSec;
    out.nBlockAlign = header.nBlockAlign;
    out.wBitsPerSample = header.wBitsPerSample;
    out.setDataSize(uint32_t(samples.size()));
    const auto* bytes = reinterpret_cast<const uint8_t*>(&out);

    const std::string target = resolvedTarget(path);
    PendingFile file(target, options.newFileMode);
    const int fd = file.fd();
    if (fd < 0)
        return WavWriteStatus::CannotCreate;

    // Reserving the blocks in one go is much cheaper than having the file system find them page by
    // page. Where that is refused the writes below meet the same limit and say at which step.
    ::fallocate(fd, 0, 0, off_t(44 + samples.size()));

    if (!writeAll(fd, bytes, 20)) // RIFF header and the fmt chunk's header
        return WavWriteStatus::CannotCreate;
    if (!writeAll(fd, bytes + 20, 16))
        return WavWriteStatus::CannotWriteFormat;
    if (!writeAll(fd, bytes + 36, 8))
        return WavWriteStatus::CannotCreateData;
    if (!writeAll(fd, samples.data(), samples.size()) || (options.flushToDisk && ::fdatasync(fd) != 0))
        return WavWriteStatus::CannotWriteData;
    if (!file.commit())
        return WavWriteStatus::CannotCreate;
    if (!options.flushToDisk)
        return WavWriteStatus::Ok;
    // Make the rename itself durable.
    const int directory = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return WavWriteStatus::Ok;
}

std::optional<uint64_t> freeBytesForFile(const std::string& path)
{
    struct statvfs info {};
    if (::statvfs(directoryOf(resolvedTarget(path)).c_str(), &info) != 0)
        return std::nullopt;
    return uint64_t(info.f_bavail) * uint64_t(info.f_frsize);
}

std::string withWaveExtension(const std::string& path)
{
    if (path.size() >= 4 && path[path.size() - 4] == '.')
        return path;
    return path + ".wav";
}

} // namespace kx
