#pragma once

#include "documents/PcmFormat.h"

#include <cstdint>
#include <span>

namespace kx {

/// The output volume as one 32-bit value: low word the left channel, high word the right one,
/// 0xFFFF full volume, 0 silence. It is applied by our own mixer, so it changes only what this
/// process plays, and holds for every output of the process.
namespace outputvolume {

    constexpr uint32_t kFull = 0xFFFFFFFF;
    constexpr uint32_t kStep = 0x10001000; ///< 0x1000 on each channel

    /// One step up; unchanged when the left channel is above 0xEFFF or the whole value reaches 0xF0000000.
    uint32_t stepUp(uint32_t volume);
    /// One step down; unchanged when the left channel is 0x0FFF or less or the whole value is 0x0FFFFFFF or less.
    uint32_t stepDown(uint32_t volume);

    uint32_t current();
    void set(uint32_t volume);

    /// Scales whole frames of `bytes` in place by the channel volumes of `volume` (mono: the left one).
    void apply(std::span<uint8_t> bytes, const PcmFormat& format, uint32_t volume);

} // namespace outputvolume

} // namespace kx
