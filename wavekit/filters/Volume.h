#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

namespace kx {

/// Scales the working range by percent / 100 (single precision), truncating toward zero and
/// clipping. Undo: "Change Volume".
FilterStatus changeVolume(WaveDocument& document, uint32_t percent, const FilterControl& control = {});

} // namespace kx
