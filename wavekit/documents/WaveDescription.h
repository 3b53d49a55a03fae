#pragma once

#include "WavReader.h"
#include "WaveEncoding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kx {

/// What the chunks of a RIFF file say before any sample is read: whether it is an AVI file, how
/// a WAV file's samples are stored, and for coded samples whether there is data and how many
/// frames the "fact" chunk promises.
struct WaveDescription {
    /// The first fault met, in the order the reader meets them; Ok for a PCM file as soon as its
    /// fmt chunk is known (the PCM reader then checks the rest itself).
    WavReadStatus status = WavReadStatus::Ok;
    bool avi = false;
    WaveEncoding encoding = WaveEncoding::Pcm;
    std::optional<uint64_t> factFrames; ///< only for coded samples
};

WaveDescription describeWave(const std::string& path);

} // namespace kx
