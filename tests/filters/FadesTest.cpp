#include "filters/Fades.h"
#include "FilterDocuments.h"
#include "documents/UndoStore.h"
#include "filters/CrossFades.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

struct FadeCase {
    bool in;
    uint32_t percent;
    std::vector<int16_t> input;
    std::vector<int16_t> expected;
};

class FadeTest : public testing::TestWithParam<FadeCase> { };

TEST_P(FadeTest, LinearRampOverTheRange)
{
    const FadeCase& c = GetParam();
    WaveDocument document = sixteenBit(c.input);
    ASSERT_EQ(c.in ? fadeIn(document, c.percent) : fadeOut(document, c.percent), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), c.expected);
    EXPECT_STREQ(UndoStore::description(document), c.in ? "Fade In" : "Fade Out");
}

INSTANTIATE_TEST_SUITE_P(Cases, FadeTest,
    testing::Values(FadeCase { true, 50, { 1000, 1000, 1000, 1000 }, { 500, 625, 750, 875 } },
        FadeCase { false, 50, { 1000, 1000, 1000, 1000 }, { 1000, 875, 750, 625 } },
        FadeCase { true, 100, { 1000, -7, 32767, -32768 }, { 1000, -7, 32767, -32768 } },
        FadeCase { true, 0, { -1000, 1000 }, { 0, 500 } }, FadeCase { false, 0, { 1000, -1000 }, { 1000, -500 } },
        // Stereo is not split: each value gets its own step.
        FadeCase { true, 0, { 800, 800, 800, 800 }, { 0, 200, 400, 600 } }));

TEST(Fades, FadeInFromZeroOnEightBitStartsAtTheCentre)
{
    WaveDocument document = eightBit({ 255, 255, 0, 0 });
    ASSERT_EQ(fadeIn(document, 0), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 128, 159, 64, 32 }));
}

TEST(Fades, FadeInWithFullLevelRecordsUndo)
{
    WaveDocument document = sixteenBit({ 1, 2, 3 });
    ASSERT_EQ(fadeIn(document, 100), FilterStatus::Done);
    EXPECT_TRUE(UndoStore::isPossible(document));
}

// Over a long range the ramp keeps rising to the end: no stall where a running single-precision
// sum stops growing.
TEST(Fades, LongFadeInKeepsRising)
{
    const std::size_t n = 10u * 60 * 44100 * 2;
    WaveDocument document = sixteenBit(std::vector<int16_t>(n, 30000));
    ASSERT_EQ(fadeIn(document, 10), FilterStatus::Done);
    const auto* s = reinterpret_cast<const int16_t*>(document.samples.data());
    for (const double at : { 0.25, 0.5, 0.75, 0.99 }) {
        const std::size_t i = std::size_t(at * double(n));
        EXPECT_NEAR(s[i], 30000 * (0.1 + 0.9 * at), 2) << at;
    }
    EXPECT_EQ(s[n - 1], 30000);
}

struct CrossFadeCase {
    CrossFade direction;
    std::vector<int16_t> expected;
};

class CrossFadeTest : public testing::TestWithParam<CrossFadeCase> { };

TEST_P(CrossFadeTest, MovesTheSoundBetweenChannels)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(8, 1000), 2);
    ASSERT_EQ(fadeChannels(document, GetParam().direction), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CrossFadeTest,
    testing::Values(CrossFadeCase { CrossFade::LeftToRight, { 1000, 0, 750, 250, 500, 500, 250, 750 } },
        CrossFadeCase { CrossFade::RightToLeft, { 0, 1000, 250, 750, 500, 500, 750, 250 } }));

TEST(CrossFades, MonoChangesNothingButRecordsUndo)
{
    WaveDocument document = sixteenBit({ 1000, 1000, 1000, 1000 });
    ASSERT_EQ(fadeChannels(document, CrossFade::LeftToRight), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1000, 1000, 1000, 1000 }));
    EXPECT_STREQ(UndoStore::description(document), "Fade Channels Left To Right");
}

TEST(CrossFades, AMarkStartingOnARightSampleBeginsAtTheNextFrame)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(10, 1000), 2);
    mark(document, 6, 12); // right sample of frame 1 up to the end of frame 3
    ASSERT_EQ(fadeChannels(document, CrossFade::LeftToRight), FilterStatus::Done);
    // frames = 12 / 4 = 3; frames 2 and 3 change with factors 1 and 2/3.
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1000, 1000, 1000, 1000, 1000, 0, 666, 333, 1000, 1000 }));
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), std::vector<int16_t>(10, 1000));
}

TEST(CrossFades, EightBitStereoAroundTheCentre)
{
    WaveDocument document = eightBit({ 228, 228, 228, 228 }, 2);
    ASSERT_EQ(fadeChannels(document, CrossFade::RightToLeft), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 128, 228, 178, 178 }));
}

TEST(CrossFades, StartFactorAboveOneIsCappedAndBelowOneInverts)
{
    WaveDocument capped = sixteenBit(std::vector<int16_t>(4, 1000), 2);
    ASSERT_TRUE(crossFadeRange(capped, { 0, 8 }, 3.0f, CrossFade::LeftToRight));
    EXPECT_EQ(samplesOf(capped), (std::vector<int16_t> { 1000, 0, 500, 500 }));

    WaveDocument low = sixteenBit(std::vector<int16_t>(4, 1000), 2);
    ASSERT_TRUE(crossFadeRange(low, { 0, 8 }, 0.25f, CrossFade::LeftToRight));
    EXPECT_EQ(samplesOf(low), (std::vector<int16_t> { 250, 750, -250, 1250 }));
}

TEST(CrossFades, LessThanOneFrameChangesNothing)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(4, 1000), 2);
    ASSERT_TRUE(crossFadeRange(document, { 0, 3 }, 1.0f, CrossFade::LeftToRight));
    EXPECT_EQ(samplesOf(document), std::vector<int16_t>(4, 1000));
}

} // namespace
