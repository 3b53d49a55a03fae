#include "TempDir.h"
#include "WavBuilder.h"
#include "documents/NewDocument.h"
#include "documents/SaveDocument.h"
#include "documents/WavReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace kx;
using namespace kx::test;

/// Answers the save flow's questions as a test tells it to, and records what it was shown.
class ScriptedInteraction : public SaveInteraction {
public:
    std::vector<std::string> errors;
    int questions = 0;
    bool answerYes = true;
    std::optional<std::string> chosenPath;
    std::optional<uint64_t> free; // nullopt: the real file system

    void showError(const std::string& text) override { errors.push_back(text); }
    bool confirmSaveAsWave() override
    {
        ++questions;
        return answerYes;
    }
    std::optional<std::string> chooseSavePath() override { return chosenPath; }
    std::optional<uint64_t> freeBytes(const std::string& path) override
    {
        return free ? free : SaveInteraction::freeBytes(path);
    }
};

WaveDocument documentWith(std::size_t bytes, uint16_t sourceKind = SourcePcmWave)
{
    WaveDocument document = makeNewDocument(NewFileFormat{}, 1, 100);
    document.samples = SampleBuffer::copyOf(ramp(bytes));
    document.header.setDataSize(uint32_t(bytes));
    document.info.saved = 0;
    document.info.sourceKind = sourceKind;
    return document;
}

TEST(SaveDocument, SavesAndMarksSavedOnlyAfterSuccess)
{
    TempDir dir;
    WaveDocument document = documentWith(100);
    ScriptedInteraction ui;
    std::string path = dir.file("TAKE1");
    ASSERT_TRUE(saveDocument(document, path, ui));
    EXPECT_EQ(path, dir.file("TAKE1.wav"));
    EXPECT_EQ(document.info.fileName, path);
    EXPECT_EQ(document.info.saved, 1u);
    EXPECT_EQ(std::filesystem::file_size(path), 144u);
    EXPECT_TRUE(ui.errors.empty());

    // A failed write reports and leaves the document unsaved.
    document.info.saved = 0;
    std::string bad = dir.file("missing/dir/x.wav");
    EXPECT_FALSE(saveDocument(document, bad, ui));
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Cannot write. May be read-only."});
    EXPECT_EQ(document.info.saved, 0u);
}

TEST(SaveDocument, EmptyDocumentWritesA44ByteFile)
{
    TempDir dir;
    WaveDocument document = makeNewDocument(NewFileFormat{}, 2, 100);
    ScriptedInteraction ui;
    std::string path = dir.file("empty.wav");
    ASSERT_TRUE(saveDocument(document, path, ui));
    EXPECT_EQ(std::filesystem::file_size(path), 44u);
    WavFileContents back;
    ASSERT_EQ(readWavFile(path, back), WavReadStatus::Ok);
    EXPECT_EQ(back.header.dataSize, 0u);
    EXPECT_EQ(back.header.nSamplesPerSec, 22050u);
}

TEST(SaveDocument, FreeSpaceMustExceedTheFileLength)
{
    TempDir dir;
    WaveDocument document = documentWith(20000);
    ScriptedInteraction ui;
    ui.free = 10000;
    std::string path = dir.file("full.wav");
    EXPECT_FALSE(saveDocument(document, path, ui));
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Not enough free memory on specified drive.\nYou need 9 KB more."});
    EXPECT_FALSE(std::filesystem::exists(path));

    ui.errors.clear();
    ui.free = 20044; // exactly the file's length is not enough
    EXPECT_FALSE(saveDocument(document, path, ui));
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Not enough free memory on specified drive.\nYou need 0 KB more."});

    ui.errors.clear();
    ui.free = 20045;
    EXPECT_TRUE(saveDocument(document, path, ui));
    EXPECT_TRUE(ui.errors.empty());
}

TEST(SaveDocument, OtherSourceFormatsAskEveryTime)
{
    TempDir dir;
    WaveDocument document = documentWith(10, SourceAviStream);
    ScriptedInteraction ui;

    ui.answerYes = false;
    std::string path = dir.file("movie.avi");
    EXPECT_FALSE(saveDocument(document, path, ui));
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(document.info.saved, 0u);

    ui.answerYes = true; // yes, but the dialog is cancelled
    EXPECT_FALSE(saveDocument(document, path, ui));
    EXPECT_EQ(document.info.saved, 0u);
    EXPECT_FALSE(std::filesystem::exists(path));

    ui.chosenPath = dir.file("sound");
    EXPECT_TRUE(saveDocument(document, path, ui));
    EXPECT_EQ(path, dir.file("sound.wav"));
    EXPECT_EQ(document.info.fileName, dir.file("sound.wav"));
    EXPECT_EQ(document.info.sourceKind, SourceAviStream);
    EXPECT_EQ(document.info.saved, 1u);

    // Saved once as WAV, it still asks.
    EXPECT_TRUE(saveDocument(document, path, ui));
    EXPECT_EQ(ui.questions, 4);
}

TEST(SaveDocument, NotEnoughSpaceRoundsDown)
{
    EXPECT_EQ(notEnoughSpaceMessage(10044), "Not enough free memory on specified drive.\nYou need 9 KB more.");
    EXPECT_EQ(notEnoughSpaceMessage(uint64_t(5) << 40),
              "Not enough free memory on specified drive.\nYou need 5368709120 KB more.");
}

} // namespace
