#pragma once

#include "WorkingRange.h"

namespace kx {

/// A left (or mono) sample begins every frame.
inline bool isLeftChannel(const WaveHeader& header, uint32_t offset)
{
    return offset % frameBytes(header) == 0;
}

inline bool isRightChannel(const WaveHeader& header, uint32_t offset)
{
    return !isLeftChannel(header, offset);
}

} // namespace kx
