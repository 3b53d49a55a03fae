#include "media/FormatConverter.h"
#include "TempDir.h"
#include "ToneFiles.h"
#include "documents/WavWriter.h"
#include "media/ConvertDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace kx;
using namespace kx::test;

WaveDocument documentOf(const PcmFormat& format, const Bytes& samples)
{
    WaveDocument document;
    document.header = headerOf(format, samples.size());
    document.samples = SampleBuffer::copyOf(samples);
    return document;
}

Bytes bytesOf(const WaveDocument& document)
{
    return Bytes(document.samples.data(), document.samples.data() + document.samples.size());
}

TEST(FormatConverter, TargetSizeFollowsTheDurationInTargetFrames)
{
    const struct {
        PcmFormat from;
        PcmFormat to;
        uint64_t sourceBytes;
        uint64_t targetBytes;
    } cases[] = {
        { { 8, 1, 22050 }, { 16, 2, 44100 }, 22050, 176400 },
        { { 16, 2, 44100 }, { 8, 1, 22050 }, 176400, 22050 },
        { { 16, 2, 44100 }, { 16, 2, 48000 }, 176400, 192000 },
        { { 8, 1, 8000 }, { 8, 1, 11025 }, 8000, 11025 },
        { { 8, 1, 11025 }, { 8, 1, 8000 }, 1, 1 }, // a part of a frame's time is a whole frame
        { { 16, 2, 22050 }, { 16, 2, 22050 }, 7, 4 }, // a part of a source frame is not converted
        { { 16, 1, 44100 }, { 8, 1, 44100 }, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sourceBytes);
        EXPECT_EQ(FormatConverter(c.from, c.to).targetSize(c.sourceBytes), c.targetBytes);
    }
}

TEST(FormatConverter, ConvertingA22050HzMonoDocumentTo44100HzStereo)
{
    const PcmFormat from { 8, 1, 22050 };
    WaveDocument document = documentOf(from, tone(from, 22050, 1000.0));
    document.mark.markStart = 1000;
    document.mark.markLength = 500;
    document.undo.undoKind = UndoChanged;
    document.undo.savedBytes = SampleBuffer::copyOf(Bytes(10, 1));
    document.info.saved = 1;
    ASSERT_EQ(convertDocument(document, { 16, 2, 44100 }), ConvertStatus::Converted);
    const WaveHeader& h = document.header;
    EXPECT_EQ(h.dataSize, 176400u);
    EXPECT_EQ(h.riffSize, 176436u);
    EXPECT_EQ(document.samples.size(), 176400u);
    EXPECT_EQ(h.wBitsPerSample, 16);
    EXPECT_EQ(h.nChannels, 2);
    EXPECT_EQ(h.nSamplesPerSec, 44100u);
    EXPECT_EQ(h.nBlockAlign, 4);
    EXPECT_EQ(h.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(document.mark.markStart, 8000u); // the same time: frame 1000 of 22050 Hz is frame 2000
    EXPECT_EQ(document.mark.markLength, 4000u);
    EXPECT_EQ(document.undo.undoKind, UndoNothing);
    EXPECT_TRUE(document.undo.savedBytes.isNull());
    EXPECT_EQ(document.info.saved, 0u);
    // The tone arrives at full level on both sides, not 3 dB down, and the same on each.
    const Bytes expected = tone({ 16, 2, 44100 }, 44100, 1000.0);
    double signal = 0, converted = 0, sides = 0;
    for (std::size_t frame = 1000; frame < 43000; ++frame) {
        const double left = sampleAt(document.samples.data(), 16, 2 * frame);
        const double right = sampleAt(document.samples.data(), 16, 2 * frame + 1);
        const double want = sampleAt(expected.data(), 16, 2 * frame);
        signal += want * want;
        converted += left * left;
        sides += (left - right) * (left - right);
    }
    EXPECT_NEAR(std::sqrt(converted / signal), 1.0, 0.02);
    EXPECT_EQ(sides, 0.0);
}

TEST(FormatConverter, ChannelsAreCopiedOrAveraged)
{
    const struct {
        const char* what;
        PcmFormat from;
        Bytes frame; // repeated
        PcmFormat to;
        Bytes expected; // one frame of the settled output
    } cases[] = {
        { "mono 8 to stereo 16", { 8, 1, 8000 }, { 0xC0 }, { 16, 2, 8000 }, { 0x00, 0x40, 0x00, 0x40 } },
        { "mono 16 to stereo 16", { 16, 1, 8000 }, { 0x00, 0x20 }, { 16, 2, 8000 }, { 0x00, 0x20, 0x00, 0x20 } },
        { "stereo 16 to mono 16, equal", { 16, 2, 8000 }, { 0x40, 0x1F, 0x40, 0x1F }, { 16, 1, 8000 }, { 0x40, 0x1F } },
        { "stereo 16 to mono 16, opposite", { 16, 2, 8000 }, { 0x40, 0x1F, 0xC0, 0xE0 }, { 16, 1, 8000 },
            { 0x00, 0x00 } },
        { "stereo 8 to mono 8", { 8, 2, 8000 }, { 0xC0, 0x80 }, { 8, 1, 8000 }, { 0xA0 } },
        { "16 to 8 bit", { 16, 1, 8000 }, { 0x00, 0xC0 }, { 8, 1, 8000 }, { 0x40 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes source;
        for (int i = 0; i < 400; ++i)
            source.insert(source.end(), c.frame.begin(), c.frame.end());
        FormatConverter converter(c.from, c.to);
        ASSERT_TRUE(converter.isReady());
        // Twice: a converter starts afresh for every block, keeping its channel matrix.
        for (int round = 0; round < 2; ++round) {
            Bytes target(converter.targetSize(source.size()));
            ASSERT_TRUE(converter.convert(source, target));
            const std::size_t middle = target.size() / 2 / c.expected.size() * c.expected.size();
            EXPECT_EQ(Bytes(target.begin() + middle, target.begin() + middle + c.expected.size()), c.expected);
        }
    }
}

TEST(FormatConverter, ResampledToneKeepsItsLevelAndPitch)
{
    const struct {
        PcmFormat from;
        PcmFormat to;
    } cases[] = {
        { { 16, 2, 44100 }, { 16, 2, 48000 } },
        { { 16, 1, 48000 }, { 16, 1, 8000 } },
        { { 8, 1, 11025 }, { 16, 1, 44100 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from.rate) + " to " + std::to_string(c.to.rate));
        const Bytes source = tone(c.from, c.from.rate, 1000.0); // one second
        FormatConverter converter(c.from, c.to);
        Bytes target(converter.targetSize(source.size()));
        ASSERT_EQ(target.size(), std::size_t(c.to.rate) * c.to.blockAlign());
        ASSERT_TRUE(converter.convert(source, target));
        // Away from the ends: 1000 periods a second, half full scale.
        std::size_t crossings = 0;
        double power = 0;
        const std::size_t first = c.to.rate / 10, last = c.to.rate - c.to.rate / 10;
        for (std::size_t frame = first; frame < last; ++frame) {
            const double value = sampleAt(target.data(), c.to.bits, frame * c.to.channels);
            const double next = sampleAt(target.data(), c.to.bits, (frame + 1) * c.to.channels);
            crossings += (value < 0) != (next < 0);
            power += value * value;
        }
        const double seconds = double(last - first) / c.to.rate;
        EXPECT_NEAR(double(crossings) / seconds, 2000.0, 10.0);
        EXPECT_NEAR(std::sqrt(power / double(last - first)), 0.5 / std::sqrt(2.0), 0.01);
    }
}

TEST(FormatConverter, TheMarkKeepsItsTimeOnWholeFrames)
{
    // From frames of 4 bytes at 44100 Hz to frames of 1 byte at 22050 Hz: half the frames.
    const struct {
        uint32_t start, length;
        uint32_t newStart, newLength;
    } cases[] = {
        { 10000, 20000, 1250, 2500 }, { 150000, 20000, 18750, 2500 }, { 0, 176400, 0, 22050 },
        { 100, 50, 13, 6 }, // frames 25 to 37.5 are 12.5 to 18.75: the nearest whole frames
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        const PcmFormat from { 16, 2, 44100 };
        WaveDocument document = documentOf(from, tone(from, 44100, 440.0));
        document.mark.markStart = c.start;
        document.mark.markLength = c.length;
        ASSERT_EQ(convertDocument(document, { 8, 1, 22050 }), ConvertStatus::Converted);
        EXPECT_EQ(document.header.dataSize, 22050u);
        EXPECT_EQ(document.mark.markStart, c.newStart);
        EXPECT_EQ(document.mark.markLength, c.newLength);
    }
}

TEST(FormatConverter, AFailedConversionLeavesTheDocumentAsItWas)
{
    const PcmFormat from { 8, 1, 22050 };
    const Bytes samples = tone(from, 1000, 440.0);
    const struct {
        const char* what;
        Bytes data;
        PcmFormat to;
        ConvertStatus status;
        const char* message;
    } cases[] = {
        { "rate 0", samples, { 16, 2, 0 }, ConvertStatus::CannotConvert, "COULD NOT CONVERT" },
        { "no data", {}, { 16, 2, 44100 }, ConvertStatus::NothingToConvert, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WaveDocument document = documentOf(from, c.data);
        document.mark.markStart = 5;
        const WaveHeader before = document.header;
        EXPECT_EQ(convertDocument(document, c.to), c.status);
        EXPECT_STREQ(convertMessage(c.status), c.message);
        EXPECT_EQ(std::memcmp(&before, &document.header, sizeof before), 0);
        EXPECT_EQ(bytesOf(document), c.data);
        EXPECT_EQ(document.info.saved, 1u);
        EXPECT_EQ(document.mark.markStart, 5u);
    }
}

TEST(FormatConverter, AConvertedFileHoldsTheBytesOfTheConvertedDocument)
{
    const PcmFormat formats[] = { { 16, 2, 44100 }, { 8, 1, 22050 }, { 16, 1, 8000 } };
    TempDir dir;
    for (const PcmFormat& from : formats) {
        Bytes samples(from.blockAlign() * 70001u);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = uint8_t(i * 7 + i / 300);
        ASSERT_EQ(writeWavFile(dir.file("in.wav"), headerOf(from, samples.size()), samples), WavWriteStatus::Ok);
        for (const PcmFormat& to : formats) {
            WaveDocument document = documentOf(from, samples);
            ASSERT_EQ(convertDocument(document, to), ConvertStatus::Converted);
            WavStreamReader source;
            ASSERT_EQ(source.open(dir.file("in.wav")), WavReadStatus::Ok);
            StreamStatus io;
            ASSERT_EQ(convertWavFile(source, dir.file("out.wav"), to, {}, io), ConvertStatus::Converted);
            ASSERT_TRUE(io.ok());
            WavFileContents converted;
            ASSERT_EQ(readWavFile(dir.file("out.wav"), converted), WavReadStatus::Ok);
            EXPECT_EQ(std::memcmp(&converted.header, &document.header, sizeof(WaveHeader)), 0);
            EXPECT_EQ(Bytes(converted.samples.bytes().begin(), converted.samples.bytes().end()), bytesOf(document));
        }
    }
}

} // namespace
