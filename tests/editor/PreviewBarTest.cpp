// The preview bar: its pixel arithmetic, marking and resizing with the mouse, and drops.
#include "PreviewBar.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "PositionBar.h"
#include "PreviewGeometry.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "devices/TestDevice.h"
#include "documents/SharedDocument.h"
#include "exports/PlaybackBackend.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace kx;
using namespace kx::test;

TEST(PreviewGeometry, ColumnsBytesAndPlayMarker)
{
    // 526 pixels wide: 500 drawing columns; 100000 bytes of 16-bit stereo: 200 bytes a column.
    const PreviewGeometry g(100000, 4, 16, 526, 100);
    EXPECT_EQ(g.bytesPerPixel(), 200u);
    EXPECT_EQ(g.valuesPerPixel(), 100u);
    EXPECT_EQ(g.columnOf(0), 20);
    EXPECT_EQ(g.columnOf(1000), 25);
    EXPECT_EQ(g.positionAt(-300), 0u); // left of the window counts as column 20
    EXPECT_EQ(g.positionAt(21), 200u);
    EXPECT_EQ(g.positionAt(520), 100000u); // the right end is the end of the data
    EXPECT_EQ(g.positionAt(900), 100000u);
    // 201 bytes a column: positions land on 4-byte frames, never inside one.
    const PreviewGeometry odd(100500, 4, 16, 526, 100);
    for (int x : { 21, 22, 23, 377 })
        EXPECT_EQ(odd.positionAt(x) % 4, 0u) << x;
    EXPECT_EQ(odd.positionAt(21), 200u);
    // 8-bit mono frames are single bytes: nothing is cut off.
    EXPECT_EQ(PreviewGeometry(100500, 1, 8, 526, 100).positionAt(21), 201u);

    // The play marker: 25000 frames over 500 columns, 50 frames a column; the device counts bytes
    // from the start of the played range.
    EXPECT_EQ(g.playMarkerColumn(4000, 20000, 100), 20 + 6000 / 50);
    EXPECT_EQ(g.playMarkerColumn(4000, 20000, 0), 20 + 1000 / 50); // no range: the file from its start
    EXPECT_EQ(g.playMarkerColumn(10'000'000, 0, 0), 520); // never past the strip

    EXPECT_FALSE(PreviewGeometry(500, 1, 8, 526, 100).showsWave());
    EXPECT_TRUE(PreviewGeometry(501, 1, 8, 526, 100).showsWave());
}

TEST(PreviewGeometry, HeightStaysBetween50PixelsAndAThirdOfTheFrame)
{
    EXPECT_EQ(limitPreviewHeight(10, 600), 50);
    EXPECT_EQ(limitPreviewHeight(120, 600), 120);
    EXPECT_EQ(limitPreviewHeight(400, 600), 200);
    EXPECT_EQ(limitPreviewHeight(100, 120), 50);
}

struct PreviewFrame : ::testing::Test {
    TempDir dir;
    FrameWindow frame;
    PreviewBar* preview = nullptr;

    void SetUp() override
    {
        RegWriteString("Kestrix\\Settings\\PreviewSize", "100");
        frame.resize(900, 700);
        frame.show();
        QApplication::processEvents();
        preview = frame.findChild<PreviewBar*>(QStringLiteral("Preview"));
        ASSERT_NE(preview, nullptr);
    }

    // A drop may start an operation (a copy to the clipboard); it ends before the frame goes.
    void TearDown() override
    {
        EXPECT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    }

    WaveWindow* open(std::size_t bytes, uint16_t channels = 2, uint16_t bits = 16)
    {
        const std::string path = dir.file("tone.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(channels, 44100, bits)), chunk("data", ramp(bytes)) }));
        EXPECT_TRUE(openAndWait(frame, path));
        QApplication::processEvents();
        return frame.activeWaveWindow();
    }

    QPoint at(int x) const { return QPoint(x, preview->height() / 2); }
};

TEST_F(PreviewFrame, MarksOverTheWholeFileOnWholeFrames)
{
    WaveWindow* wave = open(400001 - 1); // 16-bit stereo: frames of 4 bytes
    ASSERT_NE(wave, nullptr);
    const MarkRecord& mark = wave->document()->document.mark;
    QSignalSpy changed(preview, &PreviewBar::markChanged);
    const PreviewGeometry g(400000, 4, 16, preview->width(), preview->height());

    QTest::mousePress(preview, Qt::LeftButton, {}, at(300));
    QTest::mouseMove(preview, at(100));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, at(100));
    EXPECT_EQ(mark.markStart, g.positionAt(100)); // dragged backwards: the start is where it ended
    EXPECT_EQ(mark.markLength, g.positionAt(300) - g.positionAt(100));
    EXPECT_EQ(mark.markStart % 4, 0u);
    EXPECT_EQ(mark.markLength % 4, 0u);
    EXPECT_EQ(changed.count(), 1);

    // A click without moving: a mark of length 0, shown as one line.
    QTest::mouseClick(preview, Qt::LeftButton, {}, at(50));
    EXPECT_EQ(mark.markLength, 0u);
    preview->grab();
    EXPECT_EQ(preview->outline(), std::make_pair(50, 50));
}

TEST_F(PreviewFrame, AFileShorterThanTheDrawingWidthShowsNoWaveAndTakesNoMark)
{
    WaveWindow* wave = open(400);
    ASSERT_NE(wave, nullptr);
    preview->grab();
    EXPECT_EQ(preview->outline(), std::make_pair(-1, -1));
    QTest::mouseClick(preview, Qt::LeftButton, {}, at(300));
    EXPECT_EQ(wave->document()->document.mark.markStart, 0u);
}

TEST_F(PreviewFrame, TopEdgeResizesBetween50PixelsAndAThirdOfTheFrame)
{
    const int bottom = preview->mapToGlobal(QPoint(0, preview->height())).y();
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(200, 2));
    // Far up: a third of the frame's height.
    QTest::mouseMove(preview, preview->mapFromGlobal(QPoint(0, bottom - 600)) + QPoint(200, 0));
    EXPECT_EQ(preview->height(), frame.height() / 3);
    EXPECT_EQ(RegGetDWord("Kestrix\\Settings\\PreviewSize", 0), frame.height() / 3);
    // Far down: 50 pixels.
    QTest::mouseMove(preview, preview->mapFromGlobal(QPoint(0, bottom - 5)) + QPoint(200, 0));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, preview->mapFromGlobal(QPoint(200, bottom - 5)));
    EXPECT_EQ(preview->height(), 50);
    EXPECT_EQ(RegGetDWord("Kestrix\\Settings\\PreviewSize", 0), 50);
    EXPECT_EQ(preview->geometry().bottom() + 1, frame.currentLayout().statusBar.top());
    RegWriteString("Kestrix\\Settings\\PreviewSize", "100");
}

} // namespace

namespace {

TEST_F(PreviewFrame, DropsOnTheClipboardSlotOnTheFileAndNeverIntoABusyDocument)
{
    WaveWindow* wave = open(400000);
    ASSERT_NE(wave, nullptr);
    auto& document = wave->document()->document;
    document.mark.markStart = 40000;
    document.mark.markLength = 80000;
    preview->grab();
    const auto [left, right] = preview->outline();
    ASSERT_LT(left + 2, right);
    QSignalSpy commands(preview, &PreviewBar::commandRequested);
    QWidget* panel = frame.findChild<QWidget*>(QStringLiteral("SELECTBAR"));
    ASSERT_NE(panel, nullptr);
    const int middle = (left + right) / 2;
    auto dragTo = [&](QWidget* target, QPoint point) {
        QTest::mousePress(preview, Qt::LeftButton, {}, at(middle));
        const QPoint local = preview->mapFromGlobal(target->mapToGlobal(point));
        QTest::mouseMove(preview, local);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, local);
    };
    const int w = panel->width();
    dragTo(panel, QPoint(w - 270, 9)); // inside the slot: Copy
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), CmdCopy);
    dragTo(panel, QPoint(w - 320, 9)); // on its edge: nothing
    dragTo(panel, QPoint(w - 200, 9)); // beside it: nothing
    EXPECT_EQ(commands.count(), 1);

    // Into the same file, at the column let go: a copy of the mark goes in there.
    wave->document()->operationRunning = true;
    dragTo(preview, at(30));
    EXPECT_EQ(document.header.dataSize, 400000u); // busy: refused
    wave->document()->operationRunning = false;
    dragTo(preview, at(30));
    EXPECT_EQ(document.header.dataSize, 480000u);
}

} // namespace

namespace {

TEST_F(PreviewFrame, ThePlayPositionFollowsTheDeviceAndTheStatusBarAnimates)
{
    const auto device = TestDevice::create();
    device->setRecording(false);
    PlaybackBackend::install({ device->factory(), [] { return std::vector<std::string> { "Test" }; }, {} });
    // Ten seconds of a stereo tone that swells and fades, so the screenshot shows a shape.
    Bytes samples;
    for (int i = 0; i < 441000; ++i) {
        const double envelope = std::sin(i * 3.14159 / 441000) * (0.6 + 0.4 * std::sin(i * 0.0004));
        put16(samples, uint16_t(int16_t(26000 * envelope * std::sin(i * 0.05))));
        put16(samples, uint16_t(int16_t(18000 * envelope * std::sin(i * 0.031))));
    }
    const std::string path = dir.file("swell.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", samples) }));
    EXPECT_TRUE(openAndWait(frame, path));
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    wave->showMaximized();
    auto& document = wave->document()->document;
    document.mark.zoom = 0; // the whole file, true peaks
    // Seconds 2 to 6 marked in the position bar.
    auto* bar = frame.findChild<PositionBar*>(QStringLiteral("PosBar"));
    bar->field(PositionBar::StartSeconds)->setText(QStringLiteral("02"));
    bar->field(PositionBar::LengthSeconds)->setText(QStringLiteral("04"));
    bar->runCommand(PositionBar::UpdateMark);
    ASSERT_EQ(document.mark.markStart, 176400u * 2);
    frame.runCommand(CmdPlay);
    ASSERT_TRUE(preview->playPositionRuns());
    for (int i = 0; i < 20; ++i)
        device->advance(4410); // two seconds into the marked range, a tenth at a time
    const PreviewGeometry g(document.header.dataSize, 4, 16, preview->width(), preview->height());
    const int expected = g.playMarkerColumn(176400 * 2, document.mark.markStart, document.mark.markLength);
    ASSERT_TRUE(waitFor([&] { return preview->markerColumn() == expected; }));
    ASSERT_TRUE(waitFor([&] { return preview->playingFrame() >= 2; }));
    EXPECT_EQ(expected, g.columnOf(176400 * 4));

    const QImage shot = frame.grab().toImage();
    if (const char* out = std::getenv("KX_SCREENSHOT_DIR"))
        shot.save(QString::fromLocal8Bit(out) + QStringLiteral("/editor-preview.png"));
    // The marker's white tip in the play-position strip, under the play position.
    const QPoint strip = preview->mapTo(&frame, QPoint(expected, preview->height() - 10));
    EXPECT_EQ(shot.pixel(strip) & 0xFFFFFF, 0xFFFFFFu);
    frame.runCommand(CmdStop);
    EXPECT_FALSE(preview->playPositionRuns());
    PlaybackBackend::install({});
}

} // namespace
