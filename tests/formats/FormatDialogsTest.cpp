// The format dialogs: the options' "New Files" and "General" pages, the raw-file dialog, the header dialog and the
// converter's chooser, worked through their own controls.
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "dialogs/ConvertChooser.h"
#include "dialogs/OptionsSheet.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QSpinBox>

namespace {

using namespace kx;
using namespace kx::test;

const QString kRateRefused = "Only values ranging from 1 to 48000 are allowed.";

std::string setting(const std::string& path)
{
    return RegGetString(path.c_str(), "(none)");
}

void storeGroup(const char* group, const char* bit, const char* channels, const char* samples, const char* perFrame,
    const char* perSecond)
{
    const std::string base = std::string("Kestrix\\") + group + "\\";
    RegWriteString((base + "Bit").c_str(), bit);
    RegWriteString((base + "Channels").c_str(), channels);
    RegWriteString((base + "Samples").c_str(), samples);
    RegWriteString((base + "BytesPerSample").c_str(), perFrame);
    RegWriteString((base + "BytesPerSec").c_str(), perSecond);
}

std::vector<std::string> storedGroup(const char* group)
{
    const std::string base = std::string("Kestrix\\") + group + "\\";
    return { setting(base + "Bit"), setting(base + "Channels"), setting(base + "Samples"),
        setting(base + "BytesPerSample"), setting(base + "BytesPerSec") };
}

/// A frame with one PCM document of `dataSize` bytes open in it.
struct FrameWithDocument {
    TempDir dir;
    FrameWindow frame;
    FrameWithDocument(uint16_t channels, uint32_t rate, uint16_t bits, std::size_t dataSize)
    {
        const std::string path = dir.file("sound.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(channels, rate, bits)), chunk("data", ramp(dataSize)) }));
        frame.show();
        EXPECT_TRUE(openAndWait(frame, path));
    }
    WaveDocument& document() { return frame.activeWaveWindow()->document()->document; }
    HWND wave() { return frame.activeWaveWindow()->handle(); }
};

TEST(NewFilesPage, WritesTheSettingTextsOrRefusesTheRate)
{
    const struct {
        int bits, channels;
        const char* rate;
        bool accepted;
        std::vector<std::string> stored; // Bit, Channels, Samples, BytesPerSample, BytesPerSec
    } cases[] = {
        { 1, 1, "44100", true, { "16", "2", "44100", "4", "176400" } },
        { 0, 0, "48000", true, { "8", "1", "48000", "1", "48000" } },
        { 1, 0, "12345", true, { "16", "1", "12345", "2", "24690" } },
        { 0, 1, "1", true, { "8", "2", "1", "2", "2" } },
        // Refused: bits and channels are written all the same, the rest stays.
        { 1, 1, "48001", false, { "16", "2", "22050", "1", "22050" } },
        { 1, 0, "0", false, { "16", "1", "22050", "1", "22050" } },
        { 0, 1, "fast", false, { "8", "2", "22050", "1", "22050" } },
        { 0, 1, "", false, { "8", "2", "22050", "1", "22050" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        storeGroup("NewFile", "8", "1", "22050", "1", "22050");
        RecordedBoxes boxes;
        OptionsSheet dialog(nullptr);
        chooseFormat(dialog, c.bits, c.channels, c.rate);
        EXPECT_EQ(press(dialog, "button1"), c.accepted);
        EXPECT_EQ(storedGroup("NewFile"), c.stored);
        EXPECT_EQ(boxes.texts, c.accepted ? std::vector<QString> {} : std::vector<QString> { kRateRefused });
    }
}

TEST(NewFilesPage, ShowsTheStoredValuesAndNewFilesTakeWhatItWrote)
{
    // Hand-edited values that do not fit together: the page shows them as they are.
    storeGroup("NewFile", "16", "2", "32000", "1", "5000");
    {
        OptionsSheet dialog(nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Kestrix2000 Options");
        EXPECT_EQ(control<QComboBox>(dialog, "control101").currentIndex(), 1);
        EXPECT_EQ(control<QComboBox>(dialog, "control102").currentIndex(), 1);
        EXPECT_EQ(control<QComboBox>(dialog, "control103").currentText(), "32000");
        EXPECT_EQ(field(dialog, "control104"), "4 KB/sec");
        EXPECT_EQ(field(dialog, "control105"), "1 Bytes/Sample");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("control106"), nullptr);
        // The rate list, in its order.
        QStringList rates;
        auto& list = control<QComboBox>(dialog, "control103");
        for (int i = 0; i < list.count(); ++i)
            rates << list.itemText(i);
        EXPECT_EQ(rates, QStringList({ "8000", "11025", "16000", "22050", "28000", "32000", "44100" }));
        // The derived fields do not follow the lists.
        chooseFormat(dialog, 0, 0, "8000");
        EXPECT_EQ(field(dialog, "control104"), "4 KB/sec");
        // Cancel writes nothing.
        EXPECT_TRUE(press(dialog, "button2"));
        EXPECT_EQ(storedGroup("NewFile"), (std::vector<std::string> { "16", "2", "32000", "1", "5000" }));
    }
    OptionsSheet dialog(nullptr);
    chooseFormat(dialog, 1, 1, "44100");
    ASSERT_TRUE(press(dialog, "button1"));
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    const WaveHeader& header = frame.activeWaveWindow()->document()->document.header;
    EXPECT_EQ(header.wBitsPerSample, 16);
    EXPECT_EQ(header.nChannels, 2);
    EXPECT_EQ(header.nSamplesPerSec, 44100u);
    EXPECT_EQ(header.nBlockAlign, 4);
    EXPECT_EQ(header.nAvgBytesPerSec, 176400u);
    storeGroup("NewFile", "8", "1", "22050", "1", "22050");
}

TEST(GeneralPage, UndoSwitchAndStepsReachTheNextDocument)
{
    OptionsSheet dialog(nullptr);
    EXPECT_TRUE(control<QCheckBox>(dialog, "activateUndo").isChecked());
    EXPECT_EQ(control<QSpinBox>(dialog, "undoLevels").value(), 20);
    control<QCheckBox>(dialog, "activateUndo").setChecked(false);
    control<QSpinBox>(dialog, "undoLevels").setValue(5);
    ASSERT_TRUE(press(dialog, "button1"));
    FrameWindow frame;
    frame.runCommand(CmdNew);
    EXPECT_FALSE(UndoStore::policy().enabled);
    EXPECT_EQ(UndoStore::policy().levels, 5u);
    RegWriteString("Kestrix\\Settings\\Boolean\\ActivateUndo", "1");
    RegWriteString("Kestrix\\Settings\\UndoLevels", "20");
}

TEST(RawDialog, ShowsTheFileLengthAndWritesTheRawFormat)
{
    storeGroup("RawFile", "8", "1", "22050", "1", "22050");
    RegWriteString("Kestrix\\RawFile\\FileLength", "5000");
    RecordedBoxes boxes;
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(field(dialog, "control106"), "4 KB");
        EXPECT_EQ(field(dialog, "control107"), "4 KB");
        EXPECT_EQ(field(dialog, "control104"), "21 KB/sec");
        EXPECT_EQ(field(dialog, "control105"), "1 Bytes/Sample");
        chooseFormat(dialog, 1, 0, "0");
        EXPECT_FALSE(press(dialog, "button1")); // refused: stays open
        chooseFormat(dialog, 1, 0, "11025");
        EXPECT_TRUE(press(dialog, "button1"));
        return dialog.result();
    });
    EXPECT_EQ(ShowRaw(nullptr), 1);
    ASSERT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(dialogs.titles[0], "RAW File Format Parameter Specification");
    EXPECT_EQ(boxes.texts, std::vector<QString> { kRateRefused });
    EXPECT_EQ(storedGroup("RawFile"), (std::vector<std::string> { "16", "1", "11025", "2", "22050" }));

    dialogs.steps.push_back([](QDialog& dialog) {
        chooseFormat(dialog, 0, 1, "8000");
        EXPECT_TRUE(press(dialog, "button2"));
        return dialog.result();
    });
    EXPECT_EQ(ShowRaw(nullptr), 0);
    EXPECT_EQ(storedGroup("RawFile"), (std::vector<std::string> { "16", "1", "11025", "2", "22050" }));
    storeGroup("RawFile", "8", "1", "22050", "1", "22050");
}

TEST(HeaderDialog, ShowsTheDocumentsFormatAndLengths)
{
    const struct {
        uint16_t channels, bits;
        uint32_t rate;
        std::size_t dataSize;
        int bitsIndex, channelsIndex;
        const char *perSecond, *perFrame, *fileLength, *dataLength;
    } cases[] = {
        { 1, 8, 22050, 2048, 0, 0, "21 KB/sec", "1 Bytes/Sample", "2 KB", "2 KB" }, // 2092 / 1024
        { 2, 16, 44100, 1024 * 1023, 1, 1, "172 KB/sec", "4 Bytes/Sample", "1023 KB", "1023 KB" },
        { 2, 16, 44100, 1024 * 1024 - 40, 1, 1, "172 KB/sec", "4 Bytes/Sample", "1024 KB", "1023 KB" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dataSize);
        FrameWithDocument open(c.channels, c.rate, c.bits, c.dataSize);
        ScriptedDialogs dialogs;
        dialogs.steps.push_back([&](QDialog& dialog) {
            EXPECT_EQ(control<QComboBox>(dialog, "control101").currentIndex(), c.bitsIndex);
            EXPECT_EQ(control<QComboBox>(dialog, "control102").currentIndex(), c.channelsIndex);
            EXPECT_EQ(control<QComboBox>(dialog, "control103").currentText(), QString::number(c.rate));
            EXPECT_EQ(field(dialog, "control104"), c.perSecond);
            EXPECT_EQ(field(dialog, "control105"), c.perFrame);
            EXPECT_EQ(field(dialog, "control106"), c.fileLength);
            EXPECT_EQ(field(dialog, "control107"), c.dataLength);
            EXPECT_TRUE(press(dialog, "button2"));
            return dialog.result();
        });
        EXPECT_EQ(ShowHeader(open.frame.handle()), 0);
        EXPECT_EQ(dialogs.titles, std::vector<QString> { "Settings" });
    }
}

TEST(HeaderDialog, ChangeSettingsReadsTheSameBytesUnderTheNewFormat)
{
    const struct {
        uint16_t channels, bits;
        std::size_t dataSize;
        int bitsIndex, channelsIndex;
        const char* rate;
        uint16_t wantBits, wantChannels, wantBlockAlign;
        uint32_t wantRate, wantPerSecond;
    } cases[] = {
        { 1, 8, 1000, 1, 0, "22050", 16, 1, 2, 22050, 44100 }, // 500 samples of 16 bit
        { 2, 16, 4000, 0, 0, "11025", 8, 1, 1, 11025, 11025 },
        { 1, 8, 1000, 0, 1, "12345", 8, 2, 2, 12345, 24690 }, // a rate not in the list
        { 1, 8, 1000, 1, 1, "48000", 16, 2, 4, 48000, 192000 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        FrameWithDocument open(c.channels, 22050, c.bits, c.dataSize);
        const Bytes before(open.document().samples.data(), open.document().samples.data() + c.dataSize);
        ScriptedDialogs dialogs;
        dialogs.steps.push_back([&](QDialog& dialog) {
            chooseFormat(dialog, c.bitsIndex, c.channelsIndex, c.rate);
            EXPECT_TRUE(press(dialog, "button1"));
            return dialog.result();
        });
        open.frame.runCommand(CmdHeaderSettings);
        const WaveDocument& document = open.document();
        EXPECT_EQ(document.header.dataSize, c.dataSize);
        EXPECT_EQ(document.header.wBitsPerSample, c.wantBits);
        EXPECT_EQ(document.header.nChannels, c.wantChannels);
        EXPECT_EQ(document.header.nBlockAlign, c.wantBlockAlign);
        EXPECT_EQ(document.header.nSamplesPerSec, c.wantRate);
        EXPECT_EQ(document.header.nAvgBytesPerSec, c.wantPerSecond);
        EXPECT_EQ(Bytes(document.samples.data(), document.samples.data() + c.dataSize), before);
        EXPECT_EQ(document.info.saved, 1u); // a reinterpretation is not an edit
    }
}

TEST(HeaderDialog, TheMarkStaysOnWholeFramesAfterChangeSettingsAndConvert)
{
    const struct {
        const char* button;
        int bitsIndex, channelsIndex;
        const char* rate;
        uint32_t markLength, wantStart, wantLength;
    } cases[] = {
        // The same bytes under 16-bit stereo: 501 and 801 go to the nearest frames of 4 bytes.
        { "button1", 1, 1, "22050", 300, 500, 300 },
        // The same time at 44100 Hz 16-bit stereo: frames 501 to 801 become 1002 to 1602.
        { "button110", 1, 1, "44100", 300, 4008, 2400 },
        // A mark shorter than a frame of the new format stays a mark of one frame.
        { "button110", 0, 0, "8000", 1, 182, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button + std::string(" ") + c.rate);
        FrameWithDocument open(1, 22050, 8, 22050);
        {
            std::unique_lock lock(open.frame.activeWaveWindow()->document()->lock);
            open.document().mark.markStart = 501;
            open.document().mark.markLength = c.markLength;
        }
        ScriptedDialogs dialogs;
        dialogs.steps.push_back([&](QDialog& dialog) {
            chooseFormat(dialog, c.bitsIndex, c.channelsIndex, c.rate);
            EXPECT_TRUE(press(dialog, c.button));
            return dialog.result();
        });
        EXPECT_EQ(ShowHeader(open.frame.handle()), 1);
        EXPECT_EQ(open.document().mark.markStart, c.wantStart);
        EXPECT_EQ(open.document().mark.markLength, c.wantLength);
    }
}

TEST(HeaderDialog, DerivedValuesFollowTheChosenFormat)
{
    FrameWithDocument open(1, 22050, 8, 1000);
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        const struct {
            int bitsIndex, channelsIndex;
            const char* rate;
            const char *perSecond, *perFrame;
        } choices[] = {
            { 0, 1, "22050", "43 KB/sec", "2 Bytes/Sample" }, // stereo doubles both
            { 1, 1, "22050", "86 KB/sec", "4 Bytes/Sample" },
            { 1, 1, "44100", "172 KB/sec", "4 Bytes/Sample" },
            { 1, 0, "8000", "15 KB/sec", "2 Bytes/Sample" },
        };
        for (const auto& c : choices) {
            chooseFormat(dialog, c.bitsIndex, c.channelsIndex, c.rate);
            EXPECT_EQ(field(dialog, "control104"), c.perSecond) << c.bitsIndex << c.channelsIndex << c.rate;
            EXPECT_EQ(field(dialog, "control105"), c.perFrame) << c.bitsIndex << c.channelsIndex << c.rate;
        }
        EXPECT_TRUE(press(dialog, "button2"));
        return dialog.result();
    });
    EXPECT_EQ(ShowHeader(open.frame.handle()), 0);
}

TEST(HeaderDialog, RefusedRatesLeaveTheDocumentAndTheDialogOpen)
{
    FrameWithDocument open(1, 22050, 8, 1000);
    const WaveHeader before = open.document().header;
    RecordedBoxes boxes;
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        for (const char* rate : { "48001", "0", "x" }) {
            chooseFormat(dialog, 1, 1, rate);
            EXPECT_FALSE(press(dialog, "button1"));
            EXPECT_FALSE(press(dialog, "button110"));
            EXPECT_TRUE(control<QPushButton>(dialog, "button110").isEnabled());
        }
        EXPECT_TRUE(press(dialog, "button2"));
        return dialog.result();
    });
    EXPECT_EQ(ShowHeader(open.frame.handle()), 0);
    EXPECT_EQ(std::memcmp(&open.document().header, &before, sizeof before), 0);
    const QString change = "Only values between 1 - 48000 allowed.";
    const QString convert = "Values range from 1 - 48000 only.";
    EXPECT_EQ(boxes.texts, (std::vector<QString> { change, convert, change, convert, change, convert }));
}

TEST(HeaderDialog, ConvertConvertsTheSamples)
{
    FrameWithDocument open(1, 22050, 8, 22050);
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        chooseFormat(dialog, 1, 1, "44100");
        EXPECT_TRUE(press(dialog, "button110"));
        return dialog.result();
    });
    EXPECT_EQ(ShowHeader(open.frame.handle()), 1);
    const WaveDocument& document = open.document();
    EXPECT_EQ(document.header.dataSize, 176400u);
    EXPECT_EQ(document.header.riffSize, 176436u);
    EXPECT_EQ(document.header.wBitsPerSample, 16);
    EXPECT_EQ(document.header.nChannels, 2);
    EXPECT_EQ(document.header.nSamplesPerSec, 44100u);
    EXPECT_EQ(document.header.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(document.info.saved, 0u);
}

TEST(ConvertChooser, OffersThePcmFormatsStartingAtTheDocuments)
{
    const auto formats = ConvertChooser::offeredFormats();
    ASSERT_EQ(formats.size(), 32u); // 8 rates, 8 and 16 bit, mono and stereo
    EXPECT_EQ(formats.front(), (PcmFormat { 8, 1, 8000 }));
    EXPECT_EQ(formats.back(), (PcmFormat { 16, 2, 48000 }));
    EXPECT_EQ(ConvertChooser::describe({ 16, 2, 44100 }), "44,100 Hz, 16 Bit, Stereo    172 KB/sec");

    const struct {
        PcmFormat source, start;
    } cases[] = {
        { { 16, 2, 44100 }, { 16, 2, 44100 } },
        { { 8, 1, 8000 }, { 8, 1, 8000 } },
        { { 16, 1, 12000 }, { 16, 1, 11025 } }, // not offered: the nearest rate
        { { 8, 2, 96000 }, { 8, 2, 48000 } },
    };
    for (const auto& c : cases) {
        ConvertChooser chooser(c.source, nullptr);
        EXPECT_EQ(chooser.windowTitle(), "Format Selection for Converting");
        EXPECT_EQ(chooser.chosen(), c.start);
    }
}

/// A chooser step that picks `format` and confirms.
ScriptedDialogs::Step choose(PcmFormat format)
{
    return [format](QDialog& dialog) {
        const auto formats = ConvertChooser::offeredFormats();
        const auto at = std::find(formats.begin(), formats.end(), format);
        EXPECT_NE(at, formats.end());
        control<QComboBox>(dialog, "attributes").setCurrentIndex(int(at - formats.begin()));
        EXPECT_TRUE(press(dialog, "button1"));
        return dialog.result();
    };
}

TEST(ConvertFile, ConvertsToTheChosenFormatAsOneUndoStep)
{
    const struct {
        PcmFormat target;
        uint32_t markStart, markLength;
        uint32_t wantSize, wantMarkStart, wantMarkLength;
    } cases[] = {
        { { 16, 2, 44100 }, 1000, 500, 176400, 8000, 4000 },
        // The mark keeps its time in the shorter data.
        { { 8, 1, 8000 }, 10000, 5000, 8000, 3628, 1814 },
        { { 8, 1, 8000 }, 6000, 5000, 8000, 2177, 1814 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wantSize);
        FrameWithDocument open(1, 22050, 8, 22050);
        open.document().mark.markStart = c.markStart;
        open.document().mark.markLength = c.markLength;
        ASSERT_EQ(SaveUndoInformation(open.wave(), 0, 100, 1, "Volume"), 1);
        ASSERT_EQ(IsUndoPossible(open.wave()), 1);
        ScriptedDialogs dialogs;
        dialogs.steps.push_back(choose(c.target));
        open.frame.runCommand(CmdConvert);
        EXPECT_EQ(dialogs.titles, std::vector<QString> { "Format Selection for Converting" });
        const WaveDocument& document = open.document();
        EXPECT_EQ(PcmFormat::of(document.header), c.target);
        EXPECT_EQ(document.header.dataSize, c.wantSize);
        EXPECT_EQ(document.samples.size(), c.wantSize);
        EXPECT_EQ(document.mark.markStart, c.wantMarkStart);
        EXPECT_EQ(document.mark.markLength, c.wantMarkLength);
        EXPECT_STREQ(UndoDescription(open.wave()), "Convert");
        EXPECT_EQ(IsFileSaved(open.wave()), 0);
        open.frame.runCommand(CmdUndo); // undo runs on a thread of its own
        ASSERT_TRUE(test::waitFor([&] { return open.frame.operations().liveThreads() == 0; }));
        EXPECT_EQ(PcmFormat::of(document.header), (PcmFormat { 8, 1, 22050 }));
        EXPECT_EQ(document.header.dataSize, 22050u);
        EXPECT_STREQ(UndoDescription(open.wave()), "Volume");
    }
}

TEST(ConvertFile, CancellingTheChooserLeavesTheDocumentUntouched)
{
    FrameWithDocument open(1, 22050, 8, 22050);
    const WaveHeader header = open.document().header;
    const Bytes samples(open.document().samples.data(), open.document().samples.data() + 22050);
    ScriptedDialogs dialogs;
    dialogs.steps.push_back([](QDialog& dialog) {
        control<QComboBox>(dialog, "attributes").setCurrentIndex(31);
        EXPECT_TRUE(press(dialog, "button2"));
        return dialog.result();
    });
    EXPECT_EQ(ConvertFile(open.frame.handle()), 0);
    EXPECT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(std::memcmp(&open.document().header, &header, sizeof header), 0);
    EXPECT_EQ(Bytes(open.document().samples.data(), open.document().samples.data() + 22050), samples);
    EXPECT_EQ(IsFileSaved(open.wave()), 1);
}

TEST(ConvertFile, NothingToConvertAndFormatsTheDocumentsCannotHold)
{
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew); // no data: no chooser
    ScriptedDialogs dialogs;
    EXPECT_EQ(ConvertFile(frame.handle()), 0);
    EXPECT_TRUE(dialogs.titles.empty());

    FrameWithDocument open(1, 22050, 8, 1000);
    RecordedBoxes boxes;
    const WAVEFORMATEX adpcm { 0x11, 1, 22050, 11100, 512, 4, 2 };
    const WAVEFORMATEX threeChannels { 1, 3, 22050, 66150, 3, 8, 0 };
    EXPECT_EQ(ConvertFileParam(open.frame.handle(), &adpcm), 0);
    EXPECT_EQ(ConvertFileParam(open.frame.handle(), &threeChannels), 0);
    EXPECT_EQ(boxes.texts, (std::vector<QString> { "COULD NOT CONVERT", "COULD NOT CONVERT" }));
    EXPECT_EQ(open.document().header.dataSize, 1000u);
    // The sizes the caller derived are not trusted.
    const WAVEFORMATEX careless { 1, 2, 11025, 1, 1, 16, 0 };
    EXPECT_EQ(ConvertFileParam(open.frame.handle(), &careless), 1);
    EXPECT_EQ(open.document().header.nBlockAlign, 4);
    EXPECT_EQ(open.document().header.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(open.document().header.dataSize, 2000u);
}

} // namespace
