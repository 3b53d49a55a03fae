#pragma once

#include <cstdint>

namespace kx {

/// The vertical offset in pixels from the centre line at which the wave views draw one sample
/// value (the byte for 8-bit data, the 16-bit pattern for 16-bit data); full scale reaches half
/// of `height` above or below the centre.
int32_t pixelCalculate(uint32_t sample, uint32_t bitsPerSample, int32_t height);

} // namespace kx
