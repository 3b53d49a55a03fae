#pragma once

#include "FfmpegSetup.h"
#include "documents/PcmFormat.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kx {

/// Converts PCM samples from one document format to another (8/16 bit, mono/stereo, any rate)
/// with libswresample. A mono source is copied to both sides at full level and a stereo source
/// mixed down as the mean of both sides. One converter may convert any number of blocks.
class FormatConverter {
public:
    FormatConverter(const PcmFormat& source, const PcmFormat& target);

    /// False when the formats cannot be converted (a rate of 0, a resampler that will not open).
    bool isReady() const { return m_resampler != nullptr; }
    const PcmFormat& source() const { return m_source; }
    const PcmFormat& target() const { return m_target; }

    /// The size of the converted form of `sourceBytes` bytes: the source's whole frames, their
    /// duration at the target rate rounded up, in target frames.
    uint64_t targetSize(uint64_t sourceBytes) const;

    /// Converts the whole frames of `source` into exactly `target` (normally targetSize bytes):
    /// what the resampler gives beyond the end is dropped, and a shortfall is filled with
    /// silence. False when the resampler fails; `target` then holds no meaning.
    bool convert(std::span<const uint8_t> source, std::span<uint8_t> target);

    /// convert() for data that is not in memory: the whole frames of `sourceBytes` bytes come from
    /// read(piece), which fills each piece, and exactly `targetBytes` bytes go to write(piece), piece
    /// by piece, in memory that does not grow with the data. False when the
    /// resampler, read or write fails.
    bool convert(uint64_t sourceBytes, uint64_t targetBytes, const std::function<bool(std::span<uint8_t>)>& read,
        const std::function<bool(std::span<const uint8_t>)>& write);

    /// Converts one more block of a stream, carrying the resampler's state over from the block
    /// before, and appends what it gives to `target` (the filter's delay holds the last few
    /// frames back). convert() starts the stream afresh. False when the resampler fails.
    bool stream(std::span<const uint8_t> source, std::vector<uint8_t>& target);

private:
    PcmFormat m_source;
    PcmFormat m_target;
    SwrContextPointer m_resampler;
};

} // namespace kx
