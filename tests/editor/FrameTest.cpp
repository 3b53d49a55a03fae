#include "CommandIds.h"
#include "FrameLayout.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "PreviewSwitch.h"
#include "RecentFiles.h"
#include "SingleInstance.h"
#include "StartUp.h"
#include "StatusBar.h"
#include "TempDir.h"
#include "ThreadManager.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "clipboard/ClipboardLocation.h"
#include "documents/PrivateDirectory.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using namespace kx;
using namespace kx::test;

/// Answers every message box with a scripted button and records the texts.
struct ScriptedBoxes {
    std::vector<QString> texts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    ScriptedBoxes()
    {
        MessageBoxes::setPresenter([this](const MessageBoxRequest& r) {
            texts.push_back(r.text);
            return answer;
        });
    }
    ~ScriptedBoxes() { MessageBoxes::setPresenter({}); }
};

std::string writeStereoFile(const TempDir& dir, const char* name)
{
    const std::string path = dir.file(name);
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
    return path;
}

TEST(FrameLayout, FollowsClientSizePreviewAndHelpWindow)
{
    const struct {
        QSize client;
        int preview;
        bool help;
        QRect mdi, preview_, status, position, threads, function;
    } cases[] = {
        { { 800, 600 }, 100, false, { 50, 46, 750, 407 }, { 0, 478, 780, 100 }, { 0, 578, 800, 22 },
            { 0, 454, 800, 25 }, { 0, 480, 780, 87 }, { 0, 46, 50, 407 } },
        { { 800, 600 }, 100, true, { 50, 46, 450, 407 }, { 0, 478, 780, 100 }, { 0, 578, 800, 22 }, { 0, 454, 800, 25 },
            { 0, 480, 780, 87 }, { 0, 46, 50, 407 } },
        { { 1024, 700 }, 40, false, { 50, 46, 974, 567 }, { 0, 638, 1004, 40 }, { 0, 678, 1024, 22 },
            { 0, 614, 1024, 25 }, { 0, 640, 1004, 27 }, { 0, 46, 50, 567 } },
    };
    for (const auto& c : cases) {
        const FrameLayout layout = computeFrameLayout(c.client, c.preview, c.help);
        EXPECT_EQ(layout.mdiClient, c.mdi);
        EXPECT_EQ(layout.previewBar, c.preview_);
        EXPECT_EQ(layout.statusBar, c.status);
        EXPECT_EQ(layout.positionBar, c.position);
        EXPECT_EQ(layout.threadManager, c.threads);
        EXPECT_EQ(layout.functionBar, c.function);
        EXPECT_EQ(layout.previewSwitch, QRect(c.client.width() - 20, c.preview_.y(), 20, c.preview));
        EXPECT_EQ(layout.helpWindow.isEmpty(), !c.help);
    }
}

TEST(StartUp, CommandLine)
{
    EXPECT_EQ(parseCommandLine("/home/a/x.wav").file, "/home/a/x.wav");
    EXPECT_EQ(parseCommandLine("").file, "");
    EXPECT_EQ(parseCommandLine("/CDD:\\Track07.cda").cdTrack, 7);
    EXPECT_EQ(parseCommandLine("/CDD:\\Track07.cda").file, "");
}

TEST(RecentFiles, NewestFirstNoDuplicatesIgnoringCase)
{
    RegWriteString("Kestrix\\RecentFiles\\NumberOfFiles", "3");
    for (int i = 1; i <= 3; ++i)
        RegWriteString(("Kestrix\\RecentFiles\\File" + std::to_string(i)).c_str(), "");
    RecentFiles::add("/a.wav");
    RecentFiles::add("/b.wav");
    RecentFiles::add("/A.WAV"); // the same file by another case: not added, not moved
    EXPECT_EQ(RecentFiles::entries(), (std::vector<std::string> { "/b.wav", "/a.wav", "" }));
    RecentFiles::add("/c.wav");
    RecentFiles::add("/d.wav");
    EXPECT_EQ(RecentFiles::entries(), (std::vector<std::string> { "/d.wav", "/c.wav", "/b.wav" }));
    RegWriteString("Kestrix\\RecentFiles\\NumberOfFiles", "10");
}

TEST(Frame, OpensFilesAndAnswersGetMessages)
{
    TempDir dir;
    const std::string path = writeStereoFile(dir, "tone.wav");
    FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    EXPECT_EQ(SendMessage(frame.handle(), MsgGetActiveWave, 0, 0), 0);
    EXPECT_EQ(SendMessage(frame.handle(), MsgGetRunningCount, 0, 0), 0);

    EXPECT_TRUE(openAndWait(frame, path)); // command 106, read on a worker like File Open
    ASSERT_EQ(frame.waveWindows().size(), 1);
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->windowTitle().toStdString(), path);
    EXPECT_EQ(HWND(SendMessage(frame.handle(), MsgGetActiveWave, 0, 0)), wave->handle());
    EXPECT_EQ(HWND(SendMessage(wave->handle(), MsgGetFrame, 0, 0)), frame.handle());
    EXPECT_EQ(wave->document()->document.header.dataSize, 4000u);

    // The same answers reach a worker thread, which waits in the send.
    intptr_t fromWorker = -1;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        fromWorker = SendMessage(frame.handle(), MsgGetActiveWave, 0, 0);
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(HWND(fromWorker), wave->handle());

    // The recent files take the same way.
    RegWriteString("Kestrix\\NewFile\\FileOpen", path.c_str());
    RegWriteString("Kestrix\\RecentFiles\\File1", path.c_str());
    frame.runCommand(CmdRecentFirst);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_EQ(frame.waveWindows().size(), 2);
    EXPECT_FALSE(IsFileWorking(frame.activeWaveWindow()->handle()));
    EXPECT_EQ(frame.activeWaveWindow()->document()->document.header.nChannels, 2);
    EXPECT_EQ(frame.activeWaveWindow()->windowTitle().toStdString(), path);
    EXPECT_EQ(frame.operations().runningCount(), 0);
    frame.close();
}

TEST(Frame, ShowsTheWaveformOfAnOpenedFile)
{
    TempDir dir;
    const std::string path = dir.file("stereo.wav");
    // One second of a left and a right tone at different levels.
    Bytes samples;
    for (int i = 0; i < 44100; ++i) {
        put16(samples, uint16_t(int16_t(12000 * std::sin(i * 0.05))));
        put16(samples, uint16_t(int16_t(20000 * std::sin(i * 0.03))));
    }
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", samples) }));
    FrameWindow frame;
    frame.resize(900, 640);
    frame.show();
    EXPECT_TRUE(openAndWait(frame, path));
    ASSERT_NE(frame.activeWaveWindow(), nullptr);
    frame.activeWaveWindow()->showMaximized();
    QCoreApplication::processEvents();

    const QImage shot = frame.grab().toImage();
    if (const char* out = std::getenv("KX_SCREENSHOT"))
        shot.save(QString::fromLocal8Bit(out));
    // Both channels' colours reach the screen through the frame.
    int left = 0, right = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y) & 0xFFFFFF;
            left += pixel == 0x000060;
            right += pixel == 0x550000;
        }
    }
    EXPECT_GT(left, 200);
    EXPECT_GT(right, 200);
}

TEST(Frame, MenusFollowTheDocumentsAndExplainTheirItems)
{
    FrameWindow frame;
    frame.show();
    auto titles = [&] {
        QStringList list;
        for (QAction* action : frame.menuBar()->actions())
            list << action->text();
        return list;
    };
    EXPECT_EQ(titles(), (QStringList { "&File", "&Window", "&Help" }));
    frame.runCommand(CmdNew);
    EXPECT_EQ(titles(), (QStringList { "&File", "&Edit", "&View", "F&ilters", "&Window", "&Help" }));

    QMenu* file = frame.menuBar()->actions().at(0)->menu();
    QAction* newItem = nullptr;
    for (QAction* action : file->actions())
        if (action->data().toInt() == CmdNew)
            newItem = action;
    ASSERT_NE(newItem, nullptr);
    auto* status = frame.findChild<StatusBar*>();
    emit file->hovered(newItem);
    EXPECT_EQ(status->menuText(), "Creates a new wavefile in a new window");
    emit file->aboutToHide();
    EXPECT_TRUE(status->menuText().isEmpty());
    EXPECT_EQ(menuHelpText(850), "Activate this window");
    EXPECT_EQ(menuHelpText(4711), "4711 - not yet implemented -");

    // Undo's text follows the document's undo record.
    QMenu* edit = frame.menuBar()->actions().at(1)->menu();
    emit edit->aboutToShow();
    EXPECT_EQ(edit->actions().at(0)->text(), "&Undo not possible\tCtrl + Z");
    EXPECT_FALSE(edit->actions().at(0)->isEnabled());

    frame.activeWaveWindow()->closeWithoutAsking();
    QCoreApplication::processEvents();
    EXPECT_EQ(titles(), (QStringList { "&File", "&Window", "&Help" }));
}

TEST(Frame, OpenerFailureClosesTheHalfBuiltWindow)
{
    TempDir dir;
    writeFile(dir.file("song.rmi"), riff({ chunk("data", Bytes(4, 0)) }, "RMID"));
    ScriptedBoxes boxes;
    FrameWindow frame;
    frame.show();
    RegWriteString("Kestrix\\RecentFiles\\File1", dir.file("song.rmi").c_str());
    frame.runCommand(CmdRecentFirst);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0 && frame.waveWindows().isEmpty(); }));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "File is not a wave file.");
    EXPECT_EQ(frame.operations().runningCount(), 0);
}

TEST(Frame, OperationsAreCountedListedAndStoppedWithTheirWindow)
{
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    frame.runCommand(CmdNew);
    ASSERT_EQ(frame.waveWindows().size(), 2);
    HWND first = frame.waveWindows()[0]->handle();
    HWND second = frame.waveWindows()[1]->handle();

    std::atomic<bool> release = false;
    std::atomic<int> sawStop = 0;
    auto dummy = [&](HWND window) {
        return [&, window](HWND frameHandle) -> int32_t {
            SendMessage(frameHandle, MsgOperationStarts, reinterpret_cast<uintptr_t>(window), OpReverse);
            while (!release && !OperationContext::stopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (OperationContext::stopRequested())
                ++sawStop;
            OperationContext::announceEnd(frameHandle);
            return 1;
        };
    };
    ASSERT_TRUE(frame.operations().start(dummy(first), frame.handle(), OpReverse, first));
    ASSERT_TRUE(frame.operations().start(dummy(second), frame.handle(), OpFadeIn, second));
    // A second operation on a busy document is refused.
    EXPECT_FALSE(frame.operations().start(dummy(first), frame.handle(), OpVolume, first));
    ASSERT_TRUE(waitFor([&] { return frame.operations().runningCount() == 2; }));

    ThreadManager list(frame.operations());
    list.refresh();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(0)->text(0), "Reverse - Filter");
    EXPECT_EQ(list.topLevelItem(0)->text(1), "Running");
    EXPECT_EQ(list.topLevelItem(0)->text(2), "Unnamed -1-.WAV");
    EXPECT_EQ(list.topLevelItem(1)->text(0), "Fade In - Filter");

    // Closing a window stops its operation; the count and the list follow at once.
    frame.waveWindows()[0]->close();
    EXPECT_EQ(frame.operations().runningCount(), 1);
    list.refresh();
    EXPECT_EQ(list.topLevelItemCount(), 1);
    ASSERT_TRUE(waitFor([&] { return sawStop == 1; }));

    QSignalSpy completed(&frame, &FrameWindow::operationCompleted);
    release = true;
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(frame.operations().runningCount(), 0);
    EXPECT_EQ(completed.count(), 1); // only the operation that ended by itself is signalled
    EXPECT_FALSE(frame.operations().anyRegistered());

    // An end message of an unknown thread only lowers the count, never below 0.
    SendMessage(frame.handle(), MsgOperationEnds, 999999, 0);
    EXPECT_EQ(frame.operations().runningCount(), 0);
}

TEST(Frame, UndoRunsOnAnOperationThreadAndRefusesASecondMeanwhile)
{
    TempDir dir;
    FrameWindow frame;
    frame.show();
    const std::string path = writeStereoFile(dir, "tone.wav");
    EXPECT_TRUE(openAndWait(frame, path));
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    const WaveDocument& document = wave->document()->document;
    auto bytes = [&] { return Bytes(document.samples.data(), document.samples.data() + document.header.dataSize); };
    const Bytes original = bytes();
    frame.runCommand(CmdReverse);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_NE(bytes(), original);

    // The worker waits for its start message, which only this thread's event loop answers.
    frame.runCommand(CmdUndo);
    EXPECT_TRUE(wave->document()->busy());
    frame.runCommand(CmdUndo);
    EXPECT_EQ(frame.operations().liveDescriptions(), QStringList { QString::fromStdString("Undo (" + path + ")") });
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(bytes(), original);
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(Frame, AnOperationStoppedBeforeItAnnouncedItselfLeavesNoCount)
{
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    HWND wave = frame.waveWindows()[0]->handle();
    // An opener still queued when its window closes: it announces itself only afterwards.
    std::atomic<bool> go = false;
    ASSERT_TRUE(frame.operations().start(
        [&](HWND frameHandle) -> int32_t {
            while (!go)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            SendMessage(frameHandle, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), OpOpenFile);
            OperationContext::announceEnd(frameHandle);
            return 1;
        },
        frame.handle(), OpOpenFile, wave));
    frame.waveWindows()[0]->close();
    go = true;
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(frame.operations().runningCount(), 0);
}

TEST(Frame, ThreadManagerAnswersItsMessagesAndNamesALockedDocument)
{
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    WaveWindow* wave = frame.waveWindows()[0];
    std::atomic<bool> locked = false, release = false;
    ASSERT_TRUE(frame.operations().start(
        [&, document = wave->document()](HWND frameHandle) -> int32_t {
            SendMessage(frameHandle, MsgOperationStarts, 0, OpReverse);
            {
                std::unique_lock lock(document->lock);
                locked = true;
                while (!release)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            OperationContext::announceEnd(frameHandle);
            return 1;
        },
        frame.handle(), OpReverse, wave->handle()));
    ASSERT_TRUE(waitFor([&] { return locked && frame.operations().runningCount() == 1; }));

    const HWND handle = reinterpret_cast<HWND>(SendMessage(frame.handle(), MsgGetThreadManager, 0, 0));
    auto* list = qobject_cast<ThreadManager*>(WindowRegistry::window(handle));
    EXPECT_TRUE(list);
    if (list) {
        list->clear();
        SendMessage(handle, MsgRefreshThreadList, 0, 0);
        EXPECT_EQ(list->topLevelItemCount(), 1);
        if (list->topLevelItemCount() == 1)
            EXPECT_EQ(list->topLevelItem(0)->text(2), "Unnamed -1-.WAV");
    }
    release = true;
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
}

TEST(Frame, ExitWaitsForEveryOperationAndSaysWhichItWaitsFor)
{
    ScriptedBoxes boxes;
    boxes.answer = QMessageBox::Yes;
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    std::atomic<bool> release = false;
    // An operation slow to hear its stop flag: the editor must not leave while it runs.
    ASSERT_TRUE(frame.operations().start(
        [&](HWND frameHandle) -> int32_t {
            SendMessage(frameHandle, MsgOperationStarts, 0, OpReverse);
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            OperationContext::announceEnd(frameHandle);
            return 1;
        },
        frame.handle(), OpReverse, frame.activeWaveWindow()->handle()));
    ASSERT_TRUE(waitFor([&] { return frame.operations().runningCount() == 1; }));
    QTimer::singleShot(0, &frame, &QWidget::close);
    EXPECT_FALSE(waitFor([&] { return !frame.isVisible(); }, 6000));
    frame.close(); // asked again meanwhile
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.findChild<StatusBar*>()->menuText(), "Waiting for Reverse - Filter (Unnamed -1-.WAV) to stop...");
    release = true;
    EXPECT_TRUE(waitFor([&] { return !frame.isVisible(); }));
    EXPECT_EQ(frame.operations().liveThreads(), 0);
}

TEST(ErrorBox, AWindowClosedBeforeTheBoxShowsLeavesItWithoutOwner)
{
    // The worker asks for the box; the window closes just before the interface thread gets to it.
    struct ClosesOnTheRequest : QObject {
        QWidget* owner = new QWidget;
        const HWND handle = WindowRegistry::add(owner, nullptr);
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::MetaCall && owner) {
                delete std::exchange(owner, nullptr);
                WindowRegistry::remove(handle);
            }
            return false;
        }
    } closes;
    qApp->installEventFilter(&closes);
    std::thread worker([handle = closes.handle] { ErrorBox(handle, "Not enough memory."); });
    bool shown = false;
    QWidget* parent = reinterpret_cast<QWidget*>(1);
    auto closeBox = [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = true;
            parent = box->parentWidget();
            box->accept();
        }
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, closeBox);
    poll.start(10);
    ASSERT_TRUE(waitFor([&] { return shown; }));
    worker.join();
    EXPECT_EQ(closes.owner, nullptr);
    EXPECT_EQ(parent, nullptr);
}

TEST(Frame, PlacementIsSavedAndRestored)
{
    {
        FrameWindow frame;
        frame.showWithSavedPlacement();
        frame.setGeometry(40, 50, 820, 610);
        QCoreApplication::processEvents();
        EXPECT_TRUE(frame.close());
    }
    EXPECT_EQ(RegGetDWord("Kestrix\\Settings\\Main\\Width", 0), 820);
    EXPECT_EQ(RegGetDWord("Kestrix\\Settings\\Main\\Height", 0), 610);
    EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Main\\ShowState", 0), 5);
    FrameWindow again;
    again.showWithSavedPlacement();
    EXPECT_EQ(again.size(), QSize(820, 610));
}

TEST(Frame, SwitchShowsAndHidesTheThreadManager)
{
    FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    auto* manager = frame.findChild<ThreadManager*>();
    auto* strip = frame.findChild<PreviewSwitch*>();
    ASSERT_NE(manager, nullptr);
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(manager->isVisible());
    // The lower part of the strip asks for the thread manager, the upper part for the preview.
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_TRUE(manager->isVisible());
    EXPECT_TRUE(frame.threadManagerShown());
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(10, 55));
    EXPECT_FALSE(manager->isVisible());
    frame.runCommand(CmdThreadManager);
    EXPECT_TRUE(manager->isVisible());
    EXPECT_TRUE(strip->threadManagerShown());
    EXPECT_EQ(manager->geometry(), frame.currentLayout().threadManager);

    // The list's own menu hides it again.
    QMenu* menu = manager->createContextMenu();
    EXPECT_EQ(menu->defaultAction()->text(), "&Hide ThreadManager");
    menu->defaultAction()->trigger();
    EXPECT_FALSE(manager->isVisible());
    delete menu;
}

TEST(Frame, ClosingAsksForUnsavedDocuments)
{
    ScriptedBoxes boxes;
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    WaveWindow* wave = frame.activeWaveWindow();
    SetFileNotSaved(wave->handle());

    boxes.answer = QMessageBox::Cancel;
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(frame.waveWindows().size(), 1);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0],
        "The file Unnamed -1-.WAV has not been saved yet.\rDo you want to save the changes "
        "before quitting?");

    boxes.answer = QMessageBox::No;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(frame.waveWindows().size(), 0);
}

TEST(Frame, ExitWithRunningOperationsAsksFirst)
{
    ScriptedBoxes boxes;
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    HWND wave = frame.activeWaveWindow()->handle();
    ASSERT_TRUE(frame.operations().start(
        [](HWND f) -> int32_t {
            SendMessage(f, MsgOperationStarts, 0, OpZeroize);
            while (!OperationContext::stopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return 1;
        },
        frame.handle(), OpZeroize, wave));
    ASSERT_TRUE(waitFor([&] { return frame.operations().runningCount() == 1; }));

    boxes.answer = QMessageBox::No;
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(frame.operations().runningCount(), 1);
    EXPECT_EQ(boxes.texts.back(),
        "Not all running actions have been terminated.\rNevertheless, do you want to close Kestrix2000?");

    boxes.answer = QMessageBox::Yes;
    frame.close();
    ASSERT_TRUE(waitFor([&] { return !frame.isVisible(); }));
    EXPECT_EQ(frame.operations().liveThreads(), 0);
}

TEST(SingleInstance, SecondStartHandsItsFileOver)
{
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("editor.socket"));
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy received(&first, &SingleInstance::commandLineReceived);
    SingleInstance second(name);
    EXPECT_TRUE(second.handOver(QStringLiteral("/tmp/some file.wav")));
    ASSERT_TRUE(waitFor([&] { return received.count() == 1; }));
    EXPECT_EQ(received.at(0).at(0).toString(), "/tmp/some file.wav");
    SingleInstance nobody(name + QStringLiteral("-none"));
    EXPECT_FALSE(nobody.handOver(QString()));
}

TEST(SingleInstance, CommandLineIsHandledAfterItsConnectionWasRead)
{
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("editor.socket"));
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    // A file that cannot be opened shows an error box; its event loop sees the second start go.
    int handled = 0;
    QObject::connect(&first, &SingleInstance::commandLineReceived, [&handled](const QString&) {
        QTest::qWait(300);
        ++handled;
    });
    SingleInstance second(name);
    ASSERT_TRUE(second.handOver(QStringLiteral("/no/such/file.wav")));
    ASSERT_TRUE(waitFor([&] { return handled == 1; }));
    QTest::qWait(100);
    EXPECT_EQ(handled, 1);
}

TEST(SingleInstance, ALiveEditorsSocketStaysAndACrashedOnesIsTakenOver)
{
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("editor.socket"));
    // What a crashed editor leaves: a socket file nobody listens on.
    const int crashed = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address { .sun_family = AF_UNIX, .sun_path = {} };
    std::strncpy(address.sun_path, dir.file("editor.socket").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(crashed, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(crashed);
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy toFirst(&first, &SingleInstance::commandLineReceived);
    // A second editor that failed to hand over must leave the first's socket alone.
    SingleInstance second(name);
    EXPECT_FALSE(second.listen());
    QSignalSpy toSecond(&second, &SingleInstance::commandLineReceived);
    SingleInstance third(name);
    EXPECT_TRUE(third.handOverOrListen(QStringLiteral("/a.wav")));
    ASSERT_TRUE(waitFor([&] { return toFirst.count() == 1; }));
    EXPECT_EQ(toSecond.count(), 0);
}

TEST(SingleInstance, AStartWaitsForAnotherBetweenItsCheckAndItsListen)
{
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("editor.socket"));
    // The test is the other start: it holds the lock, as between finding nobody and listening.
    const int lock = ::open(dir.file("editor.socket.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    std::atomic<int> handedOver = -1;
    std::thread later([&] { handedOver = SingleInstance(name).handOverOrListen(QStringLiteral("/b.wav")); });
    struct stat file { };
    ASSERT_EQ(::fstat(lock, &file), 0);
    const std::string waiter = ":" + std::to_string(file.st_ino) + " "; // its line in /proc/locks
    const bool waits = test::waitUntil([&] {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);)
            if (line.find("->") != std::string::npos && line.find(waiter) != std::string::npos)
                return true;
        return false;
    });
    QLocalServer running;
    const bool listening = running.listen(name);
    ::close(lock);
    later.join();
    EXPECT_TRUE(waits);
    EXPECT_TRUE(listening);
    EXPECT_EQ(handedOver, 1);
    ASSERT_TRUE(waitFor([&] { return running.hasPendingConnections(); }));
    QLocalSocket* connection = running.nextPendingConnection();
    ASSERT_TRUE(waitFor([&] { return connection->canReadLine(); }));
    EXPECT_EQ(connection->readLine(), "/b.wav\n");
}

TEST(StartUp, SecondStartHandsOverAnAbsolutePath)
{
    // The running editor has a working directory of its own.
    EXPECT_EQ(commandLineToHandOver(QStringLiteral("take 1.wav")), QDir::current().absoluteFilePath("take 1.wav"));
    EXPECT_EQ(commandLineToHandOver(QStringLiteral("/a/b.wav")), "/a/b.wav");
    EXPECT_EQ(commandLineToHandOver(QString()), "");
    EXPECT_EQ(commandLineToHandOver(QStringLiteral("/CDD:\\Track07.cda")), "/CDD:\\Track07.cda");
}

TEST(Frame, FileOpenTakesPathsOfAnyLength)
{
    TempDir dir;
    std::filesystem::path deep = dir.path();
    for (char c : std::string("abcde"))
        deep /= std::string(120, c);
    std::filesystem::create_directories(deep);
    const std::string path = (deep / "tone.wav").string();
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
    ASSERT_GE(path.size(), 500u);
    FrameWindow frame;
    frame.show();
    // The open dialog: choose the file and confirm.
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&path] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            // selectFile leaves the name field alone while it has the keyboard focus.
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->clearFocus();
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    chooser.start(20);
    frame.runCommand(CmdOpen);
    chooser.stop();
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    EXPECT_EQ(frame.activeWaveWindow()->windowTitle().toStdString(), path);
    EXPECT_EQ(frame.activeWaveWindow()->document()->document.header.dataSize, 4000u);
    frame.close();
}

TEST(Frame, ExitRemovesTheRecordingFileAndWritesItsSettings)
{
    const std::string recording = privateFilePath(kRecordingFileName);
    const std::string clipboard = ClipboardLocation::filePath();
    ASSERT_FALSE(recording.empty());
    writeFile(recording, Bytes { 1 });
    writeFile(clipboard, Bytes { 2 });
    {
        FrameWindow frame;
        frame.show();
        EXPECT_TRUE(frame.close());
    }
    EXPECT_FALSE(std::filesystem::exists(recording));
    EXPECT_TRUE(std::filesystem::exists(clipboard)); // the clipboard outlives the editor
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\Boolean\\ShowExtensions", "unset"), "1");

    RegWriteString("Kestrix\\Settings\\Boolean\\ShowExtensions", "0");
    RegWriteString("Kestrix\\Settings\\Boolean\\DeleteTempClipboard", "1");
    {
        FrameWindow frame;
        frame.show();
        EXPECT_TRUE(frame.close());
    }
    EXPECT_FALSE(std::filesystem::exists(clipboard));
    EXPECT_STREQ(RegGetString("Kestrix\\Settings\\Boolean\\ShowExtensions", "unset"), "0");
    RegWriteString("Kestrix\\Settings\\Boolean\\DeleteTempClipboard", "0");
    RegWriteString("Kestrix\\Settings\\Boolean\\ShowExtensions", "1");
}

} // namespace
