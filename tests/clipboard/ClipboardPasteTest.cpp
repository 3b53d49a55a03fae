#include "clipboard/ClipboardPaste.h"
#include "../filters/FilterDocuments.h"
#include "MemoryClipboard.h"
#include "clipboard/MixSamples.h"
#include "documents/PcmFormat.h"
#include "documents/UndoStore.h"
#include "media/ConvertedClipboard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using namespace kx;
using namespace kx::test;

std::vector<uint8_t> filled(std::size_t n, uint8_t value)
{
    return std::vector<uint8_t>(n, value);
}

std::vector<uint8_t> counting(std::size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i);
    return bytes;
}

TEST(PasteClipboard, InsertsAtTheCursorAndKeepsTheMark)
{
    const struct {
        uint32_t markStart, markLength;
        uint32_t insertedAt;
    } cases[] = {
        { 0, 0, 0 }, // in front of everything
        { 0, 40, 0 }, // the mark stays as it was
        { 60, 0, 60 }, { 100, 0, 100 }, // at the end
        { 500, 0, 100 }, // a cursor past the data is brought to its end
    };
    for (const auto& c : cases) {
        WaveDocument document = eightBit(counting(100));
        mark(document, c.markStart, c.markLength);
        MemoryClipboard clip = MemoryClipboard::of(eightBit(filled(30, 200)));
        ASSERT_EQ(pasteClipboard(document, clip), EditStatus::Done);
        std::vector<uint8_t> expected = counting(100);
        expected.insert(expected.begin() + c.insertedAt, 30, 200);
        EXPECT_EQ(bytesOf(document), expected);
        EXPECT_EQ(document.header.riffSize, 130u + 36);
        EXPECT_EQ(document.mark.markStart, std::min(c.markStart, 100u));
        EXPECT_EQ(document.mark.markLength, c.markLength);
        EXPECT_EQ(document.info.saved, 0u);
        EXPECT_STREQ(UndoStore::description(document), "Paste From Clipboard");
    }
}

TEST(PasteClipboard, UndoRemovesThePastedBytes)
{
    WaveDocument document = eightBit(counting(1000));
    MemoryClipboard clip = MemoryClipboard::of(eightBit(filled(300, 9)));
    ASSERT_EQ(pasteClipboard(document, clip), EditStatus::Done);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), counting(1000));
    EXPECT_EQ(document.mark.markStart, 0u);
    EXPECT_EQ(document.mark.markLength, 0u);
}

TEST(PasteClipboard, FailuresLeaveTheDocumentAndItsUndoAlone)
{
    WaveDocument document = sixteenBit({ 1, 2, 3, 4, 5, 6 });
    mark(document, 4, 0);
    UndoStore::save(document, 0, 4, UndoChanged, "Fade In");
    WaveDocument other = eightBit(filled(8, 1));
    MemoryClipboard wrongFormat = MemoryClipboard::of(other);
    EXPECT_EQ(pasteClipboard(document, wrongFormat), EditStatus::IncompatibleFormat);
    EXPECT_STREQ(editMessage(EditStatus::IncompatibleFormat), "Incompatible format.");

    MemoryClipboard broken = MemoryClipboard::of(sixteenBit({ 7, 8, 9, 10 }));
    broken.failAfter = 4;
    EXPECT_EQ(pasteClipboard(document, broken), EditStatus::CannotRead);
    EXPECT_EQ(mixClipboard(document, broken, 1.5f), EditStatus::CannotRead);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1, 2, 3, 4, 5, 6 }));
    EXPECT_EQ(document.header.dataSize, 12u);
    EXPECT_EQ(document.info.saved, 1u);
    EXPECT_STREQ(UndoStore::description(document), "Fade In");
}

TEST(PasteClipboard, EmptyClipboardDataChangesNothing)
{
    WaveDocument document = eightBit(counting(10));
    MemoryClipboard empty = MemoryClipboard::of(eightBit({}));
    EXPECT_EQ(pasteClipboard(document, empty), EditStatus::NothingToDo);
    EXPECT_EQ(mixClipboard(document, empty, 1.5f), EditStatus::NothingToDo);
    EXPECT_EQ(bytesOf(document), counting(10));
    EXPECT_EQ(document.info.saved, 1u);
}

TEST(TakeClipboard, EmptyDocumentBecomesTheClipboardInItsOwnFormat)
{
    WaveDocument document; // new: 22050 Hz 8-bit mono, no data
    WaveDocument source = sixteenBit({ 100, -100, 200, -200 }, 2);
    source.header.nSamplesPerSec = 44100;
    source.header.nAvgBytesPerSec = 44100 * 4;
    MemoryClipboard clip = MemoryClipboard::of(source);
    ASSERT_EQ(takeClipboard(document, clip), EditStatus::Done);
    EXPECT_EQ(document.header.nChannels, 2);
    EXPECT_EQ(document.header.wBitsPerSample, 16);
    EXPECT_EQ(document.header.nSamplesPerSec, 44100u);
    EXPECT_EQ(document.header.riffSize, 8u + 36);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 100, -100, 200, -200 }));
    EXPECT_EQ(document.info.saved, 0u);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(document.header.dataSize, 0u);
}

TEST(MixSamples, SixteenBitMeanTimesGain)
{
    const struct {
        int16_t document, clip;
        float gain;
        int16_t expected;
    } cases[] = {
        { 20000, 20000, 1.5f, 30000 },
        { 30000, 30000, 1.5f, 32767 }, // clipped
        { -3, 0, 1.5f, -1 }, // -3 / 2 = -1 toward zero, times 1.5 truncated
        { -30000, -30000, 1.5f, -32768 },
        { 1, 0, 1.5f, 0 },
        { -32768, -32768, 1.0f, -32768 },
        { 1000, 3000, 0.5f, 1000 },
    };
    for (const auto& c : cases) {
        int16_t target = c.document;
        mixSamples(std::span(&target, 1), std::span(&c.clip, 1), c.gain);
        EXPECT_EQ(target, c.expected) << c.document << " + " << c.clip;
    }
}

TEST(MixSamples, EightBitMeanTimesGain)
{
    const struct {
        uint8_t document, clip;
        float gain;
        uint8_t expected;
    } cases[] = {
        { 255, 255, 1.5f, 255 }, // (255 - 128) * 1.5 = 190.5 -> 190, clipped to 127, plus 128
        { 128, 128, 1.5f, 128 }, { 0, 0, 1.5f, 0 }, { 200, 100, 1.5f, 161 }, // mean 150: 22 * 1.5 = 33
        { 100, 101, 1.0f, 100 }, // the mean is rounded down
    };
    for (const auto& c : cases) {
        uint8_t target = c.document;
        mixSamples(std::span(&target, 1), std::span(&c.clip, 1), c.gain);
        EXPECT_EQ(target, c.expected) << int(c.document) << " + " << int(c.clip);
    }
}

TEST(MixClipboard, OverhangIsFilledWithSilenceThenMixed)
{
    // 1000 bytes mixed 400 bytes before the end: 600 bytes of silence first, then all 1000 mixed.
    WaveDocument document = eightBit(filled(2000, 100));
    mark(document, 1600, 0);
    UndoStore::save(document, 0, 10, UndoChanged, "Fade In");
    MemoryClipboard clip = MemoryClipboard::of(eightBit(filled(1000, 200)));
    ASSERT_EQ(mixClipboard(document, clip, 1.5f), EditStatus::Done);
    ASSERT_EQ(document.header.dataSize, 2600u);
    EXPECT_EQ(document.header.riffSize, 2636u);
    const std::vector<uint8_t> bytes = bytesOf(document);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1600), filled(1600, 100));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 1600, bytes.begin() + 2000), filled(400, 161));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 2000, bytes.end()), filled(600, 182)); // (128 + 200) / 2
    EXPECT_FALSE(UndoStore::isPossible(document)); // mixing cannot be undone
    EXPECT_EQ(document.info.saved, 0u);
}

TEST(MixClipboard, SixteenBitSilenceIsZero)
{
    WaveDocument document = sixteenBit({ 1000, 1000, 1000, 1000 });
    mark(document, 4, 0);
    MemoryClipboard clip = MemoryClipboard::of(sixteenBit({ 2000, 2000, 2000, 2000 }));
    ASSERT_EQ(mixClipboard(document, clip, 1.5f), EditStatus::Done);
    EXPECT_EQ(samplesOf(document), (std::vector<int16_t> { 1000, 1000, 2250, 2250, 1500, 1500 }));
    EXPECT_EQ(document.mark.markStart, 4u);
}

/// A document's bytes after a mix as the rule states it: extended with silence to the clipboard's
/// end, then the samples from the one holding the cursor mixed with the clipboard's in one go.
std::vector<uint8_t> mixedInOneGo(
    std::vector<uint8_t> bytes, const std::vector<uint8_t>& clip, uint32_t cursor, bool sixteen, float gain)
{
    bytes.resize(std::max<std::size_t>(bytes.size(), cursor + clip.size()), sixteen ? 0 : 128);
    if (!sixteen) {
        mixSamples(std::span(bytes).subspan(cursor, clip.size()), std::span(clip), gain);
        return bytes;
    }
    const std::size_t first = cursor / 2 * 2;
    std::vector<int16_t> target(clip.size() / 2), from(clip.size() / 2);
    std::memcpy(target.data(), &bytes[first], target.size() * 2);
    std::memcpy(from.data(), clip.data(), from.size() * 2);
    mixSamples(std::span(target), std::span<const int16_t>(from), gain);
    std::memcpy(&bytes[first], target.data(), target.size() * 2);
    return bytes;
}

TEST(MixClipboard, LongClipboardsMixAsInOneGo)
{
    // Long clipboards are read and mixed piece by piece; the pieces must not show: overhangs
    // starting inside a piece, odd cursors and lengths, a read failing late.
    const struct {
        bool sixteen;
        uint32_t documentBytes, cursor, clipBytes;
        float gain;
    } cases[] = {
        { true, 300000, 0, 300000, 1.5f },
        { true, 300000, 250001, 200000, 0.5f }, // odd cursor: from the sample holding it
        { true, 100000, 30000, 150001, 2.0f }, // odd length: the last byte is not mixed
        { false, 200001, 150001, 131073, 1.5f }, { false, 70000, 70000, 70000, -1.0f }, // all overhang
        { true, 131072, 65536, 65536, 100000.0f }, // pieces exactly at the end; clipped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.documentBytes << " @" << c.cursor << " +" << c.clipBytes);
        std::vector<uint8_t> bytes(c.documentBytes), clipBytes(c.clipBytes);
        uint32_t noise = c.cursor + 1;
        for (auto* block : { &bytes, &clipBytes })
            for (uint8_t& byte : *block)
                byte = uint8_t((noise = noise * 1664525u + 1013904223u) >> 24);
        WaveDocument document = documentOf(bytes.data(), bytes.size(), c.sixteen ? 16 : 8, 1);
        mark(document, c.cursor, 0);
        MemoryClipboard clip(document.header, clipBytes);

        MemoryClipboard failing = clip;
        failing.failAfter = c.clipBytes - 1;
        EXPECT_EQ(mixClipboard(document, failing, c.gain), EditStatus::CannotRead);
        EXPECT_EQ(bytesOf(document), bytes);

        ASSERT_EQ(mixClipboard(document, clip, c.gain), EditStatus::Done);
        const std::vector<uint8_t> expected = mixedInOneGo(bytes, clipBytes, c.cursor, c.sixteen, c.gain);
        EXPECT_EQ(document.header.dataSize, expected.size());
        EXPECT_TRUE(bytesOf(document) == expected);
    }
}

WaveHeader headerOf(const PcmFormat& format)
{
    WaveHeader header;
    format.applyTo(header);
    return header;
}

TEST(ConvertedClipboard, PastesTheConvertedLength)
{
    const struct {
        PcmFormat clip, document;
        uint32_t clipBytes, converted;
    } cases[] = {
        { { 8, 1, 22050 }, { 16, 2, 44100 }, 22050, 176400 }, // one second
        { { 16, 2, 44100 }, { 8, 1, 22050 }, 176400, 22050 },
        { { 8, 1, 22050 }, { 16, 2, 44100 }, 1001, 8008 },
        { { 16, 1, 48000 }, { 16, 2, 48000 }, 960, 1920 },
    };
    for (const auto& c : cases) {
        WaveDocument document;
        document.header = headerOf(c.document);
        document.samples = SampleBuffer::copyOf(filled(400, c.document.bits == 8 ? 128 : 0));
        document.header.setDataSize(400);
        MemoryClipboard clip(headerOf(c.clip), filled(c.clipBytes, 128));
        ConvertedClipboard converted;
        ASSERT_EQ(converted.load(clip, document.header), ConvertStatus::Converted);
        EXPECT_EQ(converted.header().dataSize, c.converted);
        ASSERT_EQ(pasteClipboard(document, converted), EditStatus::Done);
        EXPECT_EQ(document.header.dataSize, 400 + c.converted);
        EXPECT_EQ(document.undo.undoLength, c.converted);
    }
}

TEST(ConvertedClipboard, EightBitMonoKeepsItsLevelInBothChannels)
{
    // A 1 kHz sine at 22050 Hz 8-bit mono, into 44100 Hz 16-bit stereo.
    const std::size_t frames = 22050;
    std::vector<uint8_t> sine(frames);
    for (std::size_t i = 0; i < frames; ++i)
        sine[i] = uint8_t(std::lround(128 + 100 * std::sin(2 * std::numbers::pi * 1000 * double(i) / 22050)));
    MemoryClipboard clip(headerOf({ 8, 1, 22050 }), sine);
    ConvertedClipboard converted;
    ASSERT_EQ(converted.load(clip, headerOf({ 16, 2, 44100 })), ConvertStatus::Converted);
    std::vector<int16_t> out(converted.header().dataSize / 2);
    ASSERT_TRUE(converted.read({ reinterpret_cast<uint8_t*>(out.data()), out.size() * 2 }));
    double errorPower = 0;
    double signalPower = 0;
    for (std::size_t frame = 1000; frame < 43000; ++frame) {
        const double ideal = 100 * 256 * std::sin(2 * std::numbers::pi * 1000 * double(frame) / 44100);
        EXPECT_EQ(out[2 * frame], out[2 * frame + 1]); // the mono sample in both channels
        errorPower += (out[2 * frame] - ideal) * (out[2 * frame] - ideal);
        signalPower += ideal * ideal;
    }
    // Full level (no -3 dB) and no worse than the 8-bit source's own quantisation allows.
    EXPECT_GT(10 * std::log10(signalPower / errorPower), 35.0);
}

} // namespace
