// The whole-range scaling gives exactly the single-sample arithmetic for every possible sample,
// whichever way (lookup or vector units) it computes.
#include "filters/ScaleTable.h"
#include "filters/SampleScaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace kx;

TEST(ScaleTable, EveryValueMatchesScaleSample)
{
    // Factors with products just below and above whole numbers, negative ones, clipping ones and
    // one beyond the largest factor.
    std::vector<float> factors { 0.0f, 0.5f, 1.0f, 2.0f, 1.5f, 3.2767f, 2.00006103515625f, 0.333333343f, 0.1f,
        0.99999994f, 1.00000012f, -1.0f, -0.7f, 65535.0f, 1e9f, -1e9f };
    // And factors of every magnitude the filters use, with full 24-bit mantissas.
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round)
        factors.push_back(float(std::ldexp(double(random() % (1u << 24)) + double(1u << 24), int(random() % 40) - 54))
            * (round % 5 == 0 ? -1.0f : 1.0f));
    std::vector<int16_t> all(65536 + 7); // an odd length: the vector loop's tail runs too
    for (float factor : factors) {
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = int16_t(uint16_t(i * 40503u));
        const std::vector<int16_t> input = all;
        ScaleTable(factor).apply(std::span<int16_t>(all));
        const float limited = std::clamp(factor, -kLargestFactor, kLargestFactor);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < all.size(); ++i)
            wrong += all[i] != scaleSample(input[i], limited);
        EXPECT_EQ(wrong, 0u) << factor;

        std::vector<uint8_t> bytes(256);
        for (int b = 0; b < 256; ++b)
            bytes[b] = uint8_t(b);
        ScaleTable(factor).apply(std::span<uint8_t>(bytes));
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(bytes[b], scaleSample(uint8_t(b), limited)) << factor << " " << b;
    }
}

} // namespace
