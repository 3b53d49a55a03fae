#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

namespace kx {

/// Ramps the working range from `percent` % up towards full volume, sample by sample in storage
/// order; the last sample's factor is one step short of 1. Undo: "Fade In".
FilterStatus fadeIn(WaveDocument& document, uint32_t percent, const FilterControl& control = {});
/// Ramps the working range from full volume down towards `percent` %. Undo: "Fade Out".
FilterStatus fadeOut(WaveDocument& document, uint32_t percent, const FilterControl& control = {});

} // namespace kx
