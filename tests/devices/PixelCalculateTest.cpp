#include "devices/PixelCalculate.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

    struct PixelCase {
        uint32_t sample;
        uint32_t bits;
        int32_t height;
        int32_t expected;
    };

    class PixelCalculateTest : public testing::TestWithParam<PixelCase> { };

    TEST_P(PixelCalculateTest, GivesTheTruncatedOffset)
    {
        const PixelCase& c = GetParam();
        EXPECT_EQ(pixelCalculate(c.sample, c.bits, c.height), c.expected)
            << "sample " << c.sample << " bits " << c.bits << " height " << c.height;
    }

    INSTANTIATE_TEST_SUITE_P(Golden, PixelCalculateTest,
        testing::Values(
            // Full scale reaches half the height; the positive side stays one short.
            PixelCase { 32767, 16, 200, 99 }, PixelCase { 0x8000, 16, 200, -100 }, PixelCase { 255, 8, 200, 99 },
            PixelCase { 0, 8, 200, -100 }, PixelCase { 128, 8, 200, 0 }, PixelCase { 192, 8, 100, 25 },
            PixelCase { 0x8000, 16, 100, -50 },
            // Truncation goes towards zero on both sides.
            PixelCase { 127, 8, 100, 0 }, PixelCase { 129, 8, 100, 0 }, PixelCase { 100, 8, 100, -10 },
            PixelCase { 0xFFFF, 16, 100, 0 }, PixelCase { 0xFE00, 16, 100, 0 }, PixelCase { 0xFD70, 16, 100, -1 },
            // Only the low 16 bits of a 16-bit pattern count; any width but 16 is 8-bit data.
            PixelCase { 0x12345678, 16, 1000, 337 }, PixelCase { 192, 24, 100, 25 }, PixelCase { 0x1C0, 8, 100, 25 },
            PixelCase { 32767, 16, 0, 0 }, PixelCase { 32767, 16, -200, -99 }));

} // namespace
} // namespace kx
