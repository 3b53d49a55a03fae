#include "FilterDocuments.h"
#include "documents/UndoStore.h"
#include "filters/MovingAverage.h"
#include "filters/Soften.h"
#include "filters/Velocity.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

struct VelocityCase {
    uint32_t percent;
    std::vector<uint8_t> input;
    std::vector<uint8_t> expected;
};

class VelocityTest : public testing::TestWithParam<VelocityCase> { };

TEST_P(VelocityTest, NearestEarlierSampleWithoutSmoothing)
{
    WaveDocument document = eightBit(GetParam().input);
    ASSERT_EQ(changeVelocity(document, { GetParam().percent, false, 3 }), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), GetParam().expected);
    EXPECT_EQ(document.header.riffSize, document.header.dataSize + 36);
    EXPECT_EQ(document.samples.size(), document.header.dataSize);
}

INSTANTIATE_TEST_SUITE_P(Cases, VelocityTest,
    testing::Values(VelocityCase { 200, { 10, 20, 30, 40, 50, 60 }, { 10, 30, 50 } },
        VelocityCase { 50, { 10, 20, 30 }, { 10, 10, 20, 20, 30, 30 } },
        VelocityCase { 300, { 1, 2, 3, 4, 5, 6, 7 }, { 1, 4 } },
        VelocityCase { 1, { 7 }, std::vector<uint8_t>(100, 7) }));

TEST(Velocity, OneHundredAndZeroPercentChangeNothing)
{
    for (const uint32_t percent : { 100u, 0u }) {
        WaveDocument document = eightBit({ 1, 2, 3 });
        ASSERT_TRUE(UndoStore::save(document, 0, 3, UndoChanged, "Reverse"));
        EXPECT_EQ(changeVelocity(document, { percent, true, 3 }), FilterStatus::Refused);
        EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 1, 2, 3 }));
        EXPECT_TRUE(UndoStore::isPossible(document));
    }
}

TEST(Velocity, TheMarkFollowsTheSound)
{
    WaveDocument document = eightBit(std::vector<uint8_t>(400, 1));
    mark(document, 100, 50);
    ASSERT_EQ(changeVelocity(document, { 200, false, 3 }), FilterStatus::Done);
    EXPECT_EQ(document.mark.markStart, 50u);
    EXPECT_EQ(document.mark.markLength, 25u);
}

TEST(Velocity, ForbidsTheOldUndo)
{
    WaveDocument document = eightBit({ 1, 2, 3, 4 });
    ASSERT_TRUE(UndoStore::save(document, 0, 4, UndoChanged, "Reverse"));
    ASSERT_EQ(changeVelocity(document, { 200, false, 3 }), FilterStatus::Done);
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(Velocity, StereoMapsWholeFramesChannelByChannel)
{
    WaveDocument faster = sixteenBit({ 1, -1, 2, -2, 3, -3, 4, -4, 5, -5 }, 2);
    ASSERT_EQ(changeVelocity(faster, { 200, false, 3 }), FilterStatus::Done);
    EXPECT_EQ(samplesOf(faster), (std::vector<int16_t> { 1, -1, 3, -3 }));

    WaveDocument slower = sixteenBit({ 1, -1, 2, -2 }, 2);
    mark(slower, 4, 4);
    ASSERT_EQ(changeVelocity(slower, { 50, false, 3 }), FilterStatus::Done);
    EXPECT_EQ(samplesOf(slower), (std::vector<int16_t> { 1, -1, 1, -1, 2, -2, 2, -2 }));
    EXPECT_EQ(slower.mark.markStart, 8u);
    EXPECT_EQ(slower.mark.markLength, 8u);
}

TEST(Velocity, LengthStaysWholeFrames)
{
    // Three stereo frames at 150 %: two frames, never a partial one.
    WaveDocument document = sixteenBit({ 1, 1, 2, 2, 3, 3 }, 2);
    ASSERT_EQ(changeVelocity(document, { 150, false, 3 }), FilterStatus::Done);
    EXPECT_EQ(document.header.dataSize, 8u);
}

TEST(Velocity, SmoothingRunsOverEachChannel)
{
    WaveDocument document = sixteenBit({ 0, 100, 3, 100, 6, 100, 9, 100, 12, 100, 15, 100 }, 2);
    ASSERT_EQ(changeVelocity(document, { 50, true, 1 }), FilterStatus::Done);
    const auto samples = samplesOf(document);
    ASSERT_EQ(samples.size(), 24u);
    for (std::size_t i = 1; i < samples.size(); i += 2)
        EXPECT_EQ(samples[i], 100) << i;
    // Left after doubling: 0 0 3 3 6 6 ...; window 3.
    EXPECT_EQ(samples[0], 1);
    EXPECT_EQ(samples[2], 2);
}

TEST(Velocity, EmptyDocumentStaysEmpty)
{
    WaveDocument document = eightBit({});
    EXPECT_EQ(changeVelocity(document, { 50, true, 3 }), FilterStatus::Done);
    EXPECT_EQ(document.header.dataSize, 0u);
}

struct AverageCase {
    std::vector<int16_t> input;
    std::size_t channels;
    std::size_t window;
    std::vector<int16_t> expected;
};

class MovingAverageTest : public testing::TestWithParam<AverageCase> { };

TEST_P(MovingAverageTest, ForwardMeanTruncatedTowardZero)
{
    std::vector<int16_t> samples = GetParam().input;
    ASSERT_TRUE(movingAverage(std::span<int16_t>(samples), GetParam().channels, GetParam().window));
    EXPECT_EQ(samples, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MovingAverageTest,
    testing::Values(AverageCase { { 0, 3, 6, 9, 12, 15 }, 1, 3, { 3, 6, 9, 9, 12, 15 } },
        AverageCase { { -1, -1, 0, 5 }, 1, 3, { 0, -1, 0, 5 } }, AverageCase { { 1, 2, 3 }, 1, 3, { 1, 2, 3 } },
        // Channels are averaged on their own: the right channel's 1000s never leak left.
        AverageCase { { 0, 1000, 3, 1000, 6, 1000, 9, 1000 }, 2, 3, { 3, 1000, 3, 1000, 6, 1000, 9, 1000 } },
        AverageCase { { -32768, -32768, -32768, -32768, 1 }, 1, 4, { -32768, -32768, -32768, -32768, 1 } },
        AverageCase { std::vector<int16_t>(25, 20), 1, 20, std::vector<int16_t>(25, 20) }));

TEST(MovingAverage, EightBitSumsUnsignedBytes)
{
    std::vector<uint8_t> bytes { 255, 255, 254, 0, 0 };
    ASSERT_TRUE(movingAverage(std::span<uint8_t>(bytes), 1, 3));
    EXPECT_EQ(bytes, (std::vector<uint8_t> { 254, 169, 254, 0, 0 }));
}

TEST(MovingAverage, WindowFromStrength)
{
    EXPECT_EQ(smoothingWindow(1), 3u);
    EXPECT_EQ(smoothingWindow(8), 10u);
    EXPECT_EQ(smoothingWindow(18), 20u);
    EXPECT_EQ(smoothingWindow(65535), 20u);
}

TEST(Soften, StrengthOneOnSixteenBit)
{
    WaveDocument document = sixteenBit({ 0, 3, 6, 9, 12, 15 });
    ASSERT_EQ(soften(document, 1), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 3, 6, 9, 9, 12, 15 }));
    EXPECT_STREQ(UndoStore::description(document), "Soften");
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 0, 3, 6, 9, 12, 15 }));
}

TEST(Soften, ShortRangeChangesNothingButRecordsUndo)
{
    WaveDocument document = sixteenBit({ 5, 9, 1 });
    ASSERT_EQ(soften(document, 1), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 5, 9, 1 }));
    EXPECT_TRUE(UndoStore::isPossible(document));
}

TEST(Soften, StereoKeepsChannelsApart)
{
    WaveDocument document = sixteenBit({ 0, -30000, 3, -30000, 6, -30000, 9, -30000, 12, -30000 }, 2);
    ASSERT_EQ(soften(document, 1), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 3, -30000, 6, -30000, 6, -30000, 9, -30000, 12, -30000 }));
}

} // namespace
