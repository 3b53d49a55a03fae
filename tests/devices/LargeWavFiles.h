#pragma once

// Sparse WAV files of several gigabytes in the 64-bit layouts, with a known stretch of sound
// written somewhere past the 4 GB mark and nothing else on disk.

#include "WavBuilder.h"

#include <cmath>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::test {

inline void put64(Bytes& b, uint64_t v)
{
    put32(b, uint32_t(v));
    put32(b, uint32_t(v >> 32));
}

/// RF64 with a ds64 chunk and a data chunk of `dataSize` bytes; the data starts at byte 80.
inline Bytes rf64Head(const Bytes& fmt, uint64_t dataSize)
{
    Bytes ds64;
    put64(ds64, dataSize + 72);
    put64(ds64, dataSize);
    put64(ds64, 0);
    put32(ds64, 0);
    Bytes b;
    putId(b, "RF64");
    put32(b, 0xFFFFFFFFu);
    putId(b, "WAVE");
    for (const Bytes& part : { chunk("ds64", ds64), chunk("fmt ", fmt) })
        b.insert(b.end(), part.begin(), part.end());
    putId(b, "data");
    put32(b, 0xFFFFFFFFu);
    return b;
}

/// Wave64 with GUID chunk ids and 64-bit sizes; the data starts at byte 104.
inline Bytes wave64Head(const Bytes& fmt, uint64_t dataSize)
{
    const uint8_t tail[12] = { 0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1, 0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A };
    const uint8_t riffTail[12] = { 0x2E, 0x91, 0xCF, 0x11, 0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00 };
    auto guid = [](Bytes& b, const char* id, const uint8_t* rest) {
        putId(b, id);
        b.insert(b.end(), rest, rest + 12);
    };
    Bytes b;
    guid(b, "riff", riffTail);
    put64(b, 104 + dataSize);
    guid(b, "wave", tail);
    guid(b, "fmt ", tail);
    put64(b, 24 + fmt.size());
    b.insert(b.end(), fmt.begin(), fmt.end());
    guid(b, "data", tail);
    put64(b, 24 + dataSize);
    return b;
}

/// `seconds` of a 1000 Hz tone at half scale, 16-bit stereo at 44100 Hz.
inline Bytes tone(int seconds)
{
    Bytes b;
    for (int i = 0; i < seconds * 44100; ++i) {
        const auto value = uint16_t(int16_t(std::lround(16384 * std::sin(2 * M_PI * 1000 * i / 44100.0))));
        put16(b, value);
        put16(b, uint16_t(-int16_t(value)));
    }
    return b;
}

/// Writes `head`, makes the file `size` bytes long without writing the rest, and writes `sound`
/// at `soundOffset`. Only the head and the sound take room on the disk.
inline void writeSparse(
    const std::string& path, const Bytes& head, uint64_t size, uint64_t soundOffset, const Bytes& sound)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::pwrite(fd, head.data(), head.size(), 0) != ssize_t(head.size()) || ::ftruncate(fd, off_t(size)) != 0
        || ::pwrite(fd, sound.data(), sound.size(), off_t(soundOffset)) != ssize_t(sound.size()))
        std::abort();
    ::close(fd);
}

/// Bytes the file really takes on the disk.
inline uint64_t bytesOnDisk(const std::string& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 ? uint64_t(status.st_blocks) * 512 : 0;
}

} // namespace kx::test
