#include "SoundFileInfo.h"

#include "FileStart.h"

#include <cstdint>
#include <cstdio>

namespace kx::board {

namespace {

    constexpr std::size_t kHeaderSize = 44;

    uint32_t field32(const unsigned char* h, int at)
    {
        return uint32_t(h[at]) | uint32_t(h[at + 1]) << 8 | uint32_t(h[at + 2]) << 16 | uint32_t(h[at + 3]) << 24;
    }

    unsigned field16(const unsigned char* h, int at)
    {
        return unsigned(h[at]) | unsigned(h[at + 1]) << 8;
    }

    template <typename... Args> std::string format(const char* pattern, Args... args)
    {
        char text[64];
        std::snprintf(text, sizeof text, pattern, args...);
        return text;
    }

} // namespace

SoundFileInfo soundFileInfo(const std::string& path, const unsigned char* h)
{
    const uint32_t riffSize = field32(h, 4);
    const uint32_t bytesPerSecond = field32(h, 28);
    const uint32_t dataSize = field32(h, 40);
    const unsigned bits = field16(h, 34);

    SoundFileInfo info;
    info[0] = path;
    if (bits != 8 && bits != 16) {
        info[1] = "compressed";
    } else if (bytesPerSecond == 0) {
        info[1] = "unknown length";
    } else {
        const uint64_t ms = riffSize == 0 ? 0 : uint64_t(dataSize) * 1000 / bytesPerSecond;
        info[1] = format("%02llu m %02llu.%03llu s", (unsigned long long)(ms / 60000),
            (unsigned long long)(ms / 1000 % 60), (unsigned long long)(ms % 1000));
    }
    info[2] = format(field16(h, 22) == 2 ? "%u Bit, Stereo" : "%u Bit, Mono", bits);
    info[3] = format("%lu Hz", (unsigned long)field32(h, 24));
    info[4] = format("%lu KB", (unsigned long)(riffSize / 1024));
    info[5] = format("%lu KB/sec", (unsigned long)(bytesPerSecond / 1024));
    return info;
}

std::optional<SoundFileInfo> readSoundFileInfo(const std::string& path)
{
    std::string header;
    if (!readFileStart(path, kHeaderSize, header) || header.size() < kHeaderSize || header[0] != 'R'
        || header[3] != 'F')
        return std::nullopt;
    return soundFileInfo(path, reinterpret_cast<const unsigned char*>(header.data()));
}

} // namespace kx::board
