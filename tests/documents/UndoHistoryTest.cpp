#include "../clipboard/MemoryClipboard.h"
#include "../filters/FilterDocuments.h"
#include "clipboard/ClipboardPaste.h"
#include "clipboard/DocumentCuts.h"
#include "documents/UndoBytes.h"
#include "documents/UndoStore.h"
#include "filters/Fades.h"
#include "filters/Reverse.h"
#include "filters/Silence.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "media/ConvertDocument.h"

#include "TempDir.h"
#include "WavBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <random>

namespace {

using namespace kx;
using namespace kx::test;

/// A history of `levels` steps for the test's length, the one-level store again afterwards.
class History : public ::testing::Test {
protected:
    void SetUp() override { use(20, UINT64_MAX, UINT64_MAX); }
    void TearDown() override { UndoStore::setPolicy({}); }
    static void use(uint32_t levels, uint64_t memoryBudget, uint64_t diskBudget, bool enabled = true)
    {
        UndoStore::setPolicy({ levels, enabled, memoryBudget, diskBudget });
    }
};

struct Snapshot {
    WaveHeader header;
    std::vector<uint8_t> bytes;
    bool operator==(const Snapshot& other) const
    {
        return std::memcmp(&header, &other.header, sizeof header) == 0 && bytes == other.bytes;
    }
};

Snapshot snapshot(const WaveDocument& document)
{
    return { document.header, bytesOf(document) };
}

WaveDocument noise(uint16_t bits, uint16_t channels, std::size_t frames)
{
    std::vector<uint8_t> bytes(frames * channels * bits / 8);
    std::mt19937 random(bits * 10 + channels);
    for (uint8_t& byte : bytes)
        byte = uint8_t(random());
    return documentOf(bytes.data(), bytes.size(), bits, channels);
}

using Edit = std::function<bool(WaveDocument&)>;

/// Ten edits of every kind, with the marks on whole frames of whatever format the document has by then.
std::vector<Edit> tenEdits()
{
    auto frames = [](const WaveDocument& d, uint32_t n) { return n * d.header.nBlockAlign; };
    return {
        [=](WaveDocument& d) {
            mark(d, frames(d, 100), frames(d, 1000));
            return changeVolume(d, 150) == FilterStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, frames(d, 200), frames(d, 300));
            return eraseMark(d) == EditStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, 0, frames(d, 400));
            return copyMarkTo(d, frames(d, 1000)) == EditStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, 0, 0);
            return fadeIn(d, 20) == FilterStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, frames(d, 50), 0);
            return insertSilence(d, 0, 30) == FilterStatus::Done;
        },
        [=](WaveDocument& d) {
            return changeVelocity(d, { 130, true, 3 }) == FilterStatus::Done;
        },
        [=](WaveDocument& d) {
            const PcmFormat other { uint16_t(d.header.wBitsPerSample == 8 ? 16 : 8), uint16_t(3 - d.header.nChannels),
                d.header.nSamplesPerSec };
            return convertDocument(d, other) == ConvertStatus::Converted;
        },
        [=](WaveDocument& d) {
            // Mixed in near the end, so that it reaches past it.
            MemoryClipboard clip(d.header, bytesOf(noise(d.header.wBitsPerSample, d.header.nChannels, 500)));
            mark(d, d.header.dataSize - frames(d, 200), 0);
            return mixClipboard(d, clip, 1.0f) == EditStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, frames(d, 300), frames(d, 2000));
            return cropToMark(d) == EditStatus::Done;
        },
        [=](WaveDocument& d) {
            mark(d, frames(d, 10), frames(d, 999));
            return reverse(d) == FilterStatus::Done;
        },
    };
}

TEST_F(History, TenMixedEditsAreUndoneAndRedoneBitExact)
{
    for (const auto& [bits, channels] : { std::pair { 8, 1 }, { 8, 2 }, { 16, 1 }, { 16, 2 } }) {
        SCOPED_TRACE(testing::Message() << bits << " bit, " << channels << " channel(s)");
        WaveDocument document = noise(uint16_t(bits), uint16_t(channels), 4000);
        std::vector<Snapshot> states { snapshot(document) };
        for (const Edit& edit : tenEdits()) {
            ASSERT_TRUE(edit(document));
            states.push_back(snapshot(document));
        }
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(UndoStore::restore(document)) << i;
            ASSERT_TRUE(snapshot(document) == states[i - 1]) << "undo of edit " << i;
        }
        EXPECT_FALSE(UndoStore::restore(document));
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(UndoStore::redo(document)) << i;
            ASSERT_TRUE(snapshot(document) == states[i]) << "redo of edit " << i;
        }
        EXPECT_FALSE(UndoStore::redo(document));
        EXPECT_TRUE(UndoStore::restore(document));
        EXPECT_TRUE(snapshot(document) == states[states.size() - 2]);
    }
}

TEST_F(History, StepsMovedToFilesAreUndoneBitExact)
{
    use(20, 0, UINT64_MAX); // every older step goes to a file
    WaveDocument document = noise(16, 2, 20000);
    const Snapshot original = snapshot(document);
    const std::vector<Edit> edits = tenEdits();
    for (std::size_t i = 0; i < 4; ++i)
        ASSERT_TRUE(edits[i](document));
    UndoBytes::waitForMoves();
    ASSERT_FALSE(document.history.older.empty());
    EXPECT_TRUE(document.history.older.front().keptBytes->inFile());
    EXPECT_GT(UndoBytes::bytesInFiles(), 0u);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_TRUE(snapshot(document) == original);
}

TEST_F(History, MovedStepsLiveInThePrivateUndoDirectoryOnDisk)
{
    TempDir cache;
    const char* before = std::getenv("XDG_CACHE_HOME");
    const std::string kept = before ? before : "";
    ::setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
    // What a program that died between naming and unlinking its file left, and a file of nobody's.
    const std::filesystem::path undo = cache.path() / "QuellWerk" / "undo";
    std::filesystem::create_directories(undo);
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::filesystem::path left = undo / ("KexUndo-" + std::to_string(gone) + "-0");
    writeFile(left, { 1, 2, 3 });
    writeFile(undo / "notes.txt", { 4 });

    use(20, 0, UINT64_MAX);
    WaveDocument document = noise(16, 2, 20000);
    ASSERT_TRUE(tenEdits()[0](document));
    ASSERT_TRUE(tenEdits()[1](document));
    UndoBytes::waitForMoves();
    ASSERT_TRUE(document.history.older.front().keptBytes->inFile());
    EXPECT_EQ(
        std::filesystem::status(undo).permissions() & std::filesystem::perms::all, std::filesystem::perms::owner_all);
    EXPECT_FALSE(std::filesystem::exists(left));
    EXPECT_TRUE(std::filesystem::exists(undo / "notes.txt"));
    // The step's file is open, nameless, in that directory: nothing else is there.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(undo), {}), 1);
    bool found = false;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        found = found || std::filesystem::read_symlink(fd.path(), error).string().rfind(undo.string(), 0) == 0;
    }
    EXPECT_TRUE(found);
    before ? ::setenv("XDG_CACHE_HOME", kept.c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(History, PastTheDiskBudgetTheOldestStepsGo)
{
    WaveDocument document = noise(8, 1, 10000);
    use(20, 0, 2 * 10000 + 100); // room in files for two whole-file steps
    for (int i = 0; i < 5; ++i) {
        mark(document, 0, 0);
        ASSERT_EQ(changeVolume(document, 90), FilterStatus::Done);
    }
    UndoBytes::waitForMoves();
    int undone = 0;
    while (UndoStore::restore(document))
        ++undone;
    EXPECT_EQ(undone, 3); // the newest step and the two in files
}

TEST_F(History, AnEditAfterAnUndoDropsTheRedoSteps)
{
    WaveDocument document = noise(8, 1, 1000);
    const Snapshot original = snapshot(document);
    mark(document, 0, 500);
    ASSERT_EQ(changeVolume(document, 50), FilterStatus::Done);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_STREQ(UndoStore::redoDescription(document), "Reverse");
    ASSERT_EQ(cropToMark(document), EditStatus::Done);
    EXPECT_FALSE(UndoStore::isRedoPossible(document));
    EXPECT_STREQ(UndoStore::description(document), "Crop");
    ASSERT_TRUE(UndoStore::restore(document));
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_TRUE(snapshot(document) == original);
}

TEST_F(History, AChangeInPlaceIsPutBackInPiecesBetweenWhichTheLockMayGo)
{
    WaveDocument document = noise(16, 2, 1 << 20);
    const Snapshot original = snapshot(document);
    ASSERT_EQ(reverse(document), FilterStatus::Done);
    const Snapshot reversed = snapshot(document);
    int pauses = 0;
    const std::function<void()> pause = [&] { ++pauses; };
    ASSERT_TRUE(UndoStore::restore(document, pause));
    EXPECT_TRUE(snapshot(document) == original);
    EXPECT_GT(pauses, 4);
    ASSERT_TRUE(UndoStore::redo(document, pause));
    EXPECT_TRUE(snapshot(document) == reversed);
}

TEST_F(History, LevelsBoundTheStepsAndTheSwitchTurnsThemOff)
{
    use(3, UINT64_MAX, UINT64_MAX);
    WaveDocument document = noise(8, 1, 1000);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(changeVolume(document, 90), FilterStatus::Done);
    int undone = 0;
    while (UndoStore::restore(document))
        ++undone;
    EXPECT_EQ(undone, 3);

    use(20, UINT64_MAX, UINT64_MAX, false);
    ASSERT_EQ(changeVolume(document, 90), FilterStatus::Done);
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_FALSE(UndoStore::isRedoPossible(document));
}

} // namespace
