// The position bar: times and bytes, marks typed past the file, the buttons and the up-downs.
#include "PositionBar.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "PositionTimes.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;
namespace pt = kx::positiontimes;

WaveHeader headerOf(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataSize)
{
    WaveHeader header;
    PcmFormat { bits, channels, rate }.applyTo(header);
    header.setDataSize(dataSize);
    return header;
}

TEST(PositionTimes, TimesBecomeWholeFramesAndAreCutToTheFile)
{
    // 01 m 30.000 s of CD sound.
    EXPECT_EQ(pt::bytesOf(90000, 176400, 4), 15876000u);
    // 10 ms of 16-bit mono at 22050 Hz is 441 bytes: half a sample. The mark starts on the frame.
    EXPECT_EQ(pt::bytesOf(10, 44100, 2), 440u);
    EXPECT_EQ(pt::bytesOf(10, 44100, 1), 441u);
    EXPECT_EQ(pt::millisecondsOf(15876000, 176400), 90000u);
    EXPECT_EQ(pt::millisecondsOf(176399, 176400), 999u); // rounded down to the millisecond
    EXPECT_EQ(pt::text(90000), "01 m 30.000 s");
    EXPECT_EQ(pt::text(61001), "01 m 01.001 s");

    const WaveHeader twoSeconds = headerOf(2, 44100, 16, 352800);
    const struct {
        uint64_t start, length;
        uint32_t markStart, markLength;
        bool cut;
    } cases[] = {
        { 500, 1000, 88200, 176400, false },
        { 1000, 5000, 176400, 176400, true }, // reaches past the end: cut to dataSize - start
        { 3000, 10, 352800, 0, true }, // starts past the end: at the end, nothing marked
        { 0, 99 * 60000, 0, 352800, true },
    };
    for (const auto& c : cases) {
        const auto mark = pt::markOf(c.start, c.length, twoSeconds);
        EXPECT_EQ(mark.start, c.markStart) << c.start;
        EXPECT_EQ(mark.length, c.markLength) << c.start;
        EXPECT_EQ(mark.cut, c.cut) << c.start;
    }
}

struct PositionFrame : ::testing::Test {
    TempDir dir;
    FrameWindow frame;
    PositionBar* bar = nullptr;

    void SetUp() override
    {
        frame.resize(900, 700);
        frame.show();
        QApplication::processEvents();
        bar = frame.findChild<PositionBar*>(QStringLiteral("PosBar"));
        ASSERT_NE(bar, nullptr);
    }

    WaveWindow* open(std::size_t bytes)
    {
        const std::string path = dir.file("tone.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 22050, 16)), chunk("data", ramp(bytes)) }));
        EXPECT_TRUE(openAndWait(frame, path));
        QApplication::processEvents();
        return frame.activeWaveWindow();
    }

    void type(PositionBar::Field field, const char* text) { bar->field(field)->setText(QString::fromLatin1(text)); }
};

TEST_F(PositionFrame, UpdateMarkSetsTheTypedMarkOnWholeFrames)
{
    EXPECT_FALSE(bar->field(PositionBar::StartSeconds)->isEnabled()); // no document: disabled
    WaveWindow* wave = open(88200); // two seconds of 16-bit mono at 22050 Hz
    ASSERT_NE(wave, nullptr);
    EXPECT_TRUE(bar->field(PositionBar::StartSeconds)->isEnabled());
    const MarkRecord& mark = wave->document()->document.mark;

    type(PositionBar::StartSeconds, "01");
    type(PositionBar::StartMilliseconds, "010");
    type(PositionBar::LengthSeconds, "05");
    EXPECT_TRUE(bar->runCommand(PositionBar::UpdateMark));
    EXPECT_EQ(mark.markStart, 44540u); // 1.010 s is byte 44541: inside a frame
    EXPECT_EQ(mark.markLength, 88200u - 44540u);
    EXPECT_EQ(bar->field(PositionBar::LengthSeconds)->text(), "00"); // the fields show the cut mark
    EXPECT_EQ(bar->field(PositionBar::LengthMilliseconds)->text(), "990");

    // The up-down spins the field that last had the focus, within its range, and marks at once.
    QApplication::setActiveWindow(&frame);
    bar->field(PositionBar::StartSeconds)->setFocus();
    QApplication::processEvents();
    type(PositionBar::StartSeconds, "00");
    type(PositionBar::StartMilliseconds, "010");
    bar->spin(0, 1);
    EXPECT_EQ(bar->field(PositionBar::StartSeconds)->text(), "01");
    EXPECT_EQ(mark.markStart, 44540u);

    frame.runCommand(CmdMarkAll); // the frame's command goes through the bar
    EXPECT_EQ(mark.markLength, 88200u);
    EXPECT_EQ(bar->field(PositionBar::LengthSeconds)->text(), "02");
    frame.runCommand(CmdDestroyMark);
    EXPECT_EQ(mark.markLength, 0u);
    EXPECT_EQ(bar->field(PositionBar::LengthSeconds)->text(), "00");
}

TEST_F(PositionFrame, MouseTimeWhileDraggingBackwardsAndEmptyDocuments)
{
    WaveWindow* wave = open(88200);
    ASSERT_NE(wave, nullptr);
    wave->document()->document.mark.markStart = 44100; // the anchor at 1 s
    bar->showMousePosition(true, 22050); // dragged back to 0.5 s
    EXPECT_EQ(bar->positionField()->text(), "00 m 00.500 s");
    EXPECT_EQ(bar->field(PositionBar::StartMilliseconds)->text(), "500");
    EXPECT_EQ(bar->field(PositionBar::LengthMilliseconds)->text(), "500");

    frame.runCommand(CmdNew);
    EXPECT_FALSE(bar->runCommand(PositionBar::MarkAll));
    EXPECT_EQ(frame.activeWaveWindow()->document()->document.mark.markLength, 0u);
}

} // namespace
