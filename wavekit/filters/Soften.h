#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

#include <cstdint>

namespace kx {

/// Low-pass: a forward moving average of strength + 2 samples (at most 20) over the working range,
/// each channel on its own. Undo: "Soften".
FilterStatus soften(WaveDocument& document, uint32_t strength, const FilterControl& control = {});

} // namespace kx
