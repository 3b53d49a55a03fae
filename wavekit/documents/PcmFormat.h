#pragma once

#include "WaveHeader.h"

#include <cstdint>

namespace kx {

/// A PCM sample format as the documents hold it: 8 or 16 bit, mono or stereo, any rate.
struct PcmFormat {
    uint16_t bits = 8;
    uint16_t channels = 1;
    uint32_t rate = 22050;

    /// Bytes of one frame (one value per channel).
    uint16_t blockAlign() const { return uint16_t((bits == 16 ? 2 : 1) * (channels == 2 ? 2 : 1)); }
    uint32_t bytesPerSecond() const { return rate * blockAlign(); }
    /// A rate above 0 whose data rate fits the 32 bits headers and length arithmetic hold it in.
    bool hasCountableRate() const { return rate != 0 && uint64_t(rate) * blockAlign() <= UINT32_MAX; }

    bool operator==(const PcmFormat&) const = default;

    static PcmFormat of(const WaveHeader& header)
    {
        return { header.wBitsPerSample, header.nChannels, header.nSamplesPerSec };
    }

    /// Writes the format and the values derived from it into `header`; the data size stays.
    void applyTo(WaveHeader& header) const
    {
        header.wFormatTag = 1;
        header.wBitsPerSample = bits;
        header.nChannels = channels;
        header.nSamplesPerSec = rate;
        header.nBlockAlign = blockAlign();
        header.nAvgBytesPerSec = bytesPerSecond();
    }
};

} // namespace kx
