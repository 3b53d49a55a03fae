// The playback commands of the editor, driven through the real frame with the in-process test
// device in place of the sound card.
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "PlaybackController.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "devices/FormatSummary.h"
#include "devices/OutputVolume.h"
#include "devices/TestDevice.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationContext.h"
#include "exports/PlaybackBackend.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using namespace kx;
using namespace kx::test;

/// Hands the next modal dialog of the library to `action`, which ends it, instead of a person.
void whenModal(std::function<void(QDialog&)> action)
{
    ModalDialogs::setDriver([action](QDialog& dialog) {
        ModalDialogs::setDriver({});
        action(dialog);
        return dialog.result();
    });
}

Bytes pattern(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + i / 253);
    return bytes;
}

Bytes slice(const Bytes& bytes, std::size_t start, std::size_t length)
{
    return Bytes(bytes.begin() + std::ptrdiff_t(start), bytes.begin() + std::ptrdiff_t(start + length));
}

class PlaybackCommands : public testing::Test {
protected:
    void SetUp() override
    {
        RegWriteString("Kestrix\\Settings\\WaveOutID", "4294967295");
        PlaybackBackend::install({ device->factory(), [this] { return deviceNames; },
            [this](int32_t id, DeviceDirection direction) {
                askedFor.emplace_back(id, direction);
                return direction == DeviceDirection::Output ? outputCaps : inputCaps;
            },
            {} });
        MessageBoxes::setPresenter([this](const MessageBoxRequest& request) {
            boxes.push_back(request.caption + QStringLiteral("|") + request.text);
            return QMessageBox::Ok;
        });
        frame = std::make_unique<FrameWindow>();
        frame->resize(900, 700);
        frame->show();
        // Record what the preview bar is told about playback.
        const HWND preview = HWND(SendMessage(frame->handle(), MsgGetPreviewBar, 0, 0));
        WindowRegistry::setMessageHandler(preview, [this](uint32_t message, uintptr_t wParam, intptr_t lParam) {
            if (message == MsgPlaybackRuns || message == MsgPlaybackHalted)
                previewMessages.push_back({ message, uint32_t(wParam), uint32_t(lParam) });
            return intptr_t(0);
        });
    }

    void TearDown() override
    {
        frame.reset();
        PlaybackBackend::install({});
        MessageBoxes::setPresenter({});
        ModalDialogs::setDriver({});
        outputvolume::set(outputvolume::kFull);
    }

    /// Opens a mono 8-bit file with these samples in a new, active wave window.
    WaveWindow* open(const Bytes& samples)
    {
        const std::string path = dir.file("sound" + std::to_string(++files) + ".wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 11025, 8)), chunk("data", samples) }));
        EXPECT_TRUE(openAndWait(*frame, path));
        return frame->activeWaveWindow();
    }

    void setMark(WaveWindow* window, uint32_t start, uint32_t length)
    {
        std::unique_lock lock(window->document()->lock);
        window->document()->document.mark.markStart = start;
        window->document()->document.mark.markLength = length;
    }

    HWND playingWindow() { return HWND(SendMessage(frame->handle(), MsgGetPlayingWindow, 0, 0)); }
    intptr_t output() { return SendMessage(frame->handle(), MsgGetOutputDevice, 0, 0); }

    /// Runs the device's clock until it reports the end, then lets the notification arrive.
    void playToEnd()
    {
        for (int i = 0; i < 10000 && device->record().dones == 0; ++i)
            device->advance(512);
        ASSERT_EQ(device->record().dones, 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return output() == 0; }));
    }

    struct PreviewMessage {
        uint32_t message, wParam, lParam;
        bool operator==(const PreviewMessage&) const = default;
    };

    TempDir dir;
    int files = 0;
    std::shared_ptr<TestDevice> device = TestDevice::create();
    std::vector<std::string> deviceNames = { "Card A", "Card B" };
    DeviceCapabilities outputCaps, inputCaps;
    std::vector<std::pair<int32_t, DeviceDirection>> askedFor;
    std::vector<QString> boxes;
    std::vector<PreviewMessage> previewMessages;
    std::unique_ptr<FrameWindow> frame;
};

TEST_F(PlaybackCommands, PlayPlaysTheWholeFileThenTheDoneNotificationClearsTheState)
{
    const Bytes data = pattern(70000); // more than one block of the feeder
    WaveWindow* wave = open(data);
    frame->runCommand(CmdPlay);
    EXPECT_EQ(playingWindow(), wave->handle());
    EXPECT_NE(output(), 0);
    EXPECT_EQ(device->record().deviceIds, std::vector<int32_t> { -1 });
    EXPECT_EQ(previewMessages, (std::vector<PreviewMessage> { { MsgPlaybackRuns, 0, 0 } }));

    playToEnd();
    EXPECT_EQ(device->record().played, data);
    EXPECT_EQ(playingWindow(), nullptr);
    EXPECT_FALSE(device->hasOpenOutput());
    EXPECT_EQ(device->record().closes, 1);
}

TEST_F(PlaybackCommands, PlayWithAMarkPlaysExactlyTheMark)
{
    const Bytes data = pattern(4000);
    WaveWindow* wave = open(data);
    setMark(wave, 500, 1000);
    frame->runCommand(CmdPlay);
    EXPECT_EQ(previewMessages, (std::vector<PreviewMessage> { { MsgPlaybackRuns, 500, 1000 } }));
    playToEnd();
    EXPECT_EQ(device->record().played, slice(data, 500, 1000));
}

TEST_F(PlaybackCommands, PlayInfiniteLoopsUntilStop)
{
    const Bytes data = pattern(1200);
    open(data);
    frame->runCommand(CmdPlayLoop);
    for (int i = 0; i < 30; ++i)
        device->advance(400); // ten times round the file
    const Bytes played = device->record().played;
    ASSERT_EQ(played.size(), 12000u);
    EXPECT_EQ(slice(played, 10800, 1200), data);
    QCoreApplication::processEvents();
    EXPECT_EQ(device->record().dones, 0);
    EXPECT_NE(output(), 0);

    frame->runCommand(CmdStop);
    EXPECT_EQ(output(), 0);
    EXPECT_EQ(playingWindow(), nullptr);
    EXPECT_FALSE(device->hasOpenOutput());
    EXPECT_EQ(previewMessages.back(), (PreviewMessage { MsgPlaybackHalted, 0, 0 }));
}

TEST_F(PlaybackCommands, PauseHoldsAndPauseOrPlayResumes)
{
    const Bytes data = pattern(3000);
    setMark(open(data), 100, 2000);
    frame->runCommand(CmdPlay);
    device->advance(500);
    frame->runCommand(CmdPause);
    EXPECT_TRUE(frame->playback().isPaused());
    EXPECT_EQ(device->advance(500), 0u);
    EXPECT_EQ(previewMessages.back(), (PreviewMessage { MsgPlaybackHalted, 0, 0 }));

    frame->runCommand(CmdPause); // a second pause resumes
    EXPECT_FALSE(frame->playback().isPaused());
    EXPECT_EQ(previewMessages.back(), (PreviewMessage { MsgPlaybackRuns, 100, 2000 }));
    device->advance(500);

    frame->runCommand(CmdPause);
    frame->runCommand(CmdPlay); // Play on a paused output resumes it rather than starting again
    EXPECT_FALSE(frame->playback().isPaused());
    EXPECT_EQ(device->record().deviceIds.size(), 1u);
    playToEnd();
    EXPECT_EQ(device->record().played, slice(data, 100, 2000));

    // Stop on a paused playback closes it.
    frame->runCommand(CmdPlay);
    frame->runCommand(CmdPause);
    frame->runCommand(CmdStop);
    EXPECT_EQ(output(), 0);
    EXPECT_FALSE(frame->playback().isPaused());
    EXPECT_FALSE(device->hasOpenOutput());
}

TEST_F(PlaybackCommands, PlayWhileAnotherWindowPlaysStopsThatOneFirst)
{
    WaveWindow* first = open(pattern(5000));
    frame->runCommand(CmdPlayLoop);
    device->advance(100);
    const Bytes second = pattern(800);
    WaveWindow* other = open(second);
    ASSERT_NE(first, other);
    frame->runCommand(CmdPlay);
    EXPECT_EQ(playingWindow(), other->handle());
    EXPECT_EQ(device->record().closes, 1);
    EXPECT_EQ(device->record().deviceIds.size(), 2u);
    const std::size_t before = device->record().played.size();
    playToEnd();
    EXPECT_EQ(slice(device->record().played, before, 800), second);
}

TEST_F(PlaybackCommands, SpaceStopsTheActiveWindowsPlaybackAndOtherwisePlays)
{
    WaveWindow* first = open(pattern(5000));
    frame->runCommand(CmdPlayOrStop);
    EXPECT_EQ(playingWindow(), first->handle());
    frame->runCommand(CmdPlayOrStop);
    EXPECT_EQ(playingWindow(), nullptr);
    EXPECT_FALSE(device->hasOpenOutput());

    // Another window playing: Space in this one plays this one.
    frame->runCommand(CmdPlayLoop);
    WaveWindow* other = open(pattern(800));
    frame->runCommand(CmdPlayOrStop);
    EXPECT_EQ(playingWindow(), other->handle());
    frame->runCommand(CmdStop);
}

TEST_F(PlaybackCommands, NothingHappensWithoutDataOrOnAWorkingDocument)
{
    frame->runCommand(CmdPlay); // no window at all
    frame->runCommand(CmdNew); // dataSize 0
    frame->runCommand(CmdPlay);
    frame->runCommand(CmdPlayLoop);
    EXPECT_EQ(output(), 0);
    EXPECT_TRUE(device->record().deviceIds.empty());

    // An empty window does not interrupt another window's playback either.
    WaveWindow* playing = open(pattern(2000));
    frame->runCommand(CmdPlay);
    frame->runCommand(CmdNew);
    frame->runCommand(CmdPlay);
    EXPECT_EQ(playingWindow(), playing->handle());

    // A document that is loading is left alone, and Stop and Pause are refused while it is active.
    frame->mdiArea()->setActiveSubWindow(playing);
    WaveWindow* loading = open(pattern(100));
    SetFileWorking(loading->handle());
    frame->runCommand(CmdPlay);
    frame->runCommand(CmdStop);
    frame->runCommand(CmdPause);
    EXPECT_EQ(playingWindow(), playing->handle());
    EXPECT_FALSE(frame->playback().isPaused());
    EXPECT_EQ(device->record().deviceIds.size(), 1u);
    SetFileNotWorking(loading->handle());
}

TEST_F(PlaybackCommands, DeviceRefusalIsShownAndKeepsNoOutput)
{
    device->setAcceptedFormats([](const PcmFormat& format) { return format.bits == 16; }, "Unsupported wave format.");
    open(pattern(1000));
    frame->runCommand(CmdPlay);
    EXPECT_EQ(boxes, std::vector<QString> { "Warning...|Unsupported wave format." });
    EXPECT_EQ(output(), 0);
    EXPECT_EQ(playingWindow(), nullptr);
    EXPECT_FALSE(device->hasOpenOutput());
    EXPECT_TRUE(previewMessages.empty());
}

TEST_F(PlaybackCommands, ClosingThePlayedWindowStopsPlayback)
{
    WaveWindow* played = open(pattern(4000));
    WaveWindow* other = open(pattern(4000));
    frame->mdiArea()->setActiveSubWindow(played);
    frame->runCommand(CmdPlayLoop);
    other->closeWithoutAsking(); // another window: playback goes on
    EXPECT_NE(output(), 0);
    played->closeWithoutAsking();
    EXPECT_EQ(output(), 0);
    EXPECT_EQ(playingWindow(), nullptr);
    EXPECT_FALSE(device->hasOpenOutput());
    EXPECT_EQ(previewMessages.back(), (PreviewMessage { MsgPlaybackHalted, 0, 0 }));
}

TEST_F(PlaybackCommands, AStaleDoneNotificationLeavesTheNewPlaybackAlone)
{
    open(pattern(4000));
    frame->runCommand(CmdPlay);
    const intptr_t first = output();
    frame->runCommand(CmdStop);
    frame->runCommand(CmdPlay);
    ASSERT_NE(output(), 0);
    SendMessage(frame->handle(), MM_WOM_DONE, uintptr_t(first), 0);
    EXPECT_NE(output(), 0);
    EXPECT_TRUE(device->hasOpenOutput());
}

TEST_F(PlaybackCommands, VolumeStepsStopAtTheirLimits)
{
    const struct {
        uint32_t volume;
        int command;
        uint32_t expected;
    } cases[] = {
        { 0x80008000, CmdVolumeUp, 0x90009000 },
        { 0xEFFFEFFF, CmdVolumeUp, 0xFFFFFFFF },
        { 0xF000F000, CmdVolumeUp, 0xF000F000 },
        { 0x1000F000, CmdVolumeUp, 0x1000F000 }, // left at 0xF000
        { 0xF0000000, CmdVolumeUp, 0xF0000000 },
        { 0xFFFFFFFF, CmdVolumeUp, 0xFFFFFFFF }, // right at 0xF000
        { 0x80008000, CmdVolumeDown, 0x70007000 },
        { 0x10001000, CmdVolumeDown, 0x00000000 },
        { 0x0FFF0FFF, CmdVolumeDown, 0x0FFF0FFF },
        { 0x0FFFFFFF, CmdVolumeDown, 0x0FFFFFFF },
        { 0x00001000, CmdVolumeDown, 0x00001000 },
    };
    for (const auto& c : cases) {
        outputvolume::set(c.volume);
        frame->runCommand(c.command);
        EXPECT_EQ(outputvolume::current(), c.expected) << std::hex << c.volume << " command " << std::dec << c.command;
    }
}

TEST_F(PlaybackCommands, VolumeStepReachesThePlayingSamples)
{
    Bytes data(2000, 228); // 8-bit: 100 above the centre
    open(data);
    outputvolume::set(0x80008000);
    frame->runCommand(CmdVolumeDown); // 0x7000 of 0xFFFF
    frame->runCommand(CmdPlay);
    playToEnd();
    const Bytes played = device->record().played;
    ASSERT_EQ(played.size(), data.size());
    EXPECT_EQ(int(played.front()), 128 + 100 * 0x7000 / 0xFFFF);
}

TEST_F(PlaybackCommands, OutputDeviceDialogStoresTheChoice)
{
    RegWriteString("Kestrix\\Settings\\WaveOutID", "1");
    frame = std::make_unique<FrameWindow>(); // reads the stored device at creation
    EXPECT_EQ(frame->playback().deviceId(), 1);

    QStringList listed;
    int selected = -1;
    whenModal([&](QDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("combo101"));
        for (int i = 0; combo && i < combo->count(); ++i)
            listed << combo->itemText(i);
        selected = combo ? combo->currentIndex() : -1;
        if (combo)
            combo->setCurrentIndex(0);
        dialog.accept();
    });
    frame->runCommand(CmdSelectOutput);
    EXPECT_EQ(listed, (QStringList { "Plug & Play (Automatic recognition)", "Card A", "Card B" }));
    EXPECT_EQ(selected, 2);
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\WaveOutID", ""), "4294967295");
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\WaveInID", ""), "4294967295");
    EXPECT_EQ(frame->playback().deviceId(), -1);

    // Cancel changes nothing; the chosen device is the one the next playback opens.
    whenModal([](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("combo101"))->setCurrentIndex(1);
        dialog.reject();
    });
    frame->runCommand(CmdSelectOutput);
    EXPECT_EQ(frame->playback().deviceId(), -1);
    whenModal([](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("combo101"))->setCurrentIndex(2);
        dialog.accept();
    });
    frame->runCommand(CmdSelectOutput);
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\WaveOutID", ""), "1");
    open(pattern(100));
    frame->runCommand(CmdPlay);
    EXPECT_EQ(device->record().deviceIds, std::vector<int32_t> { 1 });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlaybackCommands, OutputDeviceDialogWithoutDevicesSaysSo)
{
    deviceNames.clear();
    frame->runCommand(CmdSelectOutput); // no dialog: the box comes instead
    EXPECT_EQ(boxes, std::vector<QString> { "Warning...|No output device installed." });
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\WaveOutID", ""), "4294967295");
}

TEST_F(PlaybackCommands, CapabilitiesSheetSummarisesDevice0OfEachDirection)
{
    const struct {
        uint32_t outputMask, inputMask;
        const char *outputText, *inputText;
    } cases[] = {
        { Format4M16 | Format4S16 | Format4M08 | Format2M16,
            Format1M08 | Format1S08 | Format2M08 | Format2S08 | Format4M08 | Format4S08, "16 Bit 44100 Hz STEREO",
            "8 Bit 44100 Hz MONO" },
        { Format4M08 | Format1M16, Format1S16 | Format4S08, "8 Bit 11025 Hz MONO", "No standard format" },
    };
    for (const auto& c : cases) {
        outputCaps = { "Out Card", 0x0104, c.outputMask };
        inputCaps = { "In Card", 0x0A00, c.inputMask };
        askedFor.clear();
        std::map<QString, QString> fields;
        QString title, page;
        whenModal([&](QDialog& dialog) {
            title = dialog.windowTitle();
            if (auto* tabs = dialog.findChild<QTabWidget*>())
                page = tabs->tabText(0);
            for (QLabel* label : dialog.findChildren<QLabel*>())
                if (label->objectName().startsWith(QStringLiteral("field")))
                    fields[label->objectName()] = label->text();
            dialog.accept();
        });
        frame->runCommand(CmdDeviceCaps);
        EXPECT_EQ(title, "Device Driver");
        EXPECT_EQ(page, "Capabilities");
        EXPECT_EQ(fields["field101"], "Out Card");
        EXPECT_EQ(fields["field102"], "1.4");
        EXPECT_EQ(fields["field103"], c.outputText);
        EXPECT_EQ(fields["field201"], "In Card");
        EXPECT_EQ(fields["field202"], "10.0");
        EXPECT_EQ(fields["field203"], c.inputText);
        EXPECT_EQ(askedFor,
            (std::vector<std::pair<int32_t, DeviceDirection>> {
                { 0, DeviceDirection::Output }, { 0, DeviceDirection::Input } }));
    }
}

TEST(PlaybackExports, HandlesThatNameNothingAreHarmless)
{
    EXPECT_EQ(OpenOutput(WAVE_MAPPER, nullptr), nullptr);
    EXPECT_EQ(PlayWAV(nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(CloseOutput(reinterpret_cast<HWAVEOUT>(uintptr_t(987654)), nullptr), 1);
    EXPECT_EQ(PauseOutput(nullptr), 0);
    EXPECT_EQ(GetOutputPosition(reinterpret_cast<HWAVEOUT>(uintptr_t(987654))), 0u);
    EXPECT_EQ(PixelCalculate(192, 8, 100), 25);
    EXPECT_EQ(PixelCalculate(0x8000, 16, 100), -50);
}

TEST_F(PlaybackCommands, OutputPositionCountsFromTheStartOfTheMark)
{
    WaveWindow* wave = open(pattern(4000));
    setMark(wave, 1000, 2000);
    frame->runCommand(CmdPlay);
    device->advance(300);
    const auto handle = reinterpret_cast<HWAVEOUT>(output());
    EXPECT_EQ(GetOutputPosition(handle), 300u);
    CloseOutput(handle, nullptr); // closed twice (here and by Stop): the second finds nothing
    frame->runCommand(CmdStop);
    EXPECT_EQ(GetOutputPosition(handle), 0u);
}

} // namespace
