#include "documents/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace kx;

TEST(FormatSettings, ConfirmingWritesTheFiveTexts)
{
    const struct {
        FormatGroup group;
        FormatChoice choice;
        std::vector<SettingText> writes;
    } cases[] = {
        { FormatGroup::NewFile, { 1, 1, "44100" },
            { { "Kestrix\\NewFile\\Bit", "16" }, { "Kestrix\\NewFile\\Channels", "2" },
                { "Kestrix\\NewFile\\Samples", "44100" }, { "Kestrix\\NewFile\\BytesPerSample", "4" },
                { "Kestrix\\NewFile\\BytesPerSec", "176400" } } },
        { FormatGroup::RawFile, { 0, 0, "22050" },
            { { "Kestrix\\RawFile\\Bit", "8" }, { "Kestrix\\RawFile\\Channels", "1" },
                { "Kestrix\\RawFile\\Samples", "22050" }, { "Kestrix\\RawFile\\BytesPerSample", "1" },
                { "Kestrix\\RawFile\\BytesPerSec", "22050" } } },
        { FormatGroup::RawFile, { 1, 0, "12345" }, // a rate not in the list
            { { "Kestrix\\RawFile\\Bit", "16" }, { "Kestrix\\RawFile\\Channels", "1" },
                { "Kestrix\\RawFile\\Samples", "12345" }, { "Kestrix\\RawFile\\BytesPerSample", "2" },
                { "Kestrix\\RawFile\\BytesPerSec", "24690" } } },
        { FormatGroup::NewFile, { 0, 1, "48000" },
            { { "Kestrix\\NewFile\\Bit", "8" }, { "Kestrix\\NewFile\\Channels", "2" },
                { "Kestrix\\NewFile\\Samples", "48000" }, { "Kestrix\\NewFile\\BytesPerSample", "2" },
                { "Kestrix\\NewFile\\BytesPerSec", "96000" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice.rateText);
        const FormatApply apply = applyFormatChoice(c.group, c.choice);
        EXPECT_TRUE(apply.accepted);
        EXPECT_EQ(apply.refusal, "");
        EXPECT_EQ(apply.writes, c.writes);
    }
}

TEST(FormatSettings, AcceptsRatesFromOneTo48000Only)
{
    const struct {
        const char* text;
        uint32_t reads;
        bool accepted;
    } cases[] = {
        { "48000", 48000, true },
        { "48001", 48001, false },
        { "0", 0, false },
        { "1", 1, true },
        { "12345", 12345, true },
        { "8000", 8000, true },
        { " 8000 ", 8000, true },
        { "", 0, false },
        { "abc", 0, false },
        { "8000x", 0, false },
        { "-5", 0, false },
        { "+5", 0, false },
        { "4294967295", 4294967295u, false },
        { "4294967296", 0, false },
        { "1e4", 0, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(rateFromText(c.text), c.reads);
        const FormatApply apply = applyFormatChoice(FormatGroup::NewFile, { 1, 1, c.text });
        EXPECT_EQ(apply.accepted, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(apply.refusal, "Only values ranging from 1 to 48000 are allowed.");
            // The lists are written before the rate is looked at, and stay written.
            const std::vector<SettingText> listsOnly
                = { { "Kestrix\\NewFile\\Bit", "16" }, { "Kestrix\\NewFile\\Channels", "2" } };
            EXPECT_EQ(apply.writes, listsOnly);
        }
    }
}

TEST(FormatSettings, ChangeSettingsReinterpretsTheSameBytes)
{
    WaveHeader header;
    PcmFormat { 8, 1, 22050 }.applyTo(header);
    header.setDataSize(1000);
    ASSERT_FALSE(changeSettings(header, { 1, 0, "22050" }));
    EXPECT_EQ(header.dataSize, 1000u); // now 500 samples of 16 bit
    EXPECT_EQ(header.riffSize, 1036u);
    EXPECT_EQ(header.wBitsPerSample, 16);
    EXPECT_EQ(header.nChannels, 1);
    EXPECT_EQ(header.nBlockAlign, 2);
    EXPECT_EQ(header.nAvgBytesPerSec, 44100u);

    ASSERT_FALSE(changeSettings(header, { 1, 1, "11025" }));
    EXPECT_EQ(header.dataSize, 1000u);
    EXPECT_EQ(header.nBlockAlign, 4);
    EXPECT_EQ(header.nSamplesPerSec, 11025u);
    EXPECT_EQ(header.nAvgBytesPerSec, 44100u);

    for (const char* refused : { "0", "48001", "fast" }) {
        SCOPED_TRACE(refused);
        const WaveHeader before = header;
        const auto refusal = changeSettings(header, { 0, 0, refused });
        ASSERT_TRUE(refusal);
        EXPECT_EQ(*refusal, "Only values between 1 - 48000 allowed.");
        EXPECT_EQ(std::memcmp(&before, &header, sizeof header), 0);
    }
}

TEST(FormatSettings, ConvertTakesAnAcceptedRate)
{
    std::string refusal;
    const auto target = conversionTarget({ 1, 1, "44100" }, refusal);
    ASSERT_TRUE(target);
    EXPECT_EQ(*target, (PcmFormat { 16, 2, 44100 }));
    EXPECT_EQ(target->blockAlign(), 4);
    EXPECT_EQ(target->bytesPerSecond(), 176400u);
    EXPECT_FALSE(conversionTarget({ 1, 1, "0" }, refusal));
    EXPECT_EQ(refusal, "Values range from 1 - 48000 only.");
}

TEST(FormatSettings, HeaderDialogShowsTheDocument)
{
    const struct {
        PcmFormat format;
        uint32_t dataSize;
        FormatChoice choice;
        const char* perSecond;
        const char* perFrame;
        const char* fileLength;
        const char* dataLength;
    } cases[] = {
        { { 8, 1, 22050 }, 2048, { 0, 0, "22050" }, "21 KB/sec", "1 Bytes/Sample", "2 KB", "2 KB" }, // 2092 / 1024
        { { 16, 2, 44100 }, 1000, { 1, 1, "44100" }, "172 KB/sec", "4 Bytes/Sample", "1 KB", "0 KB" },
        { { 16, 1, 12345 }, 0, { 1, 0, "12345" }, "24 KB/sec", "2 Bytes/Sample", "0 KB", "0 KB" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dataSize);
        WaveHeader header;
        c.format.applyTo(header);
        header.setDataSize(c.dataSize);
        const FormatFields fields = headerDialogFields(header);
        EXPECT_EQ(fields.choice.bitsIndex, c.choice.bitsIndex);
        EXPECT_EQ(fields.choice.channelsIndex, c.choice.channelsIndex);
        EXPECT_EQ(fields.choice.rateText, c.choice.rateText);
        EXPECT_EQ(fields.bytesPerSecond, c.perSecond);
        EXPECT_EQ(fields.bytesPerFrame, c.perFrame);
        EXPECT_EQ(fields.fileLength, c.fileLength);
        EXPECT_EQ(fields.dataLength, c.dataLength);
    }
}

TEST(FormatSettings, PageAndRawDialogShowTheStoredValuesAsStored)
{
    // Values edited by hand are shown, not recomputed from the lists.
    const NewFileFormat stored { 44100, 99999, 16, 2, 3 };
    const FormatFields page = newFilesPageFields(stored);
    EXPECT_EQ(page.choice.bitsIndex, 1);
    EXPECT_EQ(page.choice.channelsIndex, 1);
    EXPECT_EQ(page.choice.rateText, "44100");
    EXPECT_EQ(page.bytesPerSecond, "97 KB/sec");
    EXPECT_EQ(page.bytesPerFrame, "3 Bytes/Sample");
    EXPECT_EQ(page.fileLength, "");

    const FormatFields raw = rawDialogFields(NewFileFormat {}, 5000);
    EXPECT_EQ(raw.choice.bitsIndex, 0);
    EXPECT_EQ(raw.choice.channelsIndex, 0);
    EXPECT_EQ(raw.choice.rateText, "22050");
    EXPECT_EQ(raw.bytesPerSecond, "21 KB/sec");
    EXPECT_EQ(raw.bytesPerFrame, "1 Bytes/Sample");
    EXPECT_EQ(raw.fileLength, "4 KB");
    EXPECT_EQ(raw.dataLength, "4 KB");
    EXPECT_EQ(rawDialogFields(NewFileFormat {}, 4294967296ull * 3).fileLength, "12582912 KB");
}

TEST(FormatSettings, StoredValuesBecomeADocumentFormat)
{
    const struct {
        NewFileFormat stored;
        PcmFormat format;
    } cases[] = {
        { {}, { 8, 1, 22050 } },
        { { 44100, 176400, 16, 2, 4 }, { 16, 2, 44100 } },
        { { 8000, 8000, 12, 3, 1 }, { 8, 1, 8000 } }, // only 16 and 2 select the other entry
        { { 0, 0, 8, 1, 1 }, { 8, 1, 22050 } }, // a rate the dialogs refuse
        { { 96000, 96000, 8, 1, 1 }, { 8, 1, 22050 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatOf(c.stored), c.format);
}

TEST(FormatSettings, TheRateLists)
{
    EXPECT_EQ(std::vector<uint32_t>(kRateList.begin(), kRateList.end()),
        (std::vector<uint32_t> { 8000, 11025, 16000, 22050, 28000, 32000, 44100 }));
    EXPECT_EQ(conversionRates(), (std::vector<uint32_t> { 8000, 11025, 16000, 22050, 28000, 32000, 44100, 48000 }));
    for (uint32_t rate : conversionRates())
        EXPECT_TRUE(isAcceptedRate(rate));
}

} // namespace
