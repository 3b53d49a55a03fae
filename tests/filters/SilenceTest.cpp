#include "filters/Silence.h"
#include "FilterDocuments.h"
#include "documents/UndoStore.h"
#include "filters/Reverse.h"
#include "filters/Zeroize.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using namespace kx;
using namespace kx::test;

TEST(SetSilence, EightBitMarkBecomes127)
{
    WaveDocument document = eightBit({ 1, 2, 3, 4, 5 });
    mark(document, 1, 3);
    ASSERT_EQ(setSilence(document), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 1, 127, 127, 127, 5 }));
    EXPECT_STREQ(UndoStore::description(document), "Silence");
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 1, 2, 3, 4, 5 }));
}

TEST(SetSilence, SixteenBitWholeSamplesOfTheMark)
{
    WaveDocument document = sixteenBit({ 1, 2, 3, 4, 5 });
    mark(document, 3, 4); // samples 1 up to, not including, 3
    ASSERT_EQ(setSilence(document), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 0, 0, 4, 5 }));
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2, 3, 4, 5 }));
}

TEST(SetSilence, NothingMarkedChangesNothingAndRecordsNothing)
{
    WaveDocument document = eightBit({ 1, 2, 3 });
    ASSERT_TRUE(UndoStore::save(document, 0, 1, UndoChanged, "Reverse"));
    ASSERT_EQ(setSilence(document), FilterStatus::Refused);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 1, 2, 3 }));
    EXPECT_STREQ(UndoStore::description(document), "Reverse");
}

struct LengthCase {
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint32_t sec;
    uint32_t ms;
    uint64_t expected;
};

class SilenceLengthTest : public testing::TestWithParam<LengthCase> { };

TEST_P(SilenceLengthTest, WholeBytesPerMillisecondThenWholeFrames)
{
    WaveHeader header;
    header.nAvgBytesPerSec = GetParam().avgBytesPerSec;
    header.nBlockAlign = GetParam().blockAlign;
    header.wBitsPerSample = GetParam().blockAlign == 1 ? 8 : 16;
    EXPECT_EQ(silenceLength(header, GetParam().sec, GetParam().ms), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SilenceLengthTest,
    testing::Values(LengthCase { 22050, 1, 1, 0, 22000 }, LengthCase { 176400, 4, 1, 0, 176000 },
        LengthCase { 176400, 4, 0, 250, 44000 },
        // 15 bytes per millisecond in 16-bit mono: whole samples only.
        LengthCase { 15000, 2, 0, 1, 14 }, LengthCase { 15000, 4, 0, 3, 44 },
        // Beyond 32 bits the length is not wrapped.
        LengthCase { 192000, 4, 65535, 65535, 12595302720ull }));

TEST(InsertSilence, EightBitAtTheCursor)
{
    WaveDocument document = eightBit({ 1, 2, 3 });
    document.header.nAvgBytesPerSec = 22050;
    mark(document, 1, 0);
    ASSERT_EQ(insertSilence(document, 1, 0), FilterStatus::Done);
    ASSERT_EQ(document.header.dataSize, 22003u);
    EXPECT_EQ(document.header.riffSize, 22039u);
    const auto bytes = bytesOf(document);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(std::count(bytes.begin() + 1, bytes.begin() + 22001, 127), 22000);
    EXPECT_EQ(bytes[22001], 2);
    EXPECT_EQ(bytes[22002], 3);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 1, 2, 3 }));
    EXPECT_EQ(document.mark.markStart, 1u);
}

TEST(InsertSilence, SixteenBitMonoMovesTheSampleAtTheCursor)
{
    WaveDocument document = sixteenBit({ 1, 2, 3, 4, 5, 6 });
    document.header.nAvgBytesPerSec = 4000; // 4 bytes per millisecond
    mark(document, 4, 0);
    ASSERT_EQ(insertSilence(document, 0, 1), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2, 0, 0, 3, 4, 5, 6 }));
}

TEST(InsertSilence, ACursorPastTheEndAppendsAndMoves)
{
    WaveDocument document = sixteenBit({ 1, 2 });
    document.header.nAvgBytesPerSec = 4000;
    mark(document, 100, 0);
    ASSERT_EQ(insertSilence(document, 0, 1), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2, 0, 0 }));
    EXPECT_EQ(document.mark.markStart, 4u);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2 }));
}

TEST(InsertSilence, IntoAnEmptyDocument)
{
    WaveDocument document = eightBit({});
    document.header.nAvgBytesPerSec = 8000;
    ASSERT_EQ(insertSilence(document, 0, 2), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), std::vector<uint8_t>(16, 127));
    EXPECT_EQ(document.header.riffSize, 52u);
}

TEST(InsertSilence, TooLongForAWaveFileChangesNothing)
{
    WaveDocument document = sixteenBit({ 1, 2 }, 2);
    document.header.nAvgBytesPerSec = 192000;
    ASSERT_TRUE(UndoStore::save(document, 0, 4, UndoChanged, "Reverse"));
    EXPECT_EQ(insertSilence(document, 65535, 65535), FilterStatus::OutOfMemory);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2 }));
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(Zeroize, DefaultThresholds)
{
    EXPECT_EQ(gateThresholds(30).eightBit, 3);
    EXPECT_EQ(gateThresholds(30).sixteenBit, 983);
    EXPECT_EQ(gateThresholds(0).sixteenBit, 0);
    EXPECT_EQ(gateThresholds(1000).sixteenBit, 32767);
}

TEST(Zeroize, SixteenBitStrictBounds)
{
    WaveDocument document = sixteenBit({ 982, -982, 983, -983, 0, 5000 });
    ASSERT_EQ(zeroize(document, 30), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 0, 0, 983, -983, 0, 5000 }));
    EXPECT_STREQ(UndoStore::description(document), "Zeroize");
}

TEST(Zeroize, EightBitAroundOneTwentySeven)
{
    WaveDocument document = eightBit({ 124, 125, 126, 127, 128, 129, 130 });
    ASSERT_EQ(zeroize(document, 30), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 124, 127, 127, 127, 127, 127, 130 }));
}

struct ReverseCase {
    std::vector<int16_t> input;
    uint16_t channels;
    std::vector<int16_t> expected;
};

class ReverseTest : public testing::TestWithParam<ReverseCase> { };

TEST_P(ReverseTest, ExactReversalOfWholeFrames)
{
    const ReverseCase& c = GetParam();
    WaveDocument document = sixteenBit(c.input, c.channels);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), c.expected);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), c.input);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReverseTest,
    testing::Values(ReverseCase { { 1, 2, 3, 4, 5, 6 }, 1, { 6, 5, 4, 3, 2, 1 } },
        ReverseCase { { 1, 2, 3, 4, 5 }, 1, { 5, 4, 3, 2, 1 } }, ReverseCase { { 1 }, 1, { 1 } },
        ReverseCase { {}, 1, {} }, ReverseCase { { 1, -1, 2, -2, 3, -3 }, 2, { 3, -3, 2, -2, 1, -1 } }));

TEST(Reverse, EightBitMarkedRangeAndUndo)
{
    WaveDocument document = eightBit({ 'a', 'b', 'c', 'd', 'e', 'f' });
    mark(document, 1, 4);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 'a', 'e', 'd', 'c', 'b', 'f' }));
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), (std::vector<uint8_t> { 'a', 'b', 'c', 'd', 'e', 'f' }));
}

TEST(Reverse, LongStereoTwiceIsTheOriginal)
{
    std::vector<int16_t> samples(300001 * 2);
    std::iota(samples.begin(), samples.end(), int16_t(0));
    WaveDocument document = sixteenBit(samples, 2);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    const auto reversed = samplesOf(document);
    EXPECT_EQ(reversed[0], samples[samples.size() - 2]);
    EXPECT_EQ(reversed[1], samples[samples.size() - 1]);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document), samples);
}

TEST(Reverse, StopHalfWayPutsEverythingBack)
{
    std::vector<int16_t> samples(400000);
    std::iota(samples.begin(), samples.end(), int16_t(0));
    WaveDocument document = sixteenBit(samples);
    std::atomic<bool> stop { false };
    FilterControl control { &stop, [&](int percent) { stop = percent >= 50; } };
    EXPECT_EQ(reverse(document, control), FilterStatus::Cancelled);
    EXPECT_EQ(samplesOf(document), samples);
}

} // namespace
