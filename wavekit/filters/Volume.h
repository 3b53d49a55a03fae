#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "documents/WaveDocument.h"

namespace kx {

/// Scales the working range by percent / 100 (single precision), truncating toward zero and
/// clipping. Undo: "Change Volume".
FilterStatus changeVolume(WaveDocument& document, uint32_t percent, const FilterControl& control = {});

/// Every sample of `range` times `factor`, as changeVolume and the peak volume scale.
BlockChange scaleChange(const WaveHeader& header, ByteRange range, float factor);
/// changeVolume's change of the working range `working`.
BlockChange volumeChange(const WaveHeader& header, ByteRange working, uint32_t percent);

} // namespace kx
