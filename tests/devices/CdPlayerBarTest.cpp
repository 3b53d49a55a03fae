// The CD player bar in the real frame, on images the tests make and the in-process test device:
// the grid and "more" field, transport and seek clicks, a disc taken out, no disc at all, and
// recording from the disc into a document.
#include "CdPlayerBar.h"
#include "CdImage.h"
#include "CommandIds.h"
#include "DialogScript.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "StatusBar.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "devices/TestDevice.h"
#include "documents/SharedDocument.h"
#include "exports/PlaybackBackend.h"
#include "media/FormatConverter.h"

#include "paneldraw/settings.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace kx;
using namespace kx::test;

class CdPlayerBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        PlaybackBackend backend = PlaybackBackend::portAudio();
        backend.outputs = device->factory();
        PlaybackBackend::install(std::move(backend));
        frame.resize(900, 700);
        frame.show();
        frame.runCommand(CmdCdPlayer);
    }
    void TearDown() override
    {
        bar().device().stop();
        PlaybackBackend::install({});
        RegWriteString(CdDisc::kDeviceSetting, "");
    }

    CdPlayerBar& bar() { return *frame.cdPlayer(); }
    void load(const CdImage& image)
    {
        RegWriteString(CdDisc::kDeviceSetting, image.cue().c_str());
        bar().reload();
    }
    void click(QPoint at) { QTest::mouseClick(&bar(), Qt::LeftButton, {}, at); }
    /// The middle of track t's cell.
    static QPoint cell(int t) { return { 20 + 20 * ((t - 1) % 5), 35 + 20 * ((t - 1) / 5) }; }
    int playingTrack() { return bar().device().isPlaying() ? bar().device().currentTrack() : 0; }

    TempDir dir;
    std::shared_ptr<TestDevice> device = TestDevice::create();
    FrameWindow frame;
    ScriptedDialogs dialogs;
    RecordedBoxes boxes;
};

TEST_F(CdPlayerBarTest, TheGridPlaysTracksUpToTheCountAndTheMoreFieldStandsForTheRest)
{
    CdImage five(dir.path().string(), std::vector<CdImage::Track>(5, { 10 }));
    load(five);
    click(cell(6));
    click(cell(20));
    EXPECT_EQ(playingTrack(), 0);
    click(cell(4));
    EXPECT_EQ(playingTrack(), 4);
    // Next on the last track plays the first, previous on the first the last.
    click({ 280, 90 });
    click({ 280, 90 });
    EXPECT_EQ(playingTrack(), 1);
    click({ 160, 90 });
    EXPECT_EQ(playingTrack(), 5);
    // The borders between the transport buttons do nothing.
    click({ 188, 90 });
    click({ 229, 90 });
    EXPECT_EQ(playingTrack(), 5);
    click({ 200, 90 });
    EXPECT_EQ(playingTrack(), 0);
    EXPECT_TRUE(boxes.texts.empty());

    TempDir manyDir;
    CdImage many(manyDir.path().string(), std::vector<CdImage::Track>(25, { 10 }));
    load(many);
    click(cell(19));
    click(cell(20));
    EXPECT_EQ(playingTrack(), 0);
    click(cell(18));
    EXPECT_TRUE(bar().isHighlighted(18));
    bar().device().playTrack(21);
    bar().refresh();
    EXPECT_TRUE(bar().isHighlighted(CdPlayerBar::kMoreField));
    bar().refresh(); // the current field blinks
    EXPECT_FALSE(bar().isHighlighted(CdPlayerBar::kMoreField));
    EXPECT_EQ(bar().trackText(), "21");
    bar().setTrackMode(12);
    EXPECT_EQ(bar().trackText(), "25");
}

TEST_F(CdPlayerBarTest, TheStripSeeksInTheCurrentTrackAndTheMarkerFollows)
{
    // Track 2 runs from 0:04 for 10 s; nine more of 1 s follow.
    std::vector<CdImage::Track> tracks { { 300 }, { 750 } };
    tracks.resize(11, { 75 });
    CdImage image(dir.path().string(), tracks);
    load(image);
    ASSERT_TRUE(bar().device().playTrack(2));
    click({ 150, 115 });
    EXPECT_EQ(bar().device().position(CdDevice::TimeFormat::Minutes), "00:04:00");
    click({ 228, 115 }); // 78 pixels: 5 s into the track
    EXPECT_EQ(bar().device().position(CdDevice::TimeFormat::Minutes), "00:09:00");
    bar().refresh();
    EXPECT_EQ(bar().markerPosition(), QPoint(150 + 5 * 150 / 10, 110));
    EXPECT_EQ(bar().timeText(), "00:05");
    bar().setTimeMode(6);
    EXPECT_EQ(bar().timeText(), "00:05");
    bar().setTimeMode(3);
    EXPECT_EQ(bar().timeText(), "00:23");
    const StatusBar* status = frame.findChild<StatusBar*>();
    EXPECT_TRUE(waitFor([&] { return status->cdFrame() > 0; }));
    if (const char* out = std::getenv("KX_CD_SCREENSHOT")) {
        bar().setTimeMode(1);
        if (!bar().isHighlighted(2))
            bar().refresh();
        bar().grab().save(QString::fromLocal8Bit(out));
    }
    click({ 200, 90 });
    EXPECT_TRUE(waitFor([&] { return status->cdFrame() == 0; }));
}

TEST_F(CdPlayerBarTest, ADiscTakenOutWhilePlayingStopsAndTheBarSaysSo)
{
    CdImage image(dir.path().string(), { { 150 }, { 75 } });
    load(image);
    click({ 240, 90 });
    ASSERT_TRUE(bar().device().isPlaying());
    std::filesystem::resize_file(image.bin(), 0);
    std::filesystem::remove(image.cue());
    for (int i = 0; i < 200 && device->record().dones == 0; ++i)
        device->advance(588);
    ASSERT_TRUE(waitFor([&] { return !boxes.texts.empty(); }));
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("cannot be read")));
    EXPECT_FALSE(bar().device().isPlaying());
    EXPECT_FALSE(bar().noDiscText().isEmpty());
}

TEST_F(CdPlayerBarTest, WithoutADiscEveryCommandOnlySaysSo)
{
    RegWriteString(CdDisc::kDeviceSetting, dir.file("none.cue").c_str());
    bar().reload();
    const QString reason = bar().noDiscText();
    ASSERT_FALSE(reason.isEmpty());
    for (const QPoint at :
        { QPoint(160, 90), QPoint(200, 90), QPoint(240, 90), QPoint(280, 90), QPoint(200, 115), QPoint(150, 32) })
        click(at);
    EXPECT_EQ(boxes.texts, std::vector<QString>(6, reason));
    EXPECT_TRUE(device->record().deviceIds.empty());
    EXPECT_TRUE(dialogs.titles.empty());
    EXPECT_EQ(bar().timeText(), "00:00");
    EXPECT_EQ(bar().trackText(), "00");
}

TEST_F(CdPlayerBarTest, ADiscChosenInTheOptionsIsOpenedWhenTheyClose)
{
    CdImage image(dir.path().string(), { { 75 }, { 75 }, { 75 } });
    RegWriteString(CdDisc::kDeviceSetting, dir.file("none.cue").c_str());
    bar().reload();
    dialogs.steps = { [&](QDialog&) {
        RegWriteString(CdDisc::kDeviceSetting, image.cue().c_str());
        return int(QDialog::Accepted);
    } };
    click({ 60, 115 });
    EXPECT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(bar().device().trackCount(), 3);
}

class CdRecording : public CdPlayerBarTest {
protected:
    /// Opens a document of `format` holding a few samples, and starts at 0:01 into track 2.
    WaveWindow* prepare(const PcmFormat& format)
    {
        const std::string path = dir.file("held.wav");
        writeFile(
            path, riff({ chunk("fmt ", fmtBody(format.channels, format.rate, format.bits)), chunk("data", ramp(8)) }));
        EXPECT_TRUE(openAndWait(frame, path));
        WaveWindow* wave = frame.activeWaveWindow();
        EXPECT_TRUE(waitFor([&] { return !IsFileWorking(wave->handle()); }));
        load(image);
        EXPECT_TRUE(bar().device().playFrom(0, 3));
        bar().device().stop();
        boxes.answer = QMessageBox::Yes;
        dialogs.steps = { [this](QDialog& setup) {
                             setupPosition = control<QLabel>(setup, "control103").text();
                             return int(QDialog::Accepted);
                         },
            [this](QDialog& recording) {
                recordingPosition = control<QLabel>(recording, "control202").text();
                EXPECT_TRUE(waitFor([&] { return control<QLabel>(recording, "control302").text() != "00:00"; }));
                press(recording, "button2");
                return recording.result();
            } };
        click({ 150, 32 });
        return wave;
    }
    Bytes samplesOf(WaveWindow* wave)
    {
        std::shared_lock lock(wave->document()->lock);
        const auto bytes = wave->document()->document.samples.bytes();
        EXPECT_EQ(PcmFormat::of(wave->document()->document.header), format);
        return { bytes.begin(), bytes.end() };
    }

    /// Track 1 lasts 2 s, track 2 8 s.
    CdImage image { dir.path().string(), { { 150 }, { 600 } } };
    static constexpr int kStart = 150 + 75;
    PcmFormat format;
    QString setupPosition;
    QString recordingPosition;
};

TEST_F(CdRecording, TakesTheDiscsSamplesFromThePositionBitExact)
{
    format = CdDisc::kFormat;
    WaveWindow* wave = prepare(format);
    EXPECT_EQ(setupPosition, QStringLiteral("Track 2, Position 00:01"));
    EXPECT_EQ(recordingPosition, setupPosition);
    const Bytes recorded = samplesOf(wave);
    ASSERT_GE(recorded.size(), std::size_t(44100 * 4)); // the clock showed a second
    const Bytes disc = image.sectors(kStart, 750);
    EXPECT_EQ(recorded, Bytes(disc.begin(), disc.begin() + std::ptrdiff_t(recorded.size())));
}

TEST_F(CdRecording, ConvertsToTheDocumentsFormatOnTheWay)
{
    format = { 8, 1, 22050 };
    WaveWindow* wave = prepare(format);
    const Bytes recorded = samplesOf(wave);
    ASSERT_GE(recorded.size(), std::size_t(22050));
    const Bytes disc = image.sectors(kStart, 750);
    FormatConverter converter(CdDisc::kFormat, format);
    Bytes expected(converter.targetSize(disc.size()));
    ASSERT_TRUE(converter.convert(disc, expected));
    EXPECT_EQ(recorded, Bytes(expected.begin(), expected.begin() + std::ptrdiff_t(recorded.size())));
}

} // namespace
