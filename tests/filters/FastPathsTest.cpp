// The vector paths of the filters against the straightforward per-sample arithmetic, over many
// indices and values: they must give the same bits, not nearly the same.
#include "FilterDocuments.h"

#include "documents/UndoStore.h"
#include "filters/CrossFades.h"
#include "filters/Fades.h"
#include "filters/MovingAverage.h"
#include "filters/PeakVolume.h"
#include "filters/Reverse.h"
#include "filters/SampleScaling.h"
#include "filters/ScaleTable.h"
#include "filters/Silence.h"
#include "filters/StreamingCopy.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "filters/Zeroize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using namespace kx;
using namespace kx::test;

/// Noise over the whole 16-bit range with the extremes and zero sprinkled in.
std::vector<int16_t> noise(std::size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<int16_t> samples(count);
    for (int16_t& sample : samples) {
        const uint32_t r = random();
        sample = r % 17 == 0 ? int16_t(-32768) : r % 19 == 0 ? int16_t(32767) : r % 23 == 0 ? 0 : int16_t(r >> 16);
    }
    return samples;
}

struct RampCase {
    double first;
    double change;
    double n;
    std::size_t firstIndex;
};

TEST(FastPaths, FadeRampMatchesTheFormulaAtEveryIndex)
{
    // n as a ten-minute stereo file has it, the indices at its start, middle and end.
    const double n = 10.0 * 60 * 44100 * 2;
    const RampCase cases[] = { { 0.1, 0.9, n, 0 }, { 0.1, 0.9, n, 26460000 }, { 0.1, 0.9, n, std::size_t(n) - 4099 },
        { 1.0, -0.9, n, 12345677 }, { 0.0, 1.0, 3.0, 0 }, { 0.33, 0.67, 100003.0, 99000 }, { 2.5, -2.0, 7777.0, 5 } };
    for (const RampCase& ramp : cases) {
        const std::vector<int16_t> input = noise(4099, uint32_t(ramp.firstIndex) + 1);
        std::vector<int16_t> samples = input;
        // The copy starts off its vector boundary, as an undo copy of a mark may.
        std::vector<int16_t> copy(input.size() + 1);
        rampSamples(std::span<int16_t>(samples), ramp.firstIndex, ramp.first, ramp.change, ramp.n, copy.data() + 1);
        ASSERT_TRUE(std::equal(input.begin(), input.end(), copy.begin() + 1));
        for (std::size_t j = 0; j < input.size(); ++j) {
            const double i = double(ramp.firstIndex + j);
            ASSERT_EQ(samples[j], scaleSample(input[j], float(ramp.first + i * ramp.change / ramp.n)))
                << ramp.firstIndex << " + " << j;
        }
    }
}

TEST(FastPaths, CrossFadeMatchesTheFormulaForEveryFrame)
{
    const double frames = 10.0 * 60 * 44100;
    for (const bool leftFades : { true, false }) {
        for (const std::size_t firstFrame : { std::size_t(0), std::size_t(13229999), std::size_t(frames) - 2049 }) {
            for (const double first : { 1.0, 0.5, -3.0, 1.0 - 65535.0 }) {
                const std::vector<int16_t> input = noise(2 * 2049, uint32_t(firstFrame) + 3);
                std::vector<int16_t> samples = input;
                crossFadeSamples(std::span<int16_t>(samples), firstFrame, first, frames, leftFades);
                for (std::size_t j = 0; j < input.size() / 2; ++j) {
                    const double fading = first - double(firstFrame + j) / frames;
                    const float out = float(fading);
                    const float in = float(1.0 - fading);
                    ASSERT_EQ(samples[2 * j], scaleSample(input[2 * j], leftFades ? out : in)) << j;
                    ASSERT_EQ(samples[2 * j + 1], scaleSample(input[2 * j + 1], leftFades ? in : out)) << j;
                }
            }
        }
    }
}

TEST(FastPaths, PeakMagnitudeFindsTheLoudestOfEitherSignAnywhere)
{
    for (const std::size_t length : { 1u, 15u, 16u, 17u, 1000u, 1001u }) {
        for (std::size_t at = 0; at < length; at += std::max<std::size_t>(1, length / 7)) {
            for (const int16_t loudest : { int16_t(-32768), int16_t(-20001), int16_t(20001), int16_t(32767) }) {
                std::vector<int16_t> samples(length);
                for (std::size_t i = 0; i < length; ++i)
                    samples[i] = int16_t(int(i * 7919 % 40001) - 20000);
                samples[at] = loudest;
                const int32_t expected = std::min(std::abs(int32_t(loudest)), 32767);
                ASSERT_EQ(peakMagnitude(std::span<const int16_t>(samples)), expected) << length << " " << at;
            }
        }
    }
    const std::vector<int16_t> silence(100);
    EXPECT_EQ(peakMagnitude(std::span<const int16_t>(silence)), 0);
}

TEST(FastPaths, PeakVolumeOfAnOddlyPlacedMarkAndItsUndo)
{
    std::vector<int16_t> input = noise(200003, 12);
    for (int16_t& sample : input)
        sample = int16_t(sample / 3);
    input[150001] = -12001; // the loudest, inside the mark
    input[1] = 30000; // louder, but outside it
    WaveDocument document = sixteenBit(input, 1);
    mark(document, 2 * 5, 2 * 199001);
    ASSERT_EQ(setMaxVolume(document), FilterStatus::Done);
    std::vector<int16_t> expected = input;
    ScaleTable(float(32767.0 / 12001.0)).apply(std::span<int16_t>(expected).subspan(5, 199001));
    EXPECT_EQ(samplesOf(document), expected);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), input);
}

TEST(FastPaths, ZeroizeGatesExactlyAtEveryThreshold)
{
    const std::vector<int16_t> input = noise(70001, 11);
    for (const uint32_t tenths : { 0u, 1u, 30u, 500u, 999u, 1000u, 1001u, 2000u }) {
        WaveDocument document = sixteenBit(input, 2);
        ASSERT_EQ(zeroize(document, tenths), FilterStatus::Done);
        const int32_t threshold = gateThresholds(tenths).sixteenBit;
        const std::vector<int16_t> result = samplesOf(document);
        for (std::size_t i = 0; i < input.size(); ++i) {
            const int32_t v = input[i];
            ASSERT_EQ(result[i], (v > -threshold && v < threshold) ? 0 : v) << tenths << " at " << i;
        }
        ASSERT_TRUE(UndoStore::restore(document));
        ASSERT_EQ(samplesOf(document), input);
    }
}

TEST(FastPaths, ReverseOfManyBlocksAndItsUndo)
{
    // More frames than one block, an odd count so one frame stays in the middle.
    const std::vector<int16_t> input = noise(2 * 100001, 5);
    WaveDocument document = sixteenBit(input, 2);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    std::vector<uint32_t> frames(input.size() / 2);
    std::memcpy(frames.data(), input.data(), input.size() * 2);
    std::reverse(frames.begin(), frames.end());
    std::vector<int16_t> expected(input.size());
    std::memcpy(expected.data(), frames.data(), expected.size() * 2);
    EXPECT_EQ(samplesOf(document), expected);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), input);
}

TEST(FastPaths, StoppedReverseLeavesTheDataAsItWas)
{
    const std::vector<int16_t> input = noise(2 * 300001, 6);
    WaveDocument document = sixteenBit(input, 2);
    std::atomic<bool> stop { false };
    const FilterControl control { &stop, [&](int percent) { stop = percent >= 30; }, {} };
    ASSERT_EQ(reverse(document, control), FilterStatus::Cancelled);
    EXPECT_EQ(samplesOf(document), input);
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(FastPaths, UndoCopyOfAnOddlyPlacedLargeRange)
{
    // The copy bypassing the cache starts at an odd target offset and ends in a partial line.
    const std::vector<int16_t> input = noise(300007, 8);
    WaveDocument document = sixteenBit(input, 1);
    mark(document, 2 * 3, 2 * 299001);
    ASSERT_EQ(changeVolume(document, 37), FilterStatus::Done);
    ASSERT_EQ(setSilence(document), FilterStatus::Done);
    ASSERT_TRUE(UndoStore::restore(document));
    std::vector<int16_t> scaled = input;
    const ScaleTable table(percentFactor(37));
    table.apply(std::span<int16_t>(scaled).subspan(3, 299001));
    EXPECT_EQ(samplesOf(document), scaled);

    std::vector<uint8_t> source(100000), target(100003, 0);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = uint8_t(i * 31 + 7);
    copyPastCache(target.data() + 3, source.data(), source.size());
    EXPECT_TRUE(std::equal(source.begin(), source.end(), target.begin() + 3));
    EXPECT_EQ(target[2], 0);
}

/// Output frame i of a velocity change is input frame min(i * speed, frames - 1).
template <class Sample>
void expectVelocityMapping(const std::vector<Sample>& input, uint16_t bits, uint16_t channels, uint32_t percent)
{
    WaveDocument document = documentOf(input.data(), input.size() * sizeof(Sample), bits, channels);
    ASSERT_EQ(changeVelocity(document, { percent, false, 3 }), FilterStatus::Done);
    const std::size_t inputFrames = input.size() / channels;
    const double speed = double(percentFactor(percent));
    const auto outputFrames = std::size_t(double(inputFrames) * double(float(1.0 / speed)));
    ASSERT_EQ(document.header.dataSize, outputFrames * channels * sizeof(Sample)) << percent;
    const auto* result = reinterpret_cast<const Sample*>(document.samples.data());
    for (std::size_t i = 0; i < outputFrames; ++i) {
        const std::size_t source = std::min(std::size_t(double(i) * speed), inputFrames - 1);
        for (std::size_t c = 0; c < channels; ++c)
            ASSERT_EQ(result[i * channels + c], input[source * channels + c]) << percent << " frame " << i;
    }
}

TEST(FastPaths, VelocityMapsEveryFrameAsTheFormulaSays)
{
    const std::vector<int16_t> samples = noise(2 * 20011, 9);
    std::vector<uint8_t> bytes(20011);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(samples[i]);
    for (const uint32_t percent : { 50u, 33u, 75u, 99u, 101u, 150u, 200u, 333u }) {
        expectVelocityMapping(samples, 16, 2, percent);
        expectVelocityMapping(samples, 16, 1, percent);
        expectVelocityMapping(bytes, 8, 1, percent);
    }
}

TEST(FastPaths, MovingAverageMatchesTheDirectMeanPerChannel)
{
    const std::vector<int16_t> input = noise(2 * 9001, 10);
    for (const std::size_t channels : { 1u, 2u }) {
        for (std::size_t window = 1; window <= 20; ++window) {
            std::vector<int16_t> samples = input;
            ASSERT_TRUE(movingAverage(std::span<int16_t>(samples), channels, window));
            const std::size_t frames = input.size() / channels;
            for (std::size_t i = 0; i < frames; ++i) {
                for (std::size_t c = 0; c < channels; ++c) {
                    int32_t expected = input[i * channels + c];
                    if (i + window < frames) {
                        int32_t sum = 0;
                        for (std::size_t j = 0; j < window; ++j)
                            sum += input[(i + j) * channels + c];
                        expected = sum / int32_t(window);
                    }
                    ASSERT_EQ(samples[i * channels + c], expected) << channels << " " << window << " at " << i;
                }
            }
        }
    }
}

} // namespace
