// Saving and reverting from the frame: what may be saved when, and under which name.
#include "../formats/DialogScript.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "documents/SharedDocument.h"
#include "exports/OperationCodes.h"
#include "exports/OperationContext.h"
#include "paneldraw/settings.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

namespace {

using namespace kx;
using namespace kx::test;

/// Runs the test in a directory of its own, where a save without a name would land.
class InDirectory {
public:
    explicit InDirectory(const TempDir& dir)
        : m_before(QDir::currentPath())
    {
        QDir::setCurrent(QString::fromStdString(dir.path().string()));
    }
    ~InDirectory() { QDir::setCurrent(m_before); }

private:
    QString m_before;
};

/// Answers the save dialog with `path` and records that it was asked.
void answerSaveDialogs(ScriptedDialogs& dialogs, const std::string& path, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        dialogs.steps.push_back([path](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectFile(QString::fromStdString(path));
            return int(QDialog::Accepted);
        });
    }
}

std::size_t entriesIn(const TempDir& dir)
{
    return std::size_t(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

std::string writeTone(const TempDir& dir)
{
    const std::string path = dir.file("tone.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
    return path;
}

Bytes samplesOf(const WaveWindow& wave)
{
    const WaveDocument& document = wave.document()->document;
    return Bytes(document.samples.data(), document.samples.data() + document.header.dataSize);
}

TEST(Saving, ANeverSavedDocumentAsksForItsName)
{
    TempDir dir;
    InDirectory here(dir);
    FrameWindow frame;
    frame.show();
    frame.runCommand(CmdNew);
    const std::string chosen = dir.file("first take.wav");
    ScriptedDialogs dialogs;
    answerSaveDialogs(dialogs, chosen);

    frame.runCommand(CmdSave);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(dialogs.titles, std::vector<QString> { "Kestrix2000  -  Save File" });
    EXPECT_FALSE(std::filesystem::exists(dir.file("Unnamed -1-.WAV")));
    ASSERT_TRUE(std::filesystem::exists(chosen));
    EXPECT_EQ(std::filesystem::file_size(chosen), 44u);
    EXPECT_EQ(frame.activeWaveWindow()->windowTitle().toStdString(), chosen);

    // Once it has a file, Save writes there without asking.
    frame.runCommand(CmdSave);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(entriesIn(dir), 1u);
}

TEST(Saving, TheFileIsWrittenOnAWorkerWhileTheMenusStayAlive)
{
    TempDir dir;
    const std::string path = writeTone(dir);
    FrameWindow frame;
    frame.show();
    ASSERT_TRUE(openAndWait(frame, path));
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    const HWND handle = wave->handle();
    SetFileNotSaved(handle);

    // A reader that holds on to the document keeps the save from marking it saved: the command
    // has returned, the save is an operation of its own, and the document refuses edits meanwhile.
    std::atomic<bool> holding = false, release = false;
    std::thread reader([&] {
        std::shared_lock lock(wave->document()->lock);
        holding = true;
        while (!release)
            std::this_thread::yield();
    });
    ASSERT_TRUE(waitFor([&] { return holding.load(); }));
    frame.runCommand(CmdSave);
    ASSERT_EQ(frame.operations().liveThreads(), 1);
    const auto& records = frame.operations().records();
    EXPECT_TRUE(
        std::any_of(records.begin(), records.end(), [](const auto& r) { return r.operationCode == OpSaveFile; }));
    EXPECT_FALSE(IsFileSaved(handle));
    EXPECT_TRUE(wave->document()->busy());
    release = true;
    reader.join();
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_TRUE(IsFileSaved(handle));
    EXPECT_FALSE(wave->document()->busy());
    EXPECT_EQ(std::string(RegGetString("Kestrix\\RecentFiles\\File1", "")), path);
}

TEST(Saving, ABusyDocumentIsNotSavedAndTheCloseQuestionWaitsForIt)
{
    TempDir dir;
    InDirectory here(dir);
    const std::string path = writeTone(dir);
    const Bytes onDisk = readFile(path);
    RecordedBoxes boxes;
    ScriptedDialogs dialogs;
    FrameWindow frame;
    frame.show();

    // A file still loading: neither its empty document nor its name reaches the disk.
    RegWriteString("Kestrix\\RecentFiles\\File1", path.c_str());
    frame.runCommand(CmdRecentFirst);
    frame.runCommand(CmdSave);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(readFile(path), onDisk);
    EXPECT_EQ(entriesIn(dir), 1u);

    // An operation half-way through its change (a Reverse of a large file, say).
    WaveWindow* wave = frame.activeWaveWindow();
    const HWND handle = wave->handle();
    const std::shared_ptr<SharedDocument> shared = wave->document();
    SetFileNotSaved(handle);
    std::atomic<bool> halfDone = false, release = false;
    auto fill = [shared](std::size_t from, std::size_t to, uint8_t value) {
        std::unique_lock lock(shared->lock);
        std::fill(shared->document.samples.data() + from, shared->document.samples.data() + to, value);
    };
    ASSERT_TRUE(frame.operations().start(
        [&, fill](HWND frameHandle) -> int32_t {
            SendMessage(frameHandle, MsgOperationStarts, reinterpret_cast<uintptr_t>(handle), OpReverse);
            fill(0, 2000, 0x11);
            halfDone = true;
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            fill(2000, 4000, 0x22);
            OperationContext::announceEnd(frameHandle);
            return 1;
        },
        frame.handle(), OpReverse, handle));
    ASSERT_TRUE(waitFor([&] { return halfDone.load(); }));

    answerSaveDialogs(dialogs, path);
    frame.runCommand(CmdSave);
    frame.runCommand(CmdSaveAs);
    EXPECT_EQ(readFile(path), onDisk);
    EXPECT_TRUE(dialogs.titles.empty());
    EXPECT_FALSE(IsFileSaved(handle));
    QMenu* file = frame.menuBar()->actions().at(0)->menu();
    emit file->aboutToShow();
    for (QAction* action : file->actions()) {
        if (action->data() == CmdSave || action->data() == CmdSaveAs || action->data() == CmdRevert) {
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        }
    }
    emit file->aboutToHide();

    // Yes to the close question saves what the operation leaves, not what it has half done.
    boxes.answer = QMessageBox::Yes;
    QTimer::singleShot(100, [&] { release = true; });
    EXPECT_TRUE(wave->close());
    EXPECT_EQ(dialogs.titles, std::vector<QString> { "Kestrix2000  -  Save File" });
    Bytes expected(onDisk.begin(), onDisk.begin() + 44);
    expected.insert(expected.end(), 2000, 0x11);
    expected.insert(expected.end(), 2000, 0x22);
    EXPECT_EQ(readFile(path), expected);
}

TEST(Saving, AFailedRevertKeepsTheUnsavedDocument)
{
    TempDir dir;
    const std::string path = writeTone(dir);
    const Bytes original = ramp(4000);
    RecordedBoxes boxes;
    boxes.answer = QMessageBox::Yes;
    FrameWindow frame;
    frame.show();
    EXPECT_TRUE(openAndWait(frame, path));
    WaveWindow* wave = frame.activeWaveWindow();
    ASSERT_NE(wave, nullptr);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    // The File menu offers Revert only once there is something to revert to.
    QMenu* file = frame.menuBar()->actions().at(0)->menu();
    auto revertOffered = [&] {
        emit file->aboutToShow();
        const auto actions = file->actions();
        const auto revert
            = std::find_if(actions.begin(), actions.end(), [](QAction* action) { return action->data() == CmdRevert; });
        const bool enabled = revert != actions.end() && (*revert)->isEnabled();
        emit file->aboutToHide();
        return enabled;
    };
    EXPECT_FALSE(revertOffered());
    {
        std::unique_lock lock(wave->document()->lock);
        wave->document()->document.samples.data()[10] ^= 0xFF;
    }
    SetFileNotSaved(wave->handle());
    EXPECT_TRUE(revertOffered());
    const Bytes edited = samplesOf(*wave);

    std::filesystem::rename(path, dir.file("moved.wav"));
    frame.runCommand(CmdRevert);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    EXPECT_EQ(boxes.texts,
        (std::vector<QString> { "Do you really want to revert\rto the previoulsy saved version?",
            "File not found. Please check the pathname." }));
    EXPECT_EQ(samplesOf(*wave), edited);
    EXPECT_FALSE(IsFileSaved(wave->handle()));
    EXPECT_FALSE(IsFileWorking(wave->handle()));
    EXPECT_EQ(wave->windowTitle().toStdString(), path);

    // With the file back the revert goes through.
    std::filesystem::rename(dir.file("moved.wav"), path);
    frame.runCommand(CmdRevert);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    EXPECT_EQ(samplesOf(*wave), original);
    EXPECT_TRUE(IsFileSaved(wave->handle()));
}

} // namespace
