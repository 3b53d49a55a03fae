// The peak summary answers exactly what reading every sample would, and a summary of samples that
// changed while it was built is never kept.
#include "documents/PeakSummary.h"
#include "documents/PcmFormat.h"
#include "documents/PeakSummaryBuild.h"
#include "documents/SharedDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace kx;

std::shared_ptr<SharedDocument> noiseDocument(uint16_t bits, uint16_t channels, uint32_t frames, unsigned seed)
{
    WaveDocument wave;
    PcmFormat { bits, channels, 22050 }.applyTo(wave.header);
    const uint32_t size = frames * wave.header.nBlockAlign;
    wave.samples = SampleBuffer::allocate(size);
    std::mt19937 random(seed);
    for (uint32_t i = 0; i < size; ++i)
        wave.samples.data()[i] = uint8_t(random());
    wave.header.setDataSize(size);
    return std::make_shared<SharedDocument>(std::move(wave));
}

TEST(PeakSummary, AnyRangeGivesThePeaksOfItsSamples)
{
    const struct {
        uint16_t bits, channels;
    } formats[] = { { 8, 1 }, { 8, 2 }, { 16, 1 }, { 16, 2 } };
    for (const auto& format : formats) {
        // Enough frames for three levels, and a last block that is not full.
        const uint32_t frames = 256 * 16 * 16 * 2 + 77;
        const auto shared = noiseDocument(format.bits, format.channels, frames, format.bits + format.channels);
        const std::atomic<bool> stop = false;
        const auto summary = buildPeakSummary(*shared, stop);
        ASSERT_NE(summary, nullptr);
        EXPECT_LT(summary->memoryBytes(), shared->document.header.dataSize / 100 + 1024);
        const uint8_t* samples = shared->document.samples.data();
        // The lowest and highest value of a channel, straight from the bytes.
        const auto direct = [&](uint32_t begin, uint32_t end, int channel) {
            std::pair<int, int> range { 0, 0 };
            for (uint32_t frame = begin; frame < end; ++frame) {
                const std::size_t i = std::size_t(frame) * format.channels + std::size_t(channel);
                const int value
                    = format.bits == 8 ? samples[i] - 128 : int16_t(samples[2 * i] | samples[2 * i + 1] << 8);
                range = frame == begin ? std::pair { value, value }
                                       : std::pair { std::min(range.first, value), std::max(range.second, value) };
            }
            return range;
        };
        std::mt19937 random(7);
        for (int i = 0; i < 300; ++i) {
            uint32_t a = random() % (frames + 1);
            uint32_t b = random() % (frames + 1);
            if (i % 3 == 0)
                b = std::min<uint32_t>(frames, a + uint32_t(random() % 600)); // short ranges: partial blocks only
            const uint32_t begin = std::min(a, b);
            const uint32_t end = std::max(a, b);
            for (int c = 0; c < format.channels; ++c)
                ASSERT_EQ(summary->peaks(samples, begin, end, c), direct(begin, end, c))
                    << format.bits << "/" << format.channels << " " << begin << ".." << end;
        }
    }
}

TEST(PeakSummary, ChangedSamplesMakeTheSummaryStale)
{
    const auto shared = noiseDocument(16, 2, 100000, 3);
    const std::atomic<bool> stop = false;
    auto summary = buildPeakSummary(*shared, stop);
    ASSERT_TRUE(shared->peaks.store(summary));
    EXPECT_EQ(shared->peaks.current(&shared->document.header), summary);

    shared->peaks.samplesChanged();
    EXPECT_EQ(shared->peaks.current(), nullptr);
    EXPECT_FALSE(shared->peaks.store(summary)); // built from the samples before the change

    // A summary of another length is never handed out, whatever its generation says.
    shared->peaks.store(buildPeakSummary(*shared, stop));
    WaveHeader shorter = shared->document.header;
    shorter.setDataSize(4000);
    EXPECT_EQ(shared->peaks.current(&shorter), nullptr);

    shared->operationRunning = true; // nothing is built while an operation works on the samples
    EXPECT_EQ(buildPeakSummary(*shared, stop), nullptr);
    shared->operationRunning = false;
}

} // namespace
