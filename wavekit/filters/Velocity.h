#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstddef>
#include <cstdint>

namespace kx {

struct VelocityParameters {
    uint32_t percent = 200; ///< playing speed: 200 twice as fast (half the length), 50 half as fast
    bool smooth = true; ///< moving average over the result
    uint32_t smoothStrength = 3;
};

/// Changes the playing speed of the whole file by resampling whole frames (each output frame is the
/// input frame at or before its scaled position, each channel from its own channel), keeps the
/// mark on the same sound and optionally smooths. A history of several levels records the whole
/// data ("Change Velocity"); the length changes, so a one-level one is cleared. Refused for 0 % and 100 %; OutOfMemory (or a result over 4 GB) changes nothing.
/// Resampling happens in place, so a stop request is only honoured before it starts.
FilterStatus changeVelocity(
    WaveDocument& document, const VelocityParameters& parameters, const FilterControl& control = {});

/// How changeVelocity resamples data of `dataBytes` bytes: `status` Refused (0 %, 100 %) or
/// OutOfMemory (a result over 4 GB) when it does nothing; Done with no input frames when there is
/// nothing to resample.
struct VelocityPlan {
    FilterStatus status = FilterStatus::Refused;
    double speed = 1;
    float stretch = 1;
    std::size_t frameSize = 1; ///< whole frames, or single samples of a mono file
    std::size_t channels = 1; ///< of the moving average
    std::size_t inputFrames = 0;
    std::size_t outputFrames = 0;
};
VelocityPlan planVelocity(const WaveHeader& header, std::size_t dataBytes, uint32_t percent);

/// The output frames [first, first + count) of the resampling into `out`, from `in`, which holds the
/// input frames from `firstInput` on, as far as they are read.
void gatherFrames(const VelocityPlan& plan, uint8_t* out, std::size_t first, std::size_t count, const uint8_t* in,
    std::size_t firstInput);
/// The input frame the output frame `i` reads.
std::size_t velocitySource(const VelocityPlan& plan, std::size_t i);

} // namespace kx
