#include "documents/SampleBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace kx;

/// A byte that differs from page to page and within each page.
uint8_t patternAt(std::size_t i)
{
    return uint8_t(i * 7 + (i >> 12));
}

bool holdsPattern(const SampleBuffer& buffer, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (buffer.data()[i] != patternAt(i))
            return false;
    return true;
}

TEST(SampleBuffer, BlocksOfEverySizeKeepTheirBytesThroughGrowthAndShrinking)
{
    // Small blocks live on the heap; large ones are mapped, given huge-page advice and remapped on
    // growth: every kind must keep its bytes, and the slack after the data must stay writable.
    const struct {
        std::size_t first, grown, shrunk;
    } cases[] = {
        { 1000, 5000, 10 }, { std::size_t(64) << 20, std::size_t(130) << 20, std::size_t(1) << 20 },
        { (std::size_t(70) << 20) + 3, (std::size_t(200) << 20) + 1, (std::size_t(65) << 20) + 5 },
        { std::size_t(1) << 20, std::size_t(96) << 20, 4096 }, // from the heap into a mapping
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        SampleBuffer buffer = SampleBuffer::allocate(c.first);
        ASSERT_FALSE(buffer.isNull());
        for (std::size_t i = 0; i < c.first; ++i)
            buffer.data()[i] = patternAt(i);
        ASSERT_TRUE(buffer.resize(c.grown));
        EXPECT_EQ(buffer.size(), c.grown);
        EXPECT_TRUE(holdsPattern(buffer, c.first));
        std::memset(buffer.data() + c.first, 0x5a, c.grown - c.first + SampleBuffer::kSlack);
        ASSERT_TRUE(buffer.resize(c.shrunk));
        EXPECT_EQ(buffer.size(), c.shrunk);
        EXPECT_TRUE(holdsPattern(buffer, c.shrunk));
        std::memset(buffer.data() + c.shrunk, 0, SampleBuffer::kSlack);
    }
}

TEST(SampleBuffer, ImpossibleSizeLeavesTheBufferAsItWas)
{
    SampleBuffer buffer = SampleBuffer::allocate(std::size_t(64) << 20);
    ASSERT_FALSE(buffer.isNull());
    buffer.data()[0] = 42;
    uint8_t* before = buffer.data();
    EXPECT_FALSE(buffer.resize(SIZE_MAX - 10));
    EXPECT_EQ(buffer.data(), before);
    EXPECT_EQ(buffer.size(), std::size_t(64) << 20);
    EXPECT_EQ(buffer.data()[0], 42);
}

} // namespace
