#pragma once

#include <cstdint>
#include <span>

namespace kx {

/// How the samples of a WAV file are stored, as far as opening it cares.
enum class WaveEncoding {
    /// 8- or 16-bit PCM, mono or stereo, whatever the length of the fmt chunk, the extensible
    /// wrapper around it or its speaker mask: read byte for byte. Also a fmt chunk of 16 to 18
    /// bytes with a tag nobody decodes, and PCM of a depth nobody decodes (the PCM reader then
    /// names the fault).
    Pcm,
    /// PCM of 24 or 32 bits or of more than two channels, IEEE float, u-law, a-law, or any other
    /// extensible format: decoded to 16 bits unless the user chose "CompressBits".
    Variant,
    /// Any other tag in a fmt chunk of 19 bytes or more: decoded to "CompressBits".
    Compressed,
};

/// The encoding a fmt chunk of `chunkSize` bytes describes; `fmt` holds at least its first 16
/// bytes and, for the extensible format, as many of its 40 as the file has.
WaveEncoding waveEncodingOf(std::span<const uint8_t> fmt, uint64_t chunkSize);

} // namespace kx
