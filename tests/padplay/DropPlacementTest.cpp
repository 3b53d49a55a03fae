#include "DropPlacement.h"
#include "SoundFileInfo.h"

#include <gtest/gtest.h>

namespace kx::board {
namespace {

    std::vector<std::string> files(int count)
    {
        std::vector<std::string> list;
        for (int i = 1; i <= count; ++i)
            list.push_back("/s/" + std::to_string(i) + ".wav");
        return list;
    }

    /// How many slots of each page hold a file.
    std::vector<int> filledPerPage(const Board& board)
    {
        std::vector<int> counts;
        for (const Page& page : board.pages) {
            int n = 0;
            for (const std::string& slot : page.paths)
                n += !slot.empty();
            counts.push_back(n);
        }
        return counts;
    }

    struct Answers {
        bool yes;
        int asked = 0;
        int told = 0;
        DropQuestions questions()
        {
            return { [this] {
                        ++asked;
                        return yes;
                    },
                [this] { ++told; } };
        }
    };

    TEST(DropPlacement, TenOnButtonFortyWithYesGoOnToTheNextPage)
    {
        Board board;
        board.currentPage = 2;
        Answers answers { true };
        placeOnButton(board, files(10), 40, answers.questions());
        EXPECT_EQ(answers.asked, 1);
        EXPECT_EQ(answers.told, 0);
        EXPECT_EQ(board.slot(2, 40), "/s/1.wav");
        EXPECT_EQ(board.slot(2, 44), "/s/5.wav");
        EXPECT_EQ(board.slot(3, 1), "/s/6.wav");
        EXPECT_EQ(board.slot(3, 5), "/s/10.wav");
        EXPECT_EQ(filledPerPage(board), (std::vector<int> { 0, 0, 5, 5, 0, 0, 0, 0 }));
        EXPECT_EQ(board.currentPage, 2);
        EXPECT_FALSE(board.saved);
    }

    TEST(DropPlacement, SixOnButtonFortyWithNoFillToTheEnd)
    {
        Board board;
        Answers answers { false };
        placeOnButton(board, files(6), 40, answers.questions());
        EXPECT_EQ(answers.asked, 1);
        EXPECT_EQ(board.slot(0, 44), "/s/5.wav");
        EXPECT_EQ(filledPerPage(board), (std::vector<int> { 5, 0, 0, 0, 0, 0, 0, 0 }));
    }

    TEST(DropPlacement, FourHundredOnButtonOneFillTheBoardAndTellTheMaximum)
    {
        Board board;
        Answers answers { true };
        placeOnButton(board, files(400), 1, answers.questions());
        EXPECT_EQ(answers.told, 1);
        EXPECT_EQ(filledPerPage(board), std::vector<int>(8, 44));
        EXPECT_EQ(board.slot(7, 44), "/s/352.wav");
    }

    TEST(DropPlacement, FittingFilesAskNothingAndFiftyBesideButtonsFillOnePage)
    {
        Board board;
        Answers answers { true };
        placeOnButton(board, files(5), 40, answers.questions());
        EXPECT_EQ(answers.asked, 0);
        board.currentPage = 1;
        placeOnPage(board, files(50));
        EXPECT_EQ(board.slot(1, 44), "/s/44.wav");
        EXPECT_EQ(filledPerPage(board), (std::vector<int> { 5, 44, 0, 0, 0, 0, 0, 0 }));
    }

    TEST(SoundFileInfo, HeaderFieldsBecomeTheSixTexts)
    {
        unsigned char h[44] = { 'R', 'I', 'F', 'F' };
        const auto put32 = [&h](int at, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                h[at + i] = uint8_t(v >> (8 * i));
        };
        put32(4, 882036);
        h[22] = 2;
        put32(24, 22050);
        put32(28, 88200);
        h[34] = 16;
        put32(40, 882000);
        EXPECT_EQ(soundFileInfo("/a.wav", h),
            (SoundFileInfo { "/a.wav", "00 m 10.000 s", "16 Bit, Stereo", "22050 Hz", "861 KB", "86 KB/sec" }));
        put32(40, 0xFFFFFFFF); // a 32-bit product would wrap
        EXPECT_EQ(soundFileInfo("/a.wav", h)[1], "811 m 35.774 s");
        put32(28, 0);
        EXPECT_EQ(soundFileInfo("/a.wav", h)[1], "unknown length");
    }

} // namespace
} // namespace kx::board
