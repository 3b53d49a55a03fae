#pragma once

#include <cstdint>
#include <span>

namespace kx {

/// What the recording level meter shows for one buffer of 8-bit stereo input.
struct InputLevel {
    int left = 0; ///< 0..127: the largest distance of a left value from the centre
    int right = 0; ///< the same for the right values
    bool peak = false; ///< a left value reached 254 or 255: the input is about to clip
};

/// The peak of every frame in `stereo8` (left, right, left, ...), not just the first one, so
/// the meter neither flickers nor misses a short peak.
InputLevel inputLevel(std::span<const uint8_t> stereo8);

} // namespace kx
