#include "filters/Drawtone.h"
#include "FilterDocuments.h"
#include "documents/UndoStore.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using namespace kx;
using namespace kx::test;

const std::vector<CurvePin> kV = { { 0, 0 }, { 150, 200 }, { 300, 0 } };

TEST(DrawtonePins, DefaultLayouts)
{
    EXPECT_EQ(defaultPins(4), (std::vector<CurvePin> { { 0, 100 }, { 100, 100 }, { 200, 100 }, { 300, 100 } }));
    std::vector<int32_t> xs;
    for (const CurvePin& pin : defaultPins(8))
        xs.push_back(pin.x);
    EXPECT_EQ(xs, (std::vector<int32_t> { 0, 42, 84, 126, 168, 210, 252, 300 }));
    // Counts typed out of range never divide by zero nor overflow the list.
    EXPECT_EQ(defaultPins(1).size(), 3u);
    EXPECT_EQ(defaultPins(99).size(), 20u);
}

TEST(DrawtonePins, DragSnapsToTheLinesAndKeepsTheOrder)
{
    EXPECT_EQ(snapToLine(51), 50); // client y 61
    EXPECT_EQ(snapToLine(2), 0);
    EXPECT_EQ(snapToLine(198), 200);
    EXPECT_EQ(snapToLine(97), 97);
    EXPECT_EQ(snapToLine(153), 153);

    std::vector<CurvePin> pins = defaultPins(4);
    ASSERT_TRUE(dragPin(pins, 1, 200, 61));
    EXPECT_EQ(pins[1], (CurvePin { 100, 61 })); // x may not reach the neighbour's
    ASSERT_TRUE(dragPin(pins, 1, 199, 101));
    EXPECT_EQ(pins[1], (CurvePin { 199, 100 }));
    ASSERT_TRUE(dragPin(pins, 0, 50, 30));
    EXPECT_EQ(pins[0], (CurvePin { 0, 30 })); // end pins move only vertically
    EXPECT_FALSE(dragPin(pins, 3, 300, 30)); // outside the inner columns
    EXPECT_EQ(hitPin(pins, 197, 97), 1);
    EXPECT_EQ(hitPin(pins, 195, 100), -1);
}

// A V from 200 % down to silence and back, over 3000 samples: each segment's first sample is one
// step past its left pin, its last exactly at its right pin.
TEST(DrawtoneVolume, VCurveGoldenValues)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(3000, 1000));
    ASSERT_EQ(drawtoneVolume(document, kV, false), FilterStatus::Done);
    const std::vector<int16_t> s = samplesOf(document);
    EXPECT_EQ(s[0], 1998);
    EXPECT_EQ(s[749], 1000);
    EXPECT_EQ(s[1499], 0);
    EXPECT_EQ(s[1500], 1);
    EXPECT_EQ(s[2249], 1000);
    EXPECT_EQ(s[2999], 2000);
    EXPECT_STREQ(UndoStore::description(document), "Drawtone Volume");
}

// An odd length: the last segment still ends on the last sample.
TEST(DrawtoneVolume, LastSegmentReachesTheEnd)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(3001, 1000));
    ASSERT_EQ(drawtoneVolume(document, kV, false), FilterStatus::Done);
    EXPECT_EQ(samplesOf(document).back(), 2000);
}

// 1001 stereo frames: the middle pin falls on frame 500, never between its two samples.
TEST(DrawtoneVolume, SegmentsStartOnWholeFrames)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(2002, 10000), 2);
    ASSERT_EQ(drawtoneVolume(document, kV, false), FilterStatus::Done);
    const std::vector<int16_t> s = samplesOf(document);
    EXPECT_EQ(s[999], 0); // right sample of frame 499 ends the first segment
    EXPECT_EQ(s[1000], 19); // left sample of frame 500: 2 / 1002 of the way up
}

// Ten minutes of 44.1 kHz stereo: every pin's level is reached, no stall of a running sum.
TEST(DrawtoneVolume, LongCurveReachesEveryPin)
{
    const std::size_t n = 10u * 60 * 44100 * 2;
    WaveDocument document = sixteenBit(std::vector<int16_t>(n, 10000), 2);
    const std::vector<CurvePin> pins = { { 0, 100 }, { 100, 0 }, { 200, 200 }, { 300, 150 } };
    ASSERT_EQ(drawtoneVolume(document, pins, false), FilterStatus::Done);
    const auto* s = reinterpret_cast<const int16_t*>(document.samples.data());
    const std::size_t third = n / 3;
    EXPECT_EQ(s[third - 1], 20000);
    EXPECT_EQ(s[2 * third - 1], 0);
    EXPECT_EQ(s[n - 1], 5000);
    EXPECT_EQ(s[third / 2 - 1], 15000);
}

TEST(DrawtoneVolume, StoppedOrUndoneEveryByteIsBack)
{
    std::vector<int16_t> original(200000);
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = int16_t(i * 7919);
    WaveDocument document = sixteenBit(original, 2);
    std::atomic<bool> stop { false };
    FilterControl control;
    control.stop = &stop;
    control.progress = [&](int) { stop = true; };
    EXPECT_EQ(drawtoneVolume(document, kV, false, control), FilterStatus::Cancelled);
    EXPECT_EQ(samplesOf(document), original);

    ASSERT_EQ(drawtoneVolume(document, kV, false), FilterStatus::Done);
    ASSERT_NE(samplesOf(document), original);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), original);
}

TEST(Drawtone, ShortRangesChangeNothing)
{
    WaveDocument small = eightBit(std::vector<uint8_t>(300, 200), 2);
    EXPECT_EQ(drawtoneVolume(small, kV, false), FilterStatus::Refused);
    EXPECT_EQ(drawtoneFadeChannels(small, kV, false), FilterStatus::Refused);
    EXPECT_EQ(bytesOf(small), std::vector<uint8_t>(300, 200));
    EXPECT_FALSE(UndoStore::isPossible(small));

    WaveDocument marked = eightBit(std::vector<uint8_t>(1000, 200), 2);
    mark(marked, 100, 300);
    EXPECT_EQ(drawtoneVolume(marked, kV, true), FilterStatus::Refused);
    EXPECT_EQ(bytesOf(marked), std::vector<uint8_t>(1000, 200));
    // The channel curve takes the whole file instead of a short mark.
    EXPECT_EQ(drawtoneFadeChannels(marked, kV, true), FilterStatus::Done);
    EXPECT_EQ(bytesOf(marked)[0], 128);
}

TEST(DrawtoneFadeChannels, MonoIsRefused)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(1000, 1000));
    EXPECT_EQ(drawtoneFadeChannels(document, kV, false), FilterStatus::Refused);
    EXPECT_EQ(samplesOf(document), std::vector<int16_t>(1000, 1000));
    EXPECT_FALSE(UndoStore::isPossible(document));
}

// Down then up on screen: right to left, then left to right, each over whole frames of the mark.
TEST(DrawtoneFadeChannels, SegmentsInsideTheMark)
{
    WaveDocument document = sixteenBit(std::vector<int16_t>(1200, 1000), 2);
    mark(document, 402, 1600); // starts on a right sample: frames 101 to 499
    ASSERT_EQ(drawtoneFadeChannels(document, kV, true), FilterStatus::Done);
    const std::vector<int16_t> s = samplesOf(document);
    EXPECT_EQ(s[200], 1000);
    EXPECT_EQ(s[201], 1000);
    EXPECT_EQ(s[202], 0); // frame 101: right to left starts with the left silent
    EXPECT_EQ(s[203], 1000);
    EXPECT_EQ(s[600], 1000); // frame 300 begins the second half, left to right
    EXPECT_EQ(s[601], 0);
    EXPECT_EQ(s[999], 995);
    EXPECT_EQ(s[1000], 1000);
    EXPECT_STREQ(UndoStore::description(document), "Drawtone Fade Channels");
}

} // namespace
