// Recovery copies: what a killed program leaves, and what the editor keeps and restores.
#include "../formats/DialogScript.h"
#include "../formats/ToneFiles.h"
#include "CommandIds.h"
#include "FrameWindow.h"
#include "RecoveryDocument.h"
#include "RecoveryKeeper.h"
#include "TempDir.h"
#include "WaitFor.h"
#include "WavBuilder.h"
#include "WaveWindow.h"
#include "documents/RecoveryFile.h"
#include "documents/RecoverySession.h"
#include "paneldraw/settings.h"

#include <QProcess>

#include <csignal>
#include <filesystem>
#include <set>

namespace {

using namespace kx;
using namespace kx::test;

void expectSameDocument(const WaveDocument& got, const WaveDocument& want)
{
    EXPECT_EQ(PcmFormat::of(got.header), PcmFormat::of(want.header));
    ASSERT_EQ(got.header.dataSize, want.header.dataSize);
    EXPECT_TRUE(std::equal(want.samples.data(), want.samples.data() + want.header.dataSize, got.samples.data()));
    EXPECT_EQ(got.mark.markStart, want.mark.markStart);
    EXPECT_EQ(got.mark.markLength, want.mark.markLength);
    EXPECT_EQ(got.texts.title, want.texts.title);
    EXPECT_EQ(got.texts.comment, want.texts.comment);
    EXPECT_EQ(got.texts.hasInfoList, want.texts.hasInfoList);
    EXPECT_EQ(got.info.fileName, want.info.fileName);
    EXPECT_EQ(got.info.saved, 0u);
}

std::set<std::string> filesIn(const std::string& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

/// Starts the child in `mode`, waits for it to say `line`, then kills it with SIGKILL.
void killChildAt(const std::string& directory, const char* mode, const char* line)
{
    QProcess child;
    child.start(QStringLiteral(KX_RECOVERY_CHILD), { QString::fromStdString(directory), QString::fromLatin1(mode) });
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    ASSERT_TRUE(waitFor([&] {
        child.waitForReadyRead(50);
        said += child.readAllStandardOutput();
        return said.contains(line);
    })) << said.toStdString();
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
}

TEST(Recovery, AKilledProgramLeavesItsCopyAndARestartRestoresIt)
{
    TempDir state;
    const std::string directory = state.file("recovery");
    killChildAt(directory, "edit", "written");

    RecordedBoxes boxes;
    boxes.answer = QMessageBox::Yes;
    FrameWindow frame;
    RecoveryKeeper keeper(frame.clientHandle(), &frame, directory);
    keeper.offerRestore(&frame);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("/music/take two.wav")));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    expectSameDocument(frame.waveWindows()[0]->document()->document, recoveryDocument(1));
    EXPECT_FALSE(IsFileSaved(frame.waveWindows()[0]->handle()));

    // The copy is the restoring editor's now: not offered again while it runs.
    RecoverySession other(directory);
    EXPECT_TRUE(other.orphans().empty());
}

TEST(Recovery, AKillWhileACopyIsWrittenLeavesThePreviousCopyWhole)
{
    TempDir state;
    const std::string directory = state.file("recovery");
    killChildAt(directory, "slow", "writing");

    RecoverySession session(directory);
    const std::vector<std::string> orphans = session.orphans();
    ASSERT_EQ(orphans.size(), 1u);
    const std::optional<WaveDocument> kept = readRecoveryFile(orphans[0]);
    ASSERT_TRUE(kept.has_value());
    expectSameDocument(*kept, recoveryDocument(1));
    // Nothing half-written lies about: the copy, and the dead and the living session's locks.
    std::size_t copies = 0, locks = 0, others = 0;
    for (const std::string& name : filesIn(directory)) {
        if (name.ends_with(".kxr"))
            ++copies;
        else if (name.ends_with(".lock"))
            ++locks;
        else
            ++others;
    }
    EXPECT_EQ(copies, 1u);
    EXPECT_EQ(locks, 2u);
    EXPECT_EQ(others, 0u);

    // Discarding removes the copy and the dead session's lock.
    session.discard(orphans[0]);
    EXPECT_EQ(filesIn(directory).size(), 1u);
}

TEST(Recovery, DiscardRemovesExactlyTheDeadEditorsCopyAndLaterKeepsIt)
{
    for (const auto answer : { QMessageBox::Discard, QMessageBox::Cancel }) {
        SCOPED_TRACE(answer == QMessageBox::Discard ? "Discard" : "Later");
        TempDir state;
        const std::string directory = state.file("recovery");
        killChildAt(directory, "edit", "written");
        const std::set<std::string> dead = filesIn(directory); // its copy and its lock
        ASSERT_EQ(dead.size(), 2u);
        // Another editor that still runs, with a copy of its own, and a file of nobody's.
        RecoverySession running(directory);
        writeFile(running.newCopyPath(), { 1, 2, 3 });
        writeFile(directory + "/notes.txt", { 4 });
        std::set<std::string> others = filesIn(directory);
        for (const std::string& name : dead)
            others.erase(name);

        RecordedBoxes boxes;
        boxes.answer = answer;
        FrameWindow frame;
        RecoveryKeeper(frame.clientHandle(), &frame, directory).offerRestore(&frame);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_TRUE(boxes.texts[0].endsWith(QStringLiteral("\r\r/music/take two.wav"))) << boxes.texts[0].toStdString();
        EXPECT_TRUE(frame.waveWindows().isEmpty());
        std::set<std::string> expected = others;
        if (answer != QMessageBox::Discard)
            expected.insert(dead.begin(), dead.end());
        EXPECT_EQ(filesIn(directory), expected);
    }
}

TEST(Recovery, ADirectoryOthersCanReachKeepsNoCopies)
{
    TempDir state;
    const std::string open = state.file("open"), link = state.file("link");
    std::filesystem::create_directory(open);
    std::filesystem::permissions(open, std::filesystem::perms(0755));
    std::filesystem::create_directory(state.file("private"));
    std::filesystem::permissions(state.file("private"), std::filesystem::perms::owner_all);
    std::filesystem::create_directory_symlink(state.file("private"), link);
    for (const std::string& directory : { open, link }) {
        RecoverySession session(directory);
        EXPECT_FALSE(session.usable()) << directory;
        EXPECT_TRUE(filesIn(directory).empty()) << directory;
    }
}

TEST(Recovery, TheEditorKeepsACopyOfAChangedDocumentUntilItIsSaved)
{
    TempDir dir;
    const PcmFormat format { 16, 2, 22050 };
    writePcmWav(dir.file("tone.wav"), format, tone(format, 5000, 440.0));
    const std::string directory = RecoverySession::defaultDirectory();
    FrameWindow frame;
    frame.show();
    RegWriteString("Kestrix\\RecentFiles\\File1", dir.file("tone.wav").c_str());
    frame.runCommand(CmdRecentFirst);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_EQ(frame.waveWindows().size(), 1);
    WaveWindow* wave = frame.waveWindows()[0];
    auto copies = [&] {
        std::size_t n = 0;
        for (const std::string& name : filesIn(directory))
            n += name.ends_with(".kxr");
        return n;
    };
    frame.recovery().flush();
    EXPECT_EQ(copies(), 0u); // nothing unsaved yet

    frame.runCommand(CmdReverse);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_FALSE(IsFileSaved(wave->handle()));
    frame.recovery().flush();
    ASSERT_EQ(copies(), 1u);
    for (const std::string& name : filesIn(directory)) {
        if (name.ends_with(".kxr")) {
            const std::optional<WaveDocument> copy = readRecoveryFile(directory + "/" + name);
            ASSERT_TRUE(copy.has_value());
            expectSameDocument(*copy, wave->document()->document);
        }
    }

    frame.runCommand(CmdSave);
    ASSERT_TRUE(waitFor([&] { return frame.operations().liveThreads() == 0; }));
    ASSERT_TRUE(IsFileSaved(wave->handle()));
    frame.recovery().flush();
    EXPECT_EQ(copies(), 0u);
}

} // namespace
