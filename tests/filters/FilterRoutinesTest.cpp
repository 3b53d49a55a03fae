// The filters as the editor runs them: command, dialog, operation thread, undo text, repaint,
// unsaved flag and completion, on the real frame.
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "dialogs/CurveGraph.h"
#include "dialogs/ModalDialogs.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <thread>

namespace {

using namespace kx;
using namespace kx::test;

/// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

/// Every dialog ends with `result` and every message box with OK, recording the texts.
struct ScriptedInterface {
    int result = QDialog::Accepted;
    int dialogs = 0;
    std::vector<QString> boxes;
    ScriptedInterface()
    {
        ModalDialogs::setDriver([this](QDialog&) {
            ++dialogs;
            return result;
        });
        MessageBoxes::setPresenter([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return QMessageBox::Ok;
        });
    }
    ~ScriptedInterface()
    {
        ModalDialogs::setDriver({});
        MessageBoxes::setPresenter({});
    }
};

Bytes sixteenBit(const std::vector<int16_t>& values)
{
    Bytes bytes;
    for (int16_t v : values)
        put16(bytes, uint16_t(v));
    return bytes;
}

std::vector<int16_t> samplesOf(const WaveDocument& document)
{
    std::vector<int16_t> values(document.header.dataSize / 2);
    std::memcpy(values.data(), document.samples.data(), values.size() * 2);
    return values;
}

/// A frame with one document opened from a 16-bit file of `channels` channels.
struct FrameWithDocument {
    TempDir dir;
    FrameWindow frame;
    WaveWindow* wave = nullptr;

    FrameWithDocument(uint16_t channels, const std::vector<int16_t>& values)
    {
        const std::string path = dir.file("in.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(channels, 44100, 16)), chunk("data", sixteenBit(values)) }));
        frame.resize(900, 700);
        frame.show();
        EXPECT_TRUE(openAndWait(frame, path));
        wave = frame.activeWaveWindow();
    }

    WaveDocument& document() { return wave->document()->document; }
    void mark(uint32_t start, uint32_t length)
    {
        std::unique_lock lock(wave->document()->lock); // the recovery writer reads the mark
        document().mark.markStart = start;
        document().mark.markLength = length;
    }
    /// Runs a command and waits until its thread has returned.
    void run(int command)
    {
        frame.runCommand(command);
        ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    }
    QString undoText() { return editItemText(CmdUndo); }
    QString editItemText(int command)
    {
        // The menu's entry, not the tool bar's button of the same command.
        for (QMenu* menu : frame.findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (action->data().toInt() != command)
                    continue;
                // The Edit menu sets the text as it opens.
                emit menu->aboutToShow();
                return action->text();
            }
        }
        return {};
    }
};

TEST(FilterRoutines, CommandsChangeTheDocumentAndTellTheWindows)
{
    const struct {
        int command;
        const char* setting;
        const char* value;
        std::vector<int16_t> input;
        std::vector<int16_t> expected;
        const char* undo;
        int dialogs;
    } cases[] = {
        { CmdVolume, "Kestrix\\Settings\\Filters\\Volume", "200", { 20000, -20000, 3, -3 }, { 32767, -32768, 6, -6 },
            "Change Volume", 1 },
        { CmdVolume, "Kestrix\\Settings\\Filters\\Volume", "150", { -3, 10, 0, 1 }, { -4, 15, 0, 1 }, "Change Volume",
            1 },
        { CmdMaxVolume, nullptr, nullptr, { 10000, -10000, 5000, 0 }, { 32767, -32767, 16383, 0 }, "Set Maximal Volume",
            0 },
        { CmdFadeIn, "Kestrix\\Settings\\Filters\\FadeIn", "50", { 1000, 1000, 1000, 1000 }, { 500, 625, 750, 875 },
            "Fade In", 1 },
        { CmdFadeOut, "Kestrix\\Settings\\Filters\\FadeOut", "50", { 1000, 1000, 1000, 1000 }, { 1000, 875, 750, 625 },
            "Fade Out", 1 },
        { CmdZeroize, "Kestrix\\Settings\\Filters\\Zeroize\\Percent", "30", { 982, -982, 983, -983 },
            { 0, 0, 983, -983 }, "Zeroize", 0 },
        { CmdReverse, nullptr, nullptr, { 1, 2, 3, 4, 5, 6 }, { 6, 5, 4, 3, 2, 1 }, "Reverse", 0 },
        { CmdSoften, "Kestrix\\Settings\\Filters\\LowPass", "1", { 0, 3, 6, 9, 12, 15 }, { 3, 6, 9, 9, 12, 15 },
            "Soften", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.undo);
        ScriptedInterface interface;
        if (c.setting)
            RegWriteString(c.setting, c.value);
        FrameWithDocument f(1, c.input);
        ASSERT_NE(f.wave, nullptr);
        ASSERT_TRUE(IsFileSaved(f.wave->handle()));
        EXPECT_EQ(f.undoText(), "&Undo not possible\tCtrl + Z");
        PaintCounter wavePaints(f.wave->widget());
        PaintCounter previewPaints(f.frame.findChild<QWidget*>(QStringLiteral("Preview")));
        QSignalSpy completed(&f.frame, &FrameWindow::operationCompleted);

        f.run(c.command);
        EXPECT_EQ(interface.dialogs, c.dialogs);
        EXPECT_EQ(samplesOf(f.document()), c.expected);
        ASSERT_TRUE(waitFor([&] { return completed.count() == 1; }));
        EXPECT_EQ(completed.at(0).at(0).value<HWND>(), f.wave->handle());
        EXPECT_EQ(f.frame.operations().runningCount(), 0);
        EXPECT_FALSE(IsFileSaved(f.wave->handle()));
        EXPECT_EQ(f.undoText(), QStringLiteral("&Undo: %1\tCtrl + Z").arg(QLatin1String(c.undo)));
        EXPECT_TRUE(waitFor([&] { return wavePaints.count > 0 && previewPaints.count > 0; }));

        // Undo brings the samples back.
        f.run(CmdUndo);
        EXPECT_EQ(samplesOf(f.document()), c.input);
        EXPECT_TRUE(interface.boxes.empty());
    }
}

TEST(FilterRoutines, CrossFadesWorkOnStereoFramesOfTheMark)
{
    RegWriteString("Kestrix\\Settings\\Filters\\Volume", "200");
    const struct {
        int command;
        std::vector<int16_t> expected;
    } cases[] = {
        { CmdFadeLeftToRight, { 1000, 0, 750, 250, 500, 500, 250, 750 } },
        { CmdFadeRightToLeft, { 0, 1000, 250, 750, 500, 500, 750, 250 } },
    };
    for (const auto& c : cases) {
        FrameWithDocument f(2, std::vector<int16_t>(8, 1000));
        f.run(c.command);
        EXPECT_EQ(samplesOf(f.document()), c.expected);
    }
    // With a mark only the marked frames change; the volume reads its setting.
    ScriptedInterface interface;
    FrameWithDocument f(2, { 1, 2, 3, 4, 5, 6 });
    f.mark(4, 4);
    f.run(CmdVolume);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 1, 2, 6, 8, 5, 6 }));
}

TEST(FilterRoutines, CancelledDialogStartsNothing)
{
    ScriptedInterface interface;
    interface.result = QDialog::Rejected;
    const std::vector<int16_t> input { 100, 200, 300, 400 };
    for (int command : { CmdVolume, CmdFadeIn, CmdFadeOut, CmdVelocity, CmdSoften }) {
        FrameWithDocument f(1, input);
        QSignalSpy completed(&f.frame, &FrameWindow::operationCompleted);
        f.frame.runCommand(command);
        EXPECT_EQ(f.frame.operations().liveThreads(), 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(completed.count(), 0);
        EXPECT_EQ(samplesOf(f.document()), input);
        EXPECT_TRUE(IsFileSaved(f.wave->handle()));
    }
    EXPECT_EQ(interface.dialogs, 5);
}

TEST(FilterRoutines, VelocityChangesTheLengthAndIsUndoneWhole)
{
    ScriptedInterface interface;
    RegWriteString("Kestrix\\Settings\\Filters\\Velocity", "200");
    RegWriteString("Kestrix\\Settings\\Filters\\VelocitySmooth", "0");
    FrameWithDocument f(1, { 10, 20, 30, 40, 50, 60 });
    f.mark(0, 2);
    f.run(CmdReverse); // the step before the velocity's
    QSignalSpy lengthChanged(f.wave, &WaveWindow::dataLengthChanged);
    f.run(CmdVelocity);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 10, 30, 50 }));
    EXPECT_EQ(f.document().header.dataSize, 6u);
    EXPECT_EQ(f.document().header.riffSize, 42u);
    EXPECT_EQ(lengthChanged.count(), 1);
    EXPECT_EQ(f.undoText(), "&Undo: Change Velocity\tCtrl + Z");
    f.run(CmdUndo);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 10, 20, 30, 40, 50, 60 }));
    EXPECT_EQ(f.undoText(), "&Undo: Reverse\tCtrl + Z");
    EXPECT_EQ(f.editItemText(CmdRedo), "&Redo: Change Velocity\tCtrl + Y");
    f.run(CmdRedo);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 10, 30, 50 }));

    // 100 % is refused: nothing changes, and the operation still ends.
    RegWriteString("Kestrix\\Settings\\Filters\\Velocity", "100");
    QSignalSpy completed(&f.frame, &FrameWindow::operationCompleted);
    f.run(CmdVelocity);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 10, 30, 50 }));
    EXPECT_EQ(f.editItemText(CmdRedo), "&Redo not possible\tCtrl + Y");
    EXPECT_EQ(f.frame.operations().runningCount(), 0);
    EXPECT_TRUE(waitFor([&] { return completed.count() == 1; }));
}

TEST(FilterRoutines, SilenceRoutinesChangeMarkOrLength)
{
    ScriptedInterface interface;
    FrameWithDocument f(1, { 1, 2, 3, 4, 5, 6 });
    f.mark(2, 4);
    f.frame.operations().start(SetSilence, f.frame.handle(), OpSilence, f.wave->handle());
    ASSERT_TRUE(waitFor([&] { return f.frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 1, 0, 0, 4, 5, 6 }));
    EXPECT_EQ(f.undoText(), "&Undo: Silence\tCtrl + Z");

    // "Insert Silence...": 0 s 1 ms at 44100 Hz mono 16-bit is 88 bytes (whole bytes per
    // millisecond first), inserted at the cursor.
    RegWriteString("Kestrix\\Settings\\Filters\\Silence\\Sec", "0");
    RegWriteString("Kestrix\\Settings\\Filters\\Silence\\MS", "1");
    f.mark(4, 0);
    QSignalSpy lengthChanged(f.wave, &WaveWindow::dataLengthChanged);
    f.run(CmdInsertSilence);
    EXPECT_EQ(interface.dialogs, 1);
    std::vector<int16_t> expected { 1, 0 };
    expected.resize(2 + 44, 0);
    expected.insert(expected.end(), { 0, 4, 5, 6 });
    EXPECT_EQ(samplesOf(f.document()), expected);
    EXPECT_EQ(lengthChanged.count(), 1);
    EXPECT_EQ(f.undoText(), "&Undo: Insert Silence\tCtrl + Z");
    f.run(CmdUndo);
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 1, 0, 0, 4, 5, 6 }));
}

TEST(FilterRoutines, WithoutWaveWindowOnlyStartAndEndAreAnnounced)
{
    FrameWindow frame;
    frame.show();
    QSignalSpy counts(&frame.operations(), &OperationThreads::runningCountChanged);
    for (auto routine : { ChangeVolume, SetMaxVolume, FadeIn, Reverse, Velocity, LowPass, InsertSilence }) {
        ASSERT_TRUE(frame.operations().start(routine, frame.handle(), OpVolume, nullptr));
        ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    }
    EXPECT_EQ(frame.operations().runningCount(), 0);
    EXPECT_EQ(counts.count(), 14); // one up, one down for each
}

/// Fills the document with `size` bytes of 16-bit samples i * 7 + 1000.
std::shared_ptr<SharedDocument> makeBig(FrameWithDocument& f, uint32_t size)
{
    std::shared_ptr<SharedDocument> shared = f.wave->document();
    std::unique_lock lock(shared->lock);
    if (!shared->document.samples.resize(size))
        return nullptr;
    auto* values = reinterpret_cast<int16_t*>(shared->document.samples.data());
    for (uint32_t i = 0; i < size / 2; ++i)
        values[i] = int16_t(i * 7 + 1000);
    shared->document.header.setDataSize(size);
    return shared;
}

TEST(FilterRoutines, AFilterWorksOnTheWindowItWasStartedForAfterTheUserSwitched)
{
    ScriptedInterface interface;
    FrameWithDocument f(1, { 1, 2, 3, 4 });
    f.frame.runCommand(CmdNew);
    WaveWindow* other = f.frame.activeWaveWindow();
    f.frame.mdiArea()->setActiveSubWindow(f.wave);
    // The user switches windows before the thread has got going.
    f.frame.runCommand(CmdReverse);
    f.frame.mdiArea()->setActiveSubWindow(other);
    ASSERT_TRUE(waitFor([&] { return f.frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(samplesOf(f.document()), (std::vector<int16_t> { 4, 3, 2, 1 }));
    EXPECT_EQ(other->document()->document.info.saved, 1u);
}

TEST(FilterRoutines, ClosingTheWindowStopsARunAndKeepsTheDocumentWhole)
{
    ScriptedInterface interface;
    RegWriteString("Kestrix\\Settings\\Filters\\FadeIn", "0");
    FrameWithDocument f(2, { 0, 0, 0, 0 });
    // 256 MB of 16-bit stereo: long enough that the window closes while the fade runs.
    constexpr uint32_t size = 256u << 20;
    std::shared_ptr<SharedDocument> shared = makeBig(f, size);
    ASSERT_TRUE(shared);
    SendMessage(f.wave->handle(), MsgRecomputeScroll, 0, 0);
    QSignalSpy completed(&f.frame, &FrameWindow::operationCompleted);

    f.frame.runCommand(CmdFadeIn);
    ASSERT_TRUE(waitFor([&] { return f.frame.operations().runningCount() == 1; }));
    f.wave->close();
    EXPECT_EQ(f.frame.operations().runningCount(), 0);
    ASSERT_TRUE(waitFor([&] { return f.frame.operations().liveThreads() == 0; }, 60000));
    QCoreApplication::processEvents();
    EXPECT_EQ(completed.count(), 0);

    // The stopped fade put every sample back; nothing is left to undo.
    std::shared_lock lock(shared->lock);
    const auto* values = reinterpret_cast<const int16_t*>(shared->document.samples.data());
    uint32_t changed = 0;
    for (uint32_t i = 0; i < size / 2; ++i)
        changed += values[i] != int16_t(i * 7 + 1000);
    EXPECT_EQ(changed, 0u);
    EXPECT_EQ(shared->document.header.dataSize, size);
    EXPECT_EQ(shared->document.undo.undoKind, UndoNothing);
}

TEST(FilterRoutines, ReadersGetInBetweenTheBlocksOfARun)
{
    ScriptedInterface interface;
    RegWriteString("Kestrix\\Settings\\Filters\\FadeIn", "0");
    FrameWithDocument f(2, { 0, 0, 0, 0 });
    constexpr uint32_t size = 64u << 20;
    auto shared = makeBig(f, size);
    ASSERT_TRUE(shared);
    f.frame.runCommand(CmdFadeIn);
    // A reader that must not wait (as painting) finds the document half faded at some moment.
    // The frame answers the thread's messages meanwhile.
    bool sawHalfDone = false;
    waitFor(
        [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1)); // at a painter's pace
            if (shared->lock.try_lock_shared()) {
                const auto* values = reinterpret_cast<const int16_t*>(shared->document.samples.data());
                sawHalfDone = values[1] != 1007 && values[size / 2 - 1] == int16_t((size / 2 - 1) * 7 + 1000);
                shared->lock.unlock_shared();
            }
            return sawHalfDone || f.frame.operations().liveThreads() == 0;
        },
        60000);
    EXPECT_TRUE(sawHalfDone);
    ASSERT_TRUE(waitFor([&] { return f.frame.operations().liveThreads() == 0; }, 60000));
}

TEST(FilterRoutines, ChannelTestsAndSampleScaling)
{
    FrameWithDocument stereo(2, { 0, 0, 0, 0 });
    FrameWithDocument mono(1, { 0, 0 });
    const struct {
        HWND wave;
        uint32_t offset;
        int32_t left;
    } channels[] = {
        { stereo.wave->handle(), 6, 0 },
        { stereo.wave->handle(), 8, 1 },
        { stereo.wave->handle(), 0, 1 },
        { mono.wave->handle(), 2, 1 },
        { mono.wave->handle(), 4, 1 },
    };
    for (const auto& c : channels) {
        EXPECT_EQ(IsLeftChannel(c.wave, c.offset), c.left) << c.offset;
        EXPECT_EQ(IsRightChannel(c.wave, c.offset), 1 - c.left) << c.offset;
    }
    EXPECT_EQ(IsLeftChannel(nullptr, 0), 0);
    EXPECT_EQ(IsRightChannel(nullptr, 1), 0);

    const struct {
        int16_t sample;
        int32_t bits;
        float factor;
        int16_t result;
    } scaling[] = {
        { 20000, 16, 2.0f, 32767 },
        { -20000, 16, 2.0f, -32768 },
        { 3, 16, 2.0f, 6 },
        { -3, 16, 1.5f, -4 },
        { 200, 8, 2.0f, 255 },
        { 10, 8, 2.0f, 0 },
        { 128, 8, 0.5f, 128 },
    };
    for (const auto& c : scaling)
        EXPECT_EQ(ChangeSampleVolume(c.sample, c.bits, c.factor), c.result) << c.sample << " " << c.factor;
}

// The curve drawn in the dialog reaches the document through the operation thread, and Undo takes it back; the channel
// curve turns a mono file down.
TEST(FilterRoutines, DrawtoneCurvesRunFromTheirDialogs)
{
    ScriptedInterface interface;
    QString drawnIn;
    ModalDialogs::setDriver([&](QDialog& dialog) {
        drawnIn = dialog.windowTitle();
        dialog.findChild<CurveGraph*>()->setPins({ { 0, 0 }, { 150, 200 }, { 300, 0 } });
        return int(QDialog::Accepted);
    });
    const std::vector<int16_t> input(3000, 1000);
    FrameWithDocument f(1, input);
    ASSERT_NE(f.wave, nullptr);
    f.run(CmdDrawtoneVolume);
    EXPECT_EQ(drawnIn, "Drawtone - Change Volume");
    const std::vector<int16_t> s = samplesOf(f.document());
    EXPECT_EQ(s[0], 1998);
    EXPECT_EQ(s[1499], 0);
    EXPECT_EQ(s[2999], 2000);
    EXPECT_EQ(f.undoText(), "&Undo: Drawtone Volume\tCtrl + Z");
    EXPECT_FALSE(IsFileSaved(f.wave->handle()));
    EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Drawtone\\VolumeNumber", 0), 4);
    f.run(CmdUndo);
    EXPECT_EQ(samplesOf(f.document()), input);

    f.run(CmdDrawtoneFadeChannels);
    EXPECT_EQ(drawnIn, "Drawtone - Fade Channels");
    EXPECT_EQ(samplesOf(f.document()), input);
    EXPECT_EQ(interface.boxes.size(), 1u);
    EXPECT_EQ(f.undoText(), "&Undo not possible\tCtrl + Z");
}

} // namespace
