#pragma once

#include "documents/PcmFormat.h"
#include "wavekit/wavekit.h"

#include <optional>

namespace kx {

/// The exported form of a PCM format: tag 1, the derived sizes, no extra bytes.
inline WAVEFORMATEX waveFormatOf(const PcmFormat& format)
{
    return { 1, format.channels, format.rate, format.bytesPerSecond(), format.blockAlign(), format.bits, 0 };
}

/// The PCM format a caller asks for; nullopt for anything the documents cannot hold. The sizes
/// the caller derived are not trusted: they follow from bits, channels and rate.
inline std::optional<PcmFormat> pcmFormatOf(const WAVEFORMATEX& format)
{
    if (format.wFormatTag != 1 || (format.wBitsPerSample != 8 && format.wBitsPerSample != 16)
        || (format.nChannels != 1 && format.nChannels != 2) || format.nSamplesPerSec == 0)
        return std::nullopt;
    return PcmFormat { format.wBitsPerSample, format.nChannels, format.nSamplesPerSec };
}

} // namespace kx
