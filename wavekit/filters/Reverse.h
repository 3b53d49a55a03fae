#pragma once

#include "FilterControl.h"
#include "WorkingRange.h"

#include <cstddef>
#include <cstdint>

namespace kx {

/// Reverses the order of the whole frames of the working range, so that reversing twice gives the
/// original. Undo: "Reverse".
FilterStatus reverse(WaveDocument& document, const FilterControl& control = {});

/// The frames reverse() turns around in the working range `working`, and their size.
ByteRange reversedFrames(const WaveHeader& header, ByteRange working);
std::size_t reversedFrameBytes(const WaveHeader& header);

/// Swaps the frame i of `low` with the frame i counted back from `highEnd`, for i < n: the step of a
/// reversal that turns its two ends around, a block of n frames at each.
void swapMirrored(uint8_t* low, uint8_t* highEnd, std::size_t frameSize, std::size_t n);

} // namespace kx
