// The icon bar, its logo and the function bar as the frame uses them.
#include "CommandIds.h"
#include "FrameWindow.h"
#include "FunctionBar.h"
#include "IconBar.h"
#include "OpenAndWait.h"
#include "StatusBar.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "paneldraw/SpinningLogo.h"
#include "paneldraw/settings.h"

#include <QAction>
#include <QMdiArea>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace kx;
using namespace kx::test;

QList<ExtensionButton> threeExtensions()
{
    QImage picture(17, 17, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    return { { 1001, picture, "Download" }, { 1002, QImage(), "Echo" }, { 1003, picture, "Tune" } };
}

TEST(IconBar, EntriesInOrderWithTheirShortTextsAndPictures)
{
    IconBar bar;
    // 0 stands for a separator.
    const QList<std::pair<int, QString>> expected = { { 0, {} }, { 101, "New File" }, { 102, "Open File" },
        { 103, "Save File" }, { 510, "Settings" }, { 239, "Bulkwave Loader" }, { 0, {} }, { 301, "Cut" },
        { 302, "Copy" }, { 303, "Paste" }, { 304, "Mix" }, { 306, "Crop" }, { 305, "Delete" }, { 0, {} },
        { 229, "Undo" }, { 238, "Revert" }, { 0, {} }, { 501, "Play" }, { 503, "Pause" }, { 502, "Stop" },
        { 505, "Record" }, { 0, {} }, { 766, "CD - Audio Player" }, { 901, "Help Contents" }, { 0, {} },
        { 931, "Tonedeck" }, { 201, "Options" }, { 911, "Volume Control" }, { 0, {} },
        { 40011, "Kestrix2000 Homepage" }, { 999, "Close Kestrix2000" }, { 0, {} } };
    const QList<QAction*> actions = bar.toolBar()->actions();
    ASSERT_EQ(actions.size(), expected.size());
    QSignalSpy commands(&bar, &IconBar::commandRequested);
    for (int i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), expected[i].first == 0);
        if (actions[i]->isSeparator())
            continue;
        EXPECT_EQ(actions[i]->toolTip(), expected[i].second);
        EXPECT_EQ(actions[i]->isCheckable(),
            expected[i].first == 239 || expected[i].first == 766 || expected[i].first == 901);
        // Both densities of the picture are built in.
        EXPECT_EQ(actions[i]->icon().availableSizes(), QList<QSize>({ QSize(17, 17), QSize(34, 34) }));
        actions[i]->trigger();
        ASSERT_EQ(commands.size(), 1);
        EXPECT_EQ(commands.takeFirst().at(0).toInt(), expected[i].first);
    }
}

TEST(FunctionBar, EntriesSendTheirCommandsAndExtensionsGetButtonsAndRoom)
{
    RegWriteString("Kestrix\\Settings\\FuncBar\\Docked", "0");
    QWidget frame;
    frame.resize(900, 600);
    FunctionBar bar(&frame);
    QSignalSpy commands(&bar, &FunctionBar::commandRequested);
    const QList<int> ids = { 755, 923, 205, 206, 203, 227, 228, 234, 232, 207, 231, 235, 208, 222, 236, 237 };
    for (int id : ids) {
        SCOPED_TRACE(id);
        QAction* entry = bar.action(id);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->icon().availableSizes().size(), 2);
        entry->setEnabled(true);
        entry->trigger();
        if (id == CmdDockFunctionBar)
            continue; // the bar docks itself
        ASSERT_EQ(commands.size(), 1);
        EXPECT_EQ(commands.takeFirst().at(0).toInt(), id);
    }
    bar.setDocked(false);
    EXPECT_EQ(bar.insideSize(), QSize(48, 189));
    // Without extensions there is nothing to show, and the button says so.
    bar.setExtensionButtonsShown(true);
    EXPECT_FALSE(bar.action(CmdExtensionButtons)->isEnabled());
    EXPECT_TRUE(bar.action(CmdExtensionButtons)->toolTip().contains("no extension"));

    bar.setExtensionButtons(threeExtensions());
    EXPECT_TRUE(bar.action(CmdExtensionButtons)->isEnabled());
    EXPECT_EQ(bar.insideSize(), QSize(48, 189 + 2 * 23));
    EXPECT_EQ(bar.size(), QSize(48 + 2, 189 + 2 * 23 + FunctionBar::kCaptionHeight + 2));
    ASSERT_TRUE(bar.action(1002));
    EXPECT_EQ(bar.action(1002)->toolTip(), "Echo");
    bar.action(1003)->trigger();
    EXPECT_EQ(commands.takeFirst().at(0).toInt(), 1003);
    // Hidden and shown twice: exactly one button per extension, at the end.
    for (bool shown : { false, true, false, true })
        bar.setExtensionButtonsShown(shown);
    const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 16 + 3);
    EXPECT_EQ(buttons.last()->defaultAction()->data().toInt(), 1003);
    EXPECT_TRUE(bar.action(CmdExtensionButtons)->isChecked());
    bar.setExtensionButtonsShown(false);
    EXPECT_EQ(bar.insideSize(), QSize(48, 189));
    EXPECT_FALSE(bar.action(1001));
}

TEST(FunctionBar, DockSettingIsReadAndWrittenAndCloseOnlyHides)
{
    RegWriteString("Kestrix\\Settings\\FuncBar\\Docked", "1");
    FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    FunctionBar* bar = frame.functionBar();
    EXPECT_TRUE(bar->isDocked());
    EXPECT_TRUE(bar->action(CmdDockFunctionBar)->isChecked());
    EXPECT_EQ(bar->geometry(), frame.currentLayout().functionBar);

    bar->action(CmdDockFunctionBar)->trigger();
    EXPECT_FALSE(bar->isDocked());
    EXPECT_FALSE(bar->action(CmdDockFunctionBar)->isChecked());
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\FuncBar\\Docked", ""), "0");
    EXPECT_EQ(bar->pos(), QPoint(bar->parentWidget()->width() - 380, 75));
    // A resize of the frame leaves the floating bar where it is.
    frame.resize(1000, 720);
    ASSERT_TRUE(waitFor([&] { return bar->parentWidget()->width() == 1000; }));
    EXPECT_EQ(bar->pos(), QPoint(bar->parentWidget()->width() - 480, 75));

    // A frame that floats it from the start places it once it has the size it is shown with.
    {
        RegWriteString("Kestrix\\Settings\\Boolean\\HelpWinActive", "1"); // lays the bars out as it is made
        FrameWindow later;
        later.resize(1100, 700);
        later.show();
        ASSERT_TRUE(waitFor([&] { return later.functionBar()->parentWidget()->width() == 1100; }));
        EXPECT_EQ(later.functionBar()->pos(), QPoint(1100 - 380, 75));
    }

    bar->close();
    EXPECT_TRUE(bar->isHidden());
    frame.runCommand(CmdFunctionBar);
    EXPECT_TRUE(bar->isVisible());

    bar->action(CmdDockFunctionBar)->trigger();
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\FuncBar\\Docked", ""), "1");
    EXPECT_EQ(bar->geometry(), frame.currentLayout().functionBar);
}

TEST(IconBar, CheckEntriesShowTheStateNotTheClick)
{
    IconBar bar;
    // Nobody acts on the click: the entry stays as it was.
    bar.action(CmdCdPlayer)->trigger();
    EXPECT_FALSE(bar.action(CmdCdPlayer)->isChecked());
    bar.setChecked(CmdCdPlayer, true);
    bar.action(CmdCdPlayer)->trigger();
    EXPECT_TRUE(bar.action(CmdCdPlayer)->isChecked());

    // The Bulkwave entry follows the loader, however it is shown or hidden.
    FrameWindow frame;
    frame.show();
    QAction* bulkwave = frame.iconBar()->action(CmdBulkwave);
    bulkwave->trigger();
    auto* loader = frame.findChild<QWidget*>("BULKWAVE");
    ASSERT_TRUE(loader);
    EXPECT_TRUE(bulkwave->isChecked());
    loader->hide(); // its own close button
    EXPECT_FALSE(bulkwave->isChecked());
    bulkwave->trigger();
    EXPECT_TRUE(bulkwave->isChecked());
    bulkwave->trigger();
    EXPECT_FALSE(bulkwave->isChecked());
}

TEST(IconBar, FrameCommandsArriveAndUnbuiltOnesSayWhy)
{
    FrameWindow frame;
    frame.show();
    // Without a document the commands that need one say so, and are back once one is open.
    QAction* fadeIn = frame.functionBar()->action(CmdFadeIn);
    EXPECT_FALSE(fadeIn->isEnabled());
    EXPECT_EQ(fadeIn->toolTip(), "Fade In - open a file first");
    // Their hints go to the status bar as the menus' do.
    auto* status = frame.findChild<StatusBar*>();
    frame.iconBar()->action(CmdNew)->hover();
    EXPECT_EQ(status->menuText(), menuHelpText(CmdNew));
    emit frame.iconBar()->hintRequested(0);
    EXPECT_TRUE(status->menuText().isEmpty());
    frame.functionBar()->action(CmdReverse)->hover();
    EXPECT_EQ(status->menuText(), menuHelpText(CmdReverse));
    frame.iconBar()->action(CmdNew)->trigger();
    EXPECT_EQ(frame.waveWindows().size(), 1);
    EXPECT_TRUE(fadeIn->isEnabled());
    EXPECT_TRUE(frame.iconBar()->action(CmdPlay)->isEnabled());
    EXPECT_TRUE(frame.functionBar()->action(CmdSeparateChannels)->isEnabled());
    frame.functionBar()->setExtensionButtons(threeExtensions());
    const bool shown = frame.functionBar()->extensionButtonsShown();
    frame.functionBar()->action(CmdExtensionButtons)->trigger();
    EXPECT_NE(frame.functionBar()->extensionButtonsShown(), shown);
    EXPECT_EQ(frame.functionBar()->action(CmdExtensionButtons)->isChecked(), !shown);
    for (QAction* entry : frame.iconBar()->toolBar()->actions()) {
        if (!entry->isSeparator() && !entry->isEnabled())
            EXPECT_TRUE(entry->toolTip().contains(" - ")) << entry->toolTip().toStdString();
    }
    frame.waveWindows()[0]->closeWithoutAsking();
    EXPECT_TRUE(waitFor([&] { return !frame.iconBar()->action(CmdPlay)->isEnabled(); }));
}

TEST(IconBar, UndoAndRevertFollowWhetherTheActiveDocumentHasSomethingToGoBackTo)
{
    TempDir dir;
    const std::string path = dir.file("tone.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
    FrameWindow frame;
    frame.show();
    EXPECT_TRUE(openAndWait(frame, path));
    WaveWindow* opened = frame.activeWaveWindow();
    ASSERT_NE(opened, nullptr);
    QAction* undo = frame.iconBar()->action(CmdUndo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->toolTip(), "Undo - nothing to undo");
    QAction* revert = frame.iconBar()->action(CmdRevert);
    EXPECT_EQ(revert->toolTip(), "Revert - no changes since the file was saved");
    frame.runCommand(CmdReverse);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(revert->isEnabled());
    frame.runCommand(CmdNew);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(revert->toolTip(), "Revert - the file was never saved");
    frame.mdiArea()->setActiveSubWindow(opened);
    EXPECT_TRUE(undo->isEnabled());
    frame.runCommand(CmdUndo);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_FALSE(undo->isEnabled());
    for (WaveWindow* wave : frame.waveWindows())
        wave->closeWithoutAsking();
}

TEST(FunctionBar, SeparateChannelsOpensEachChannelInAWindowOfItsOwn)
{
    TempDir dir;
    const std::string path = dir.file("duet.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
    std::vector<QString> boxes;
    MessageBoxes::setPresenter([&](const MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return QMessageBox::Ok;
    });
    FrameWindow frame;
    frame.show();
    EXPECT_TRUE(openAndWait(frame, path));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    frame.functionBar()->action(CmdSeparateChannels)->trigger();
    const QList<WaveWindow*> windows = frame.waveWindows();
    ASSERT_EQ(windows.size(), 3);
    EXPECT_TRUE(windows[1]->windowTitle().endsWith("duet - Left.wav"));
    EXPECT_TRUE(windows[2]->windowTitle().endsWith("duet - Right.wav"));
    EXPECT_EQ(windows[2]->document()->document.header.dataSize, 2000u);
    // A mono file has nothing to separate, and says so.
    frame.functionBar()->action(CmdSeparateChannels)->trigger();
    EXPECT_EQ(frame.waveWindows().size(), 3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Only a stereo file can be separated into its channels.");
    MessageBoxes::setPresenter({});
    for (WaveWindow* wave : frame.waveWindows())
        wave->closeWithoutAsking();
}

TEST(VirtualDesktop, OurPictureIsBehindTheWindowsOnlyWhenTheSettingSaysSo)
{
    RegWriteString("Kestrix\\Settings\\VirtualDesktop\\Visible", "0");
    {
        FrameWindow frame;
        frame.show();
        EXPECT_NE(frame.mdiArea()->background().style(), Qt::TexturePattern);
    }
    RegWriteString("Kestrix\\Settings\\VirtualDesktop\\Visible", "1");
    FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    const QBrush background = frame.mdiArea()->background();
    ASSERT_EQ(background.style(), Qt::TexturePattern);
    EXPECT_EQ(background.texture().deviceIndependentSize(), QSizeF(frame.mdiArea()->viewport()->size()));
    // The evening blue of the picture, not an empty pixmap.
    const QColor corner = background.texture().toImage().pixelColor(4, 4);
    EXPECT_GT(corner.blue(), corner.red() + 30);
}

TEST(Logo, TwoRunningOperationsKeepItSpinningUntilBothEnded)
{
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    frame.runCommand(CmdNew);
    ASSERT_EQ(frame.waveWindows().size(), 2);
    SpinningLogo* logo = frame.iconBar()->logo();
    // One turn when the editor starts, then rest on the first frame.
    EXPECT_TRUE(logo->isTurning());
    ASSERT_TRUE(waitFor([&] { return !logo->isTurning(); }));
    EXPECT_EQ(logo->frame(), 0);
    std::atomic<bool> release[2] = { false, false };
    auto operation = [&](int n, HWND window) {
        return [&, n, window](HWND frameHandle) -> int32_t {
            SendMessage(frameHandle, MsgOperationStarts, reinterpret_cast<uintptr_t>(window), OpReverse);
            while (!release[n] && !OperationContext::stopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            OperationContext::announceEnd(frameHandle);
            return 1;
        };
    };
    for (int n : { 0, 1 }) {
        HWND window = frame.waveWindows()[n]->handle();
        ASSERT_TRUE(frame.operations().start(operation(n, window), frame.handle(), OpReverse, window));
    }
    ASSERT_TRUE(waitFor([&] { return frame.operations().runningCount() == 2; }));
    EXPECT_TRUE(logo->isSpinning());
    release[0] = true;
    ASSERT_TRUE(waitFor([&] { return frame.operations().runningCount() == 1; }));
    EXPECT_TRUE(logo->isSpinning());
    // Still turning a while later, not just finishing its turn.
    const int frameBefore = logo->frame();
    ASSERT_TRUE(waitFor([&] { return logo->frame() != frameBefore; }));
    release[1] = true;
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_FALSE(logo->isTurning());
    EXPECT_EQ(logo->frame(), 0);
    for (WaveWindow* wave : frame.waveWindows())
        wave->closeWithoutAsking();
}

} // namespace
