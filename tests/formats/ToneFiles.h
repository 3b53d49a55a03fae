#pragma once

// Test signals for the format tests: PCM tones built here, and files of other formats made from
// them with the ffmpeg program.

#include "WavBuilder.h"
#include "documents/PcmFormat.h"
#include "documents/WavWriter.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace kx::test {

/// `frames` frames of a sine of `frequency` Hz at half full scale, the same on every channel.
inline Bytes tone(const PcmFormat& format, std::size_t frames, double frequency)
{
    Bytes bytes;
    for (std::size_t i = 0; i < frames; ++i) {
        const double value = 0.5 * std::sin(2 * std::numbers::pi * frequency * double(i) / format.rate);
        for (int c = 0; c < format.channels; ++c) {
            if (format.bits == 16)
                put16(bytes, uint16_t(int16_t(std::lround(value * 32767))));
            else
                bytes.push_back(uint8_t(128 + std::lround(value * 127)));
        }
    }
    return bytes;
}

/// Sample value `index` (counting all channels) of PCM bytes, scaled to -1..1.
inline double sampleAt(const uint8_t* bytes, uint16_t bits, std::size_t index)
{
    if (bits == 16)
        return int16_t(uint16_t(bytes[2 * index] | bytes[2 * index + 1] << 8)) / 32768.0;
    return (int(bytes[index]) - 128) / 128.0;
}

inline WaveHeader headerOf(const PcmFormat& format, std::size_t dataSize)
{
    WaveHeader header;
    format.applyTo(header);
    header.setDataSize(uint32_t(dataSize));
    return header;
}

inline void writePcmWav(const std::string& path, const PcmFormat& format, const Bytes& samples)
{
    writeWavFile(path, headerOf(format, samples.size()), samples);
}

/// Runs ffmpeg quietly with `arguments`; true when it succeeded.
inline bool ffmpeg(const std::string& arguments)
{
    return std::system(("ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments).c_str()) == 0;
}

/// Converts `in` to `out` with sox and its `options` for the output; true when it succeeded. Unlike
/// ffmpeg, sox writes the true length into an ADPCM file's "fact" chunk.
inline bool sox(const std::string& in, const std::string& options, const std::string& out)
{
    return std::system(("sox -q " + in + " " + options + " " + out).c_str()) == 0;
}

} // namespace kx::test
