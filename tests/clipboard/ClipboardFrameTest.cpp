// The clipboard commands end to end, in the real frame with no display.
#include "ClipboardCommands.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "OpenAndWait.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "clipboard/ClipboardLocation.h"
#include "documents/NamedLock.h"
#include "documents/SharedDocument.h"
#include "exports/ClipboardHeaderDialog.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationContext.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <thread>

namespace {

using namespace kx;
using namespace kx::test;

/// Answers every message box with Yes or OK and records the texts.
struct AnsweredBoxes {
    std::vector<QString> texts;
    AnsweredBoxes()
    {
        MessageBoxes::setPresenter([this](const MessageBoxRequest& r) {
            texts.push_back(r.text);
            return r.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~AnsweredBoxes() { MessageBoxes::setPresenter({}); }
};

class ClipboardFrame : public testing::Test {
protected:
    void SetUp() override
    {
        ClipboardLocation::setDirectory(m_dir.path().string());
        const std::string path = m_dir.file("tone.wav");
        writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(4000)) }));
        m_frame.show();
        EXPECT_TRUE(openAndWait(m_frame, path));
        ASSERT_NE(m_frame.activeWaveWindow(), nullptr);
    }
    void TearDown() override { ClipboardLocation::setDirectory(""); }

    WaveDocument& document() { return m_frame.activeWaveWindow()->document()->document; }
    Bytes bytes() { return Bytes(document().samples.data(), document().samples.data() + document().header.dataSize); }
    void mark(uint32_t start, uint32_t length)
    {
        std::unique_lock lock(m_frame.activeWaveWindow()->document()->lock);
        document().mark.markStart = start;
        document().mark.markLength = length;
    }
    void run(int command)
    {
        m_frame.runCommand(command);
        ASSERT_TRUE(waitFor([&] { return m_frame.operations().liveThreads() == 0; }));
    }
    std::string clipboardFile() const { return ClipboardLocation::filePath(); }

    TempDir m_dir;
    AnsweredBoxes m_boxes;
    FrameWindow m_frame;
};

TEST_F(ClipboardFrame, CopyPasteUndoAndMix)
{
    const Bytes original = ramp(4000);
    mark(1000, 400);
    run(CmdCopy);
    ASSERT_EQ(std::filesystem::file_size(clipboardFile()), 444u);
    EXPECT_EQ(document().info.saved, 1u); // copying does not change the document

    mark(0, 0);
    run(CmdPaste);
    ASSERT_EQ(document().header.dataSize, 4400u);
    const Bytes pasted = bytes();
    EXPECT_EQ(Bytes(pasted.begin(), pasted.begin() + 400), Bytes(original.begin() + 1000, original.begin() + 1400));
    run(CmdUndo);
    EXPECT_EQ(bytes(), original);

    mark(3800, 0);
    run(CmdMix); // 200 bytes of silence first, then all 400 mixed
    ASSERT_EQ(document().header.dataSize, 4200u);
    const Bytes mixed = bytes();
    EXPECT_NE(Bytes(mixed.begin() + 3800, mixed.end()), Bytes(original.begin() + 1000, original.begin() + 1400));
    EXPECT_EQ(Bytes(mixed.begin(), mixed.begin() + 3800), Bytes(original.begin(), original.begin() + 3800));
    run(CmdUndo); // the editor's history records the mix too
    EXPECT_EQ(bytes(), original);
    EXPECT_TRUE(m_boxes.texts.empty());
    EXPECT_EQ(m_frame.operations().runningCount(), 0);
}

TEST_F(ClipboardFrame, CutIsOneUndoableStepDeleteAndCrop)
{
    const Bytes original = ramp(4000);
    mark(400, 800);
    run(CmdCut);
    EXPECT_EQ(std::filesystem::file_size(clipboardFile()), 844u);
    EXPECT_EQ(document().header.dataSize, 3200u);
    run(CmdUndo);
    EXPECT_EQ(bytes(), original);

    mark(0, 1000);
    run(CmdDelete);
    EXPECT_EQ(document().header.dataSize, 3000u);
    run(CmdUndo);
    EXPECT_EQ(bytes(), original);

    mark(100, 200);
    run(CmdCrop);
    EXPECT_EQ(bytes(), Bytes(original.begin() + 100, original.begin() + 300));
    EXPECT_EQ(document().mark.markStart, 200u);
}

TEST_F(ClipboardFrame, EmptyClipboardAndTheClipboardMenu)
{
    const Bytes original = ramp(4000);
    run(CmdPaste);
    run(CmdMix);
    EXPECT_EQ(bytes(), original);
    EXPECT_TRUE(m_boxes.texts.empty()); // an empty clipboard is not an error
    run(CmdClipboardInfo);
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    EXPECT_EQ(m_boxes.texts[0], "No Clipboard File");

    run(CmdCopy);
    QString quality, length;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = dynamic_cast<ClipboardHeaderDialog*>(QApplication::activeModalWidget())) {
            quality = dialog->fieldText(101);
            length = dialog->fieldText(107);
            dialog->reject();
        }
    });
    run(CmdClipboardInfo);
    EXPECT_EQ(quality, "HiFi - 16");
    EXPECT_EQ(length, "3 KB");

    run(CmdDeleteClipboard);
    EXPECT_EQ(m_boxes.texts.back(), "Are you sure?");
    EXPECT_FALSE(std::filesystem::exists(clipboardFile()));
}

TEST_F(ClipboardFrame, ExportAndImportSayWhenTheyFailed)
{
    const std::string exported = m_dir.file("exported.wav");
    EXPECT_EQ(ClipboardToFile(m_frame.handle(), exported.c_str()), 0); // no clipboard yet
    EXPECT_EQ(FileToClipboard(m_frame.handle(), m_dir.file("missing.wav").c_str()), 0);
    run(CmdCopy);
    EXPECT_EQ(ClipboardToFile(m_frame.handle(), m_dir.file("no/such/dir/x.wav").c_str()), 0);
    EXPECT_EQ(m_boxes.texts,
        (std::vector<QString> {
            "No Clipboard File", "File not found or something else.", "Cannot write. May be read-only." }));
    EXPECT_FALSE(std::filesystem::exists(exported));

    m_boxes.texts.clear();
    EXPECT_EQ(ClipboardToFile(m_frame.handle(), exported.c_str()), 1);
    EXPECT_EQ(readFile(exported), readFile(clipboardFile()));
    EXPECT_EQ(FileToClipboard(m_frame.handle(), m_dir.file("tone.wav").c_str()), 1);
    EXPECT_EQ(readFile(clipboardFile()), readFile(m_dir.file("tone.wav")));
    EXPECT_TRUE(m_boxes.texts.empty());
}

TEST_F(ClipboardFrame, PasteIntoANewDocumentTakesTheClipboardsFormat)
{
    run(CmdCopy);
    m_frame.runCommand(CmdNew);
    ASSERT_EQ(document().header.dataSize, 0u);
    run(CmdPaste);
    EXPECT_EQ(document().header.dataSize, 4000u);
    EXPECT_EQ(document().header.nChannels, 2);
    EXPECT_EQ(document().header.wBitsPerSample, 16);
    EXPECT_EQ(document().header.nSamplesPerSec, 44100u);
    EXPECT_EQ(bytes(), ramp(4000));
}

TEST_F(ClipboardFrame, CutLeavesTheClipboardLockToItsThreadAndNeverDeadlocks)
{
    mark(400, 800);
    // Another holder of the clipboard lock (a copy in another window or program) that asks the
    // interface thread something while it holds the lock. If the interface thread waited for the
    // lock the two would wait for each other; the holder gives up waiting after 10 s so that the
    // test fails instead of hanging.
    std::atomic<bool> holding = false, answered = false, returned = false, gaveUp = false;
    std::thread holder([&] {
        NamedLock lock(ClipboardLocation::kLockName);
        lock.lock();
        holding = true;
        auto asked = std::async(std::launch::async, [&] {
            SendMessage(m_frame.handle(), MsgGetActiveWave, 0, 0);
            answered = true;
        });
        gaveUp = asked.wait_for(std::chrono::seconds(10)) != std::future_status::ready
            || !test::waitUntil([&] { return returned.load(); });
        lock.unlock();
    });
    ASSERT_TRUE(test::waitUntil([&] { return holding.load(); }));
    m_frame.runCommand(CmdCut);
    returned = true;
    ASSERT_TRUE(waitFor([&] { return answered && m_frame.operations().liveThreads() == 0; }));
    holder.join();
    EXPECT_FALSE(gaveUp); // the command returned while the lock was held
    EXPECT_EQ(document().header.dataSize, 3200u);
    EXPECT_EQ(std::filesystem::file_size(clipboardFile()), 844u);
}

TEST_F(ClipboardFrame, PasteReadsTheClipboardWithoutHoldingTheDocument)
{
    mark(0, 400);
    run(CmdCopy);
    const Bytes original = ramp(4000);
    mark(4000, 0);
    // A reader holds the document (as playback or painting does) for as long as the paste needs
    // to read the clipboard: the read must get done meanwhile, and the clipboard lock go back.
    auto shared = m_frame.activeWaveWindow()->document();
    std::atomic<bool> reading = true;
    std::thread reader([&] {
        std::shared_lock lock(shared->lock);
        while (reading)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    m_frame.runCommand(CmdPaste);
    NamedLock probe(ClipboardLocation::kLockName);
    ASSERT_TRUE(waitFor([&] {
        if (!probe.tryLock())
            return true;
        probe.unlock();
        return false;
    }));
    const bool readWhileHeld = waitFor(
        [&] {
            if (!probe.tryLock())
                return false;
            probe.unlock();
            return true;
        },
        3000);
    // What was read is pasted, whatever the clipboard holds by the time the document is free.
    writeFile(clipboardFile(), riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", Bytes(400, 7)) }));
    reading = false;
    reader.join();
    ASSERT_TRUE(waitFor([&] { return m_frame.operations().liveThreads() == 0; }));
    EXPECT_TRUE(readWhileHeld);
    ASSERT_EQ(document().header.dataSize, 4400u);
    const Bytes pasted = bytes();
    EXPECT_EQ(Bytes(pasted.begin() + 4000, pasted.end()), Bytes(original.begin(), original.begin() + 400));
}

} // namespace
