#include "DrawnCurve.h"

#include <mutex>

namespace kx {

namespace {

    std::mutex g_lock;
    DrawnCurve g_curve { defaultPins(curve::kMinPins), false };

} // namespace

void storeDrawnCurve(DrawnCurve curve)
{
    std::lock_guard lock(g_lock);
    g_curve = std::move(curve);
}

DrawnCurve drawnCurve()
{
    std::lock_guard lock(g_lock);
    return g_curve;
}

} // namespace kx
