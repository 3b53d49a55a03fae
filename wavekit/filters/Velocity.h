#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

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

} // namespace kx
