#include "filters/Volume.h"
#include "FilterDocuments.h"
#include "documents/UndoStore.h"
#include "filters/Channels.h"
#include "filters/PeakVolume.h"
#include "filters/SampleScaling.h"
#include "filters/WorkingRange.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

struct ScaleCase {
    int16_t sample;
    int32_t bits;
    uint32_t percent;
    int16_t expected;
};

class SampleScalingTest : public testing::TestWithParam<ScaleCase> { };

TEST_P(SampleScalingTest, TruncatesTowardZeroAndClips)
{
    const ScaleCase& c = GetParam();
    EXPECT_EQ(changeSampleVolume(c.sample, c.bits, percentFactor(c.percent)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SampleScalingTest,
    testing::Values(ScaleCase { 20000, 16, 200, 32767 }, ScaleCase { -20000, 16, 200, -32768 },
        ScaleCase { 3, 16, 200, 6 }, ScaleCase { -3, 16, 150, -4 }, ScaleCase { 3, 16, 150, 4 },
        ScaleCase { 200, 8, 200, 255 }, ScaleCase { 10, 8, 200, 0 }, ScaleCase { 0x1C8, 8, 100, 200 },
        ScaleCase { -32768, 16, 0, 0 }, ScaleCase { 77, 8, 0, 128 }, ScaleCase { -32768, 16, 100, -32768 },
        ScaleCase { 1, 16, 65535, 655 }));

TEST(SampleScaling, PercentFactorsAreSinglePrecision)
{
    EXPECT_EQ(percentFactor(200), 2.0f);
    EXPECT_EQ(percentFactor(50), 0.5f);
    EXPECT_EQ(percentFactor(100), 1.0f);
    EXPECT_EQ(percentFactor(150), 1.5f);
}

TEST(SampleScaling, BlockScalingMatchesTheSingleSample)
{
    std::vector<int16_t> all(65536);
    for (int i = 0; i < 65536; ++i)
        all[i] = int16_t(i - 32768);
    for (const float factor : { 0.0f, 0.3f, 1.0f, 1.7f, 3.2767f, -1.0f }) {
        std::vector<int16_t> scaled = all;
        scaleSamples(std::span<int16_t>(scaled), factor);
        std::vector<uint8_t> bytes(256);
        for (int b = 0; b < 256; ++b)
            bytes[b] = uint8_t(b);
        scaleSamples(std::span<uint8_t>(bytes), factor);
        for (int i = 0; i < 65536; ++i)
            ASSERT_EQ(scaled[i], changeSampleVolume(all[i], 16, factor)) << i << " x " << factor;
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(bytes[b], changeSampleVolume(int16_t(b), 8, factor)) << b << " x " << factor;
    }
}

TEST(ChangeVolume, WholeFileWithoutAMark)
{
    WaveDocument document = sixteenBit({ 20000, -20000, 3, -3 });
    ASSERT_EQ(changeVolume(document, 200), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 32767, -32768, 6, -6 }));
    EXPECT_STREQ(UndoStore::description(document), "Change Volume");
    EXPECT_EQ(document.undo.undoLength, 8u);
}

TEST(ChangeVolume, ExactlyTheMarkedBytes)
{
    WaveDocument document = eightBit({ 200, 200, 200, 200, 200 });
    mark(document, 1, 3);
    ASSERT_EQ(changeVolume(document, 200), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 200, 255, 255, 255, 200 }));
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 200, 200, 200, 200, 200 }));
}

TEST(ChangeVolume, AStopRequestLeavesTheDocumentAsItWas)
{
    std::vector<int16_t> samples(200000, 1000);
    WaveDocument document = sixteenBit(samples);
    std::atomic<bool> stop { false };
    int calls = 0;
    FilterControl control { &stop, [&](int) {
                               if (++calls == 2)
                                   stop = true;
                           } };
    EXPECT_EQ(changeVolume(document, 50, control), FilterStatus::Cancelled);
    EXPECT_EQ(samplesOf(document), samples);
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(ChangeVolume, ProgressRisesToOneHundred)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(100000, 5));
    std::vector<int> seen;
    ASSERT_EQ(changeVolume(document, 50, { nullptr, [&](int p) { seen.push_back(p); } }), FilterStatus::Done);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 100);
}

struct PeakCase {
    std::vector<int16_t> input;
    std::vector<int16_t> expected;
};

class PeakVolumeTest : public testing::TestWithParam<PeakCase> { };

TEST_P(PeakVolumeTest, ScalesTheLoudestSampleToFullScale)
{
    WaveDocument document = sixteenBit(GetParam().input);
    ASSERT_EQ(setMaxVolume(document), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), GetParam().expected);
    // The undo copy is recorded even when nothing changes.
    EXPECT_STREQ(UndoStore::description(document), "Set Maximal Volume");
}

INSTANTIATE_TEST_SUITE_P(Cases, PeakVolumeTest,
    testing::Values(PeakCase { { 10000, -10000, 5000 }, { 32767, -32767, 16383 } },
        // 32767/16383 rounds to 2.00006103515625.
        PeakCase { { 16383, -16383, 1 }, { 32766, -32766, 2 } },
        // The loudest excursion is negative: it is measured by its magnitude, nothing clips.
        PeakCase { { 16383, -16384 }, { 32765, -32767 } }, PeakCase { { 100, -20000 }, { 163, -32767 } },
        PeakCase { { 32767, 5 }, { 32767, 5 } }, PeakCase { { -32768, 5 }, { -32768, 5 } },
        PeakCase { { 0, 0, 0 }, { 0, 0, 0 } }));

TEST(PeakVolume, EightBitAroundTheCentre)
{
    WaveDocument atFullScale = eightBit({ 255, 128, 100 });
    ASSERT_EQ(setMaxVolume(atFullScale), FilterStatus::Done);
    EXPECT_EQ(bytesOf(atFullScale), (std::vector<uint8_t> { 255, 128, 100 }));
    EXPECT_TRUE(UndoStore::isPossible(atFullScale));

    // Peak magnitude 64 (byte 64): factor 127/64.
    WaveDocument quiet = eightBit({ 64, 160, 128 });
    ASSERT_EQ(setMaxVolume(quiet), FilterStatus::Done);
    EXPECT_EQ(bytesOf(quiet), (std::vector<uint8_t> { 1, 191, 128 }));
}

TEST(PeakVolume, MagnitudeNeverWraps)
{
    const std::vector<int16_t> loud { -32768, 0 };
    EXPECT_EQ(peakMagnitude(std::span<const int16_t>(loud)), 32767);
    const std::vector<uint8_t> low { 0, 128 };
    EXPECT_EQ(peakMagnitude(std::span<const uint8_t>(low)), 127);
}

struct ChannelCase {
    uint16_t bits;
    uint16_t channels;
    uint32_t offset;
    bool left;
};

class ChannelTest : public testing::TestWithParam<ChannelCase> { };

TEST_P(ChannelTest, LeftWhenTheOffsetStartsAFrame)
{
    const ChannelCase& c = GetParam();
    WaveDocument document = documentOf(nullptr, 0, c.bits, c.channels);
    EXPECT_EQ(isLeftChannel(document.header, c.offset), c.left);
    EXPECT_EQ(isRightChannel(document.header, c.offset), !c.left);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelTest,
    testing::Values(ChannelCase { 16, 2, 6, false }, ChannelCase { 16, 2, 8, true }, ChannelCase { 16, 1, 6, true },
        ChannelCase { 16, 1, 3, false }, ChannelCase { 8, 1, 7, true }, ChannelCase { 8, 2, 7, false },
        ChannelCase { 8, 2, 0, true }));

TEST(WorkingRange, MarkOrWholeFileNeverPastTheData)
{
    WaveDocument document = eightBit(std::vector<uint8_t>(100));
    EXPECT_EQ(workingRange(document), (ByteRange { 0, 100 }));
    mark(document, 10, 20);
    EXPECT_EQ(workingRange(document), (ByteRange { 10, 20 }));
    mark(document, 90, 20);
    EXPECT_EQ(workingRange(document), (ByteRange { 90, 10 }));
    mark(document, 150, 20);
    EXPECT_EQ(workingRange(document), (ByteRange { 100, 0 }));
}

TEST(WorkingRange, SixteenBitUsesWholeSamples)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(10));
    EXPECT_EQ(wholeSamples(document.header, { 3, 6 }), (ByteRange { 2, 6 }));
    WaveDocument stereo = sixteenBit(std::vector<int16_t>(10), 2);
    EXPECT_EQ(wholeFrames(stereo.header, { 2, 14 }), (ByteRange { 4, 12 }));
    EXPECT_EQ(wholeFrames(stereo.header, { 1, 2 }).length, 0u);
}

} // namespace
