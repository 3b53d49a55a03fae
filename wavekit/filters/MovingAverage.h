#pragma once

#include "FilterControl.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// The smoothing window for a strength setting: strength + 2 samples, at most 20.
std::size_t smoothingWindow(uint32_t strength);

/// Forward moving average over each channel of interleaved `samples` (whole frames of `channels`
/// values): value i of a channel becomes the mean of its values i .. i + window - 1, summed as
/// stored (8-bit unsigned, 16-bit signed) and divided truncating toward zero; the last `window`
/// values of each channel keep theirs. A channel of `window` values or fewer is left alone.
/// False when stopped part way.
bool movingAverage(
    std::span<uint8_t> samples, std::size_t channels, std::size_t window, const FilterControl& control = {});
bool movingAverage(
    std::span<int16_t> samples, std::size_t channels, std::size_t window, const FilterControl& control = {});

} // namespace kx
