// The Record command through the real frame, with a generator in place of the sound card.
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "devices/TestInput.h"
#include "documents/SharedDocument.h"
#include "exports/PlaybackBackend.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

/// Silence in 8-bit stereo with one loud frame in the middle of every buffer.
void peakInTheMiddle(std::span<uint8_t> block, uint64_t, const PcmFormat&)
{
    std::fill(block.begin(), block.end(), uint8_t(128));
    block[block.size() / 2] = 255; // left
    block[block.size() / 2 + 1] = 20; // right
}

/// Every byte the low byte of its frame number.
void countingFrames(std::span<uint8_t> block, uint64_t firstFrame, const PcmFormat& format)
{
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = uint8_t(firstFrame + i / format.blockAlign());
}

class RecordCommand : public testing::Test {
protected:
    void SetUp() override
    {
        useInput(TestInput::factory(countingFrames, TestInput::Pace::RealTime));
        frame.resize(900, 700);
        frame.show();
    }
    void TearDown() override { PlaybackBackend::install({}); }

    void useInput(InputFactory inputs)
    {
        PlaybackBackend backend = PlaybackBackend::portAudio();
        backend.inputs = std::move(inputs);
        PlaybackBackend::install(std::move(backend));
    }

    WaveWindow* open(const Bytes& samples)
    {
        const std::string path = dir.file("held.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 11025, 8)), chunk("data", samples) }));
        EXPECT_TRUE(openAndWait(frame, path));
        WaveWindow* wave = frame.activeWaveWindow();
        EXPECT_TRUE(waitFor([&] { return !IsFileWorking(wave->handle()); }));
        return wave;
    }

    Bytes samplesOf(WaveWindow* wave)
    {
        std::shared_lock lock(wave->document()->lock);
        const auto bytes = wave->document()->document.samples.bytes();
        return { bytes.begin(), bytes.end() };
    }

    TempDir dir;
    FrameWindow frame;
    ScriptedDialogs dialogs;
    RecordedBoxes boxes;
};

TEST_F(RecordCommand, TheMeterShowsEachBuffersPeakAndCancelRecordsNothing)
{
    useInput(TestInput::factory(peakInTheMiddle, TestInput::Pace::RealTime));
    WaveWindow* wave = open(ramp(100));
    int left = -1;
    int right = -1;
    QString warning;
    dialogs.steps.push_back([&](QDialog& setup) {
        EXPECT_TRUE(waitFor([&] { return control<QProgressBar>(setup, "control201").value() > 0; }));
        left = control<QProgressBar>(setup, "control201").value();
        right = control<QProgressBar>(setup, "control202").value();
        warning = control<QLabel>(setup, "control301").text();
        press(setup, "button2");
        return int(QDialog::Rejected);
    });
    frame.runCommand(CmdRecord);
    EXPECT_EQ(left, 127);
    EXPECT_EQ(right, 107);
    EXPECT_EQ(warning, QStringLiteral("You should try to turn down the volume.\nVolume peak was reached!"));
    EXPECT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(samplesOf(wave), ramp(100));
}

TEST_F(RecordCommand, OverwritingKeepsTheSoundUntilTheRecordingIsLoaded)
{
    WaveWindow* wave = open(ramp(100));
    bool recordASecond = false;
    const auto startAndStop = [&](QDialog& dialog) {
        if (dialog.findChild<QProgressBar*>(QStringLiteral("control201")))
            return int(QDialog::Accepted); // the setup dialog: start
        if (recordASecond)
            EXPECT_TRUE(waitFor([&] { return control<QLabel>(dialog, "control302").text() != "00:00"; }));
        press(dialog, "button2");
        return dialog.result();
    };

    // No: nothing is recorded and the document stays.
    boxes.answer = QMessageBox::No;
    dialogs.steps = { startAndStop };
    frame.runCommand(CmdRecord);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("Do you confirm overwriting\n%1?").arg(dir.file("held.wav").c_str()));
    EXPECT_EQ(samplesOf(wave), ramp(100));

    // Yes, but the input cannot be had: the document still holds its sound.
    useInput([](int32_t) { return std::unique_ptr<AudioInput>(); });
    boxes.answer = QMessageBox::Yes;
    dialogs.steps = { startAndStop, startAndStop };
    frame.runCommand(CmdRecord);
    EXPECT_EQ(boxes.texts.back(), QStringLiteral("No input device installed."));
    EXPECT_EQ(samplesOf(wave), ramp(100));
    EXPECT_EQ(IsFileSaved(wave->handle()), 1);

    // Yes and a recording: the recording replaces the sound, in the document's format.
    useInput(TestInput::factory(countingFrames, TestInput::Pace::RealTime));
    recordASecond = true;
    dialogs.steps = { startAndStop, startAndStop };
    frame.runCommand(CmdRecord);
    const Bytes recorded = samplesOf(wave);
    ASSERT_GE(recorded.size(), 11025u); // the clock showed a second
    for (std::size_t i = 0; i < recorded.size(); ++i)
        ASSERT_EQ(recorded[i], uint8_t(i)) << i;
    std::shared_lock lock(wave->document()->lock);
    EXPECT_EQ(wave->document()->document.header.nSamplesPerSec, 11025u);
    EXPECT_EQ(wave->document()->document.header.dataSize, recorded.size());
    EXPECT_EQ(wave->document()->document.info.saved, 0u);
}

} // namespace
