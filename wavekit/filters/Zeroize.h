#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstdint>

namespace kx {

struct GateThresholds {
    int32_t eightBit; ///< distance from 127
    int32_t sixteenBit; ///< distance from 0
};

/// The gate's thresholds for `tenths` tenths of a percent of full scale (30 gives 3 and 983).
GateThresholds gateThresholds(uint32_t tenths);

/// zeroize's change of the working range `working`.
BlockChange zeroizeChange(const WaveHeader& header, ByteRange working, uint32_t tenths);

/// Noise gate over the working range: a sample strictly closer to silence than the threshold
/// becomes silence (8-bit: 127). Undo: "Zeroize".
FilterStatus zeroize(WaveDocument& document, uint32_t tenths, const FilterControl& control = {});

} // namespace kx
