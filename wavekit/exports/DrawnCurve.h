#pragma once

#include "filters/Drawtone.h"

#include <vector>

namespace kx {

/// The curve the Drawtone dialogs hand to their thread routines: one for the process, as only one
/// of the modal dialogs is ever open.
struct DrawnCurve {
    std::vector<CurvePin> pins;
    bool markedArea = false;
};

void storeDrawnCurve(DrawnCurve curve);
DrawnCurve drawnCurve();

} // namespace kx
