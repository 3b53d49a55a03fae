#pragma once

#include "FilterControl.h"
#include "documents/WaveDocument.h"

namespace kx {

/// Reverses the order of the whole frames of the working range, so that reversing twice gives the
/// original. Undo: "Reverse".
FilterStatus reverse(WaveDocument& document, const FilterControl& control = {});

} // namespace kx
