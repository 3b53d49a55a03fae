#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace kx {

/// The 44 bytes that begin a canonical PCM WAV file; held in memory in exactly this layout and
/// written to the clipboard file byte for byte. All numbers are little-endian.
struct WaveHeader {
    std::array<char, 4> riffId{'R', 'I', 'F', 'F'};
    uint32_t riffSize = 0; ///< dataSize + 36 once the document has data
    std::array<char, 8> waveFmtId{'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    uint32_t fmtSize = 16;
    uint16_t wFormatTag = 1;
    uint16_t nChannels = 1;
    uint32_t nSamplesPerSec = 22050;
    uint32_t nAvgBytesPerSec = 22050;
    uint16_t nBlockAlign = 1;
    uint16_t wBitsPerSample = 8;
    std::array<char, 4> dataId{'d', 'a', 't', 'a'};
    uint32_t dataSize = 0;

    /// Sets dataSize and the RIFF size that follows from it.
    void setDataSize(uint32_t size)
    {
        dataSize = size;
        riffSize = size + 36;
    }
};

static_assert(sizeof(WaveHeader) == 44);
static_assert(offsetof(WaveHeader, riffId) == 0);
static_assert(offsetof(WaveHeader, riffSize) == 4);
static_assert(offsetof(WaveHeader, waveFmtId) == 8);
static_assert(offsetof(WaveHeader, fmtSize) == 16);
static_assert(offsetof(WaveHeader, wFormatTag) == 20);
static_assert(offsetof(WaveHeader, nChannels) == 22);
static_assert(offsetof(WaveHeader, nSamplesPerSec) == 24);
static_assert(offsetof(WaveHeader, nAvgBytesPerSec) == 28);
static_assert(offsetof(WaveHeader, nBlockAlign) == 32);
static_assert(offsetof(WaveHeader, wBitsPerSample) == 34);
static_assert(offsetof(WaveHeader, dataId) == 36);
static_assert(offsetof(WaveHeader, dataSize) == 40);

/// The file layout is little-endian; so is every machine this is built for.
static_assert(std::endian::native == std::endian::little, "WaveHeader is stored in host byte order");

} // namespace kx
