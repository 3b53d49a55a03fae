#include "InputLevel.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

InputLevel inputLevel(std::span<const uint8_t> stereo8)
{
    InputLevel level;
    uint8_t highestLeft = 0;
    for (std::size_t i = 0; i + 1 < stereo8.size(); i += 2) {
        level.left = std::max(level.left, std::abs(int(stereo8[i]) - 127));
        level.right = std::max(level.right, std::abs(int(stereo8[i + 1]) - 127));
        highestLeft = std::max(highestLeft, stereo8[i]);
    }
    level.left = std::min(level.left, 127);
    level.right = std::min(level.right, 127);
    level.peak = highestLeft > 253;
    return level;
}

} // namespace kx
