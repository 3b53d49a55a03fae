#include "ZoomSteps.h"

#include <algorithm>

namespace kx::zoomsteps {

uint32_t buttonIn(uint32_t zoom)
{
    return std::min(kMaxZoom, zoom + 1);
}

uint32_t buttonOut(uint32_t zoom)
{
    return zoom > 1 ? zoom - 1 : zoom;
}

uint32_t doubleClickIn(uint32_t zoom)
{
    return std::min(kMaxZoom, zoom + 10);
}

uint32_t doubleClickOut(uint32_t zoom)
{
    return zoom < 11 ? 1 : zoom - 10;
}

uint32_t wheeled(uint32_t zoom, int notches)
{
    uint64_t z = std::clamp<uint32_t>(zoom, 1, kMaxZoom);
    for (; notches < 0; ++notches)
        z = std::min<uint64_t>(kMaxZoom, z < kLinearWheelLimit ? z + 1 : (z * 5 + 3) / 4);
    for (; notches > 0; --notches)
        z = z <= kLinearWheelLimit ? std::max<uint64_t>(1, z - 1) : std::max<uint64_t>(kLinearWheelLimit, z * 4 / 5);
    return uint32_t(z);
}

std::optional<uint32_t> preset(int command)
{
    switch (command) {
    case 10001:
        return 1;
    case 10002:
        return 50;
    case 10003:
        return 100;
    case 10004:
        return 500;
    case 10005:
        return 1000;
    case 10006:
        return 1500;
    case 10007:
        return 2000;
    case 10008:
        return 0;
    }
    return std::nullopt;
}

} // namespace kx::zoomsteps
