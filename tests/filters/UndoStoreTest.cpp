#include "documents/UndoStore.h"
#include "FilterDocuments.h"
#include "filters/Fades.h"
#include "filters/Silence.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using namespace kx;
using namespace kx::test;

std::vector<uint8_t> counting(std::size_t n)
{
    std::vector<uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), uint8_t(0));
    return bytes;
}

// What a delete does to the document, done by hand: the store only records and restores.
void deleteBytes(WaveDocument& document, uint32_t start, uint32_t length)
{
    ASSERT_TRUE(UndoStore::save(document, start, length, UndoDeleted, "Delete"));
    uint8_t* data = document.samples.data();
    std::memmove(data + start, data + start + length, document.header.dataSize - start - length);
    document.samples.truncate(document.header.dataSize - length);
    document.header.setDataSize(document.header.dataSize - length);
}

TEST(UndoStore, UndoOfDeleteRestoresTheBytesAndLength)
{
    const auto original = counting(1000);
    WaveDocument document = eightBit(original);
    deleteBytes(document, 100, 50);
    mark(document, 100, 0);
    ASSERT_EQ(document.header.dataSize, 950u);

    EXPECT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(document.header.dataSize, 1000u);
    EXPECT_EQ(document.header.riffSize, 1036u);
    EXPECT_EQ(bytesOf(document), original);
    EXPECT_EQ(document.mark.markStart, 100u);
    EXPECT_TRUE(document.undo.savedBytes.isNull());
}

TEST(UndoStore, UndoOfDeleteClampsACursorPastTheEnd)
{
    WaveDocument document = eightBit(counting(100));
    deleteBytes(document, 90, 10);
    mark(document, 500, 7);
    ASSERT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(document.mark.markStart, 90u);
    EXPECT_EQ(document.mark.markLength, 7u);
}

TEST(UndoStore, UndoOfPasteRemovesTheInsertedBytes)
{
    const auto original = counting(200);
    WaveDocument document = eightBit(original);
    // A paste of 300 bytes at 0.
    ASSERT_TRUE(UndoStore::save(document, 0, 300, UndoInserted, "Paste From Clipboard"));
    ASSERT_TRUE(document.samples.resize(500));
    std::memmove(document.samples.data() + 300, document.samples.data(), 200);
    std::memset(document.samples.data(), 9, 300);
    document.header.setDataSize(500);
    mark(document, 0, 300);

    EXPECT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), original);
    EXPECT_EQ(document.header.riffSize, 236u);
    EXPECT_EQ(document.mark.markStart, 0u);
    EXPECT_EQ(document.mark.markLength, 0u);
}

TEST(UndoStore, UndoAfterAFadeRestoresExactlyTheFadedRange)
{
    std::vector<int16_t> samples(64, 1000);
    WaveDocument document = sixteenBit(samples);
    mark(document, 20, 40);
    ASSERT_EQ(fadeIn(document, 50), FilterStatus::Done);
    EXPECT_EQ(document.undo.undoStart, 20u);
    EXPECT_EQ(document.undo.undoLength, 40u);
    EXPECT_STREQ(UndoStore::description(document), "Fade In");
    // A byte outside the range changed later must survive the undo.
    samples[0] = 7;
    reinterpret_cast<int16_t*>(document.samples.data())[0] = 7;

    EXPECT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(samplesOf(document), samples);
}

TEST(UndoStore, OneLevelOnly)
{
    WaveDocument document = eightBit(counting(10));
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_EQ(UndoStore::description(document), nullptr);
    ASSERT_TRUE(UndoStore::save(document, 2, 3, UndoChanged, "Silence"));
    EXPECT_TRUE(UndoStore::isPossible(document));
    EXPECT_TRUE(UndoStore::restore(document));
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_EQ(UndoStore::description(document), nullptr);
    EXPECT_FALSE(UndoStore::restore(document));
}

TEST(UndoStore, ANewRecordReplacesTheCopy)
{
    const auto original = counting(100);
    WaveDocument document = eightBit(original);
    mark(document, 10, 20);
    ASSERT_EQ(setSilence(document), FilterStatus::Done);
    EXPECT_FALSE(document.undo.savedBytes.isNull());
    const auto silenced = bytesOf(document);

    mark(document, 50, 0);
    document.header.nAvgBytesPerSec = 10000; // 10 bytes per millisecond
    ASSERT_EQ(insertSilence(document, 0, 2), FilterStatus::Done);
    EXPECT_TRUE(document.undo.savedBytes.isNull());
    EXPECT_EQ(document.header.dataSize, 120u);
    EXPECT_STREQ(UndoStore::description(document), "Insert Silence");

    EXPECT_TRUE(UndoStore::restore(document));
    EXPECT_EQ(bytesOf(document), silenced);
}

TEST(UndoStore, ForbidKeepsTheCopyUntilTheNextSave)
{
    WaveDocument document = eightBit(counting(10));
    ASSERT_TRUE(UndoStore::save(document, 0, 4, UndoChanged, "Zeroize"));
    UndoStore::forbid(document);
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_FALSE(UndoStore::restore(document));
    EXPECT_FALSE(document.undo.savedBytes.isNull());
    ASSERT_TRUE(UndoStore::save(document, 0, 0, UndoInserted, "Insert Silence"));
    EXPECT_TRUE(document.undo.savedBytes.isNull());
}

TEST(UndoStore, ARangeOutsideTheDataIsNotRecorded)
{
    WaveDocument document = eightBit(counting(10));
    EXPECT_FALSE(UndoStore::save(document, 8, 4, UndoChanged, "Reverse"));
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_FALSE(UndoStore::save(document, 8, 4, UndoDeleted, "Delete"));
    EXPECT_FALSE(UndoStore::isPossible(document));
}

TEST(UndoStore, ARecordThatNoLongerFitsTheDataIsRefused)
{
    WaveDocument document = eightBit(counting(100));
    ASSERT_TRUE(UndoStore::save(document, 50, 40, UndoInserted, "Insert Silence"));
    document.samples.truncate(60);
    document.header.setDataSize(60);
    EXPECT_FALSE(UndoStore::restore(document));
    EXPECT_EQ(document.header.dataSize, 60u);
}

TEST(UndoStore, DescriptionIsCutToTheRecordSize)
{
    WaveDocument document = eightBit(counting(10));
    UndoStore::save(document, 0, 0, UndoInserted, std::string(80, 'x'));
    EXPECT_EQ(std::string(UndoStore::description(document)).size(), UndoRecord::kDescriptionSize - 1);
}

} // namespace
