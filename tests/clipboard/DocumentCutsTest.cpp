#include "clipboard/DocumentCuts.h"
#include "../filters/FilterDocuments.h"
#include "documents/UndoStore.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

std::vector<uint8_t> counting(std::size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i * 3);
    return bytes;
}

std::vector<uint8_t> without(std::vector<uint8_t> bytes, std::size_t start, std::size_t length)
{
    bytes.erase(bytes.begin() + start, bytes.begin() + start + length);
    return bytes;
}

TEST(EraseMark, DeletesTheMarkAndUndoPutsItBack)
{
    const struct {
        uint32_t start, length;
    } cases[] = { { 100, 50 }, { 0, 1000 }, { 0, 1 }, { 999, 1 }, { 900, 500 } };
    for (const auto& c : cases) {
        WaveDocument document = eightBit(counting(1000));
        mark(document, c.start, c.length);
        ASSERT_EQ(eraseMark(document), EditStatus::Done);
        const uint32_t cut = std::min(c.length, 1000 - c.start);
        EXPECT_EQ(bytesOf(document), without(counting(1000), c.start, cut));
        EXPECT_EQ(document.header.riffSize, 1000 - cut + 36);
        EXPECT_EQ(document.mark.markStart, c.start);
        EXPECT_EQ(document.mark.markLength, 0u);
        EXPECT_EQ(document.info.saved, 0u);
        EXPECT_STREQ(UndoStore::description(document), "Delete");
        ASSERT_TRUE(UndoStore::restore(document));
        EXPECT_EQ(bytesOf(document), counting(1000));
        EXPECT_EQ(document.mark.markStart, c.start); // where the delete left it
    }
}

TEST(EraseMark, NothingMarkedNothingHappens)
{
    WaveDocument document = eightBit(counting(10));
    mark(document, 4, 0);
    EXPECT_EQ(eraseMark(document), EditStatus::NothingToDo);
    EXPECT_EQ(bytesOf(document), counting(10));
    EXPECT_EQ(document.info.saved, 1u);
}

TEST(CropToMark, KeepsTheMarkWithTheCursorAtItsEnd)
{
    WaveDocument document = eightBit(counting(1000));
    mark(document, 100, 200);
    UndoStore::save(document, 0, 10, UndoChanged, "Fade In");
    ASSERT_EQ(cropToMark(document), EditStatus::Done);
    const std::vector<uint8_t> all = counting(1000);
    EXPECT_EQ(bytesOf(document), std::vector<uint8_t>(all.begin() + 100, all.begin() + 300));
    EXPECT_EQ(document.header.dataSize, 200u);
    EXPECT_EQ(document.header.riffSize, 236u);
    EXPECT_EQ(document.mark.markStart, 200u);
    EXPECT_EQ(document.mark.markLength, 0u);
    EXPECT_FALSE(UndoStore::isPossible(document));
    EXPECT_EQ(document.info.saved, 0u);

    WaveDocument unmarked = eightBit(counting(10));
    EXPECT_EQ(cropToMark(unmarked), EditStatus::NothingToDo);
    WaveDocument empty;
    mark(empty, 0, 10);
    EXPECT_EQ(cropToMark(empty), EditStatus::NothingToDo);
}

TEST(CopyMarkTo, InsertsACopyOfTheMarkAtTheTarget)
{
    const struct {
        uint32_t start, length, target;
    } cases[] = {
        { 10, 5, 10 }, // at the mark: the range is duplicated in place
        { 10, 5, 0 },
        { 10, 5, 15 }, // right after the mark
        { 10, 5, 40 }, // at the end
        { 0, 40, 40 },
    };
    for (const auto& c : cases) {
        WaveDocument document = eightBit(counting(40));
        mark(document, c.start, c.length);
        ASSERT_EQ(copyMarkTo(document, c.target), EditStatus::Done);
        std::vector<uint8_t> expected = counting(40);
        const std::vector<uint8_t> copy(expected.begin() + c.start, expected.begin() + c.start + c.length);
        expected.insert(expected.begin() + c.target, copy.begin(), copy.end());
        EXPECT_EQ(bytesOf(document), expected) << c.start << " " << c.target;
        EXPECT_EQ(document.mark.markStart, c.target);
        EXPECT_EQ(document.mark.markLength, 0u);
        EXPECT_STREQ(UndoStore::description(document), "Paste From Same File");
        ASSERT_TRUE(UndoStore::restore(document));
        EXPECT_EQ(bytesOf(document), counting(40));
    }
}

TEST(CopyMarkTo, RefusesATargetInsideTheMarkOrPastTheData)
{
    for (uint32_t target : { 11u, 14u, 41u }) {
        WaveDocument document = eightBit(counting(40));
        mark(document, 10, 5);
        EXPECT_EQ(copyMarkTo(document, target), EditStatus::Refused);
        EXPECT_EQ(bytesOf(document), counting(40));
        EXPECT_EQ(document.mark.markStart, 10u);
    }
    WaveDocument unmarked = eightBit(counting(40));
    EXPECT_EQ(copyMarkTo(unmarked, 20), EditStatus::NothingToDo);
}

} // namespace
