#include "PixelCalculate.h"

namespace kx {

int32_t pixelCalculate(uint32_t sample, uint32_t bitsPerSample, int32_t height)
{
    // The factors are single-precision constants and the product runs left to right in double
    // precision, so the drawings match pixel for pixel at every height.
    constexpr float kEightBitFactor = 1.0f / 256.0f;
    constexpr float kSixteenBitFactor = 1.0f / 65536.0f;
    if (bitsPerSample != 16) {
        const auto value = int8_t(uint8_t(sample - 128));
        return int32_t(double(height) * double(kEightBitFactor) * double(value));
    }
    const auto value = int16_t(uint16_t(sample));
    return int32_t(double(height) * double(kSixteenBitFactor) * double(value));
}

} // namespace kx
