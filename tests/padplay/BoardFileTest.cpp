#include "BoardFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace kx::board {
namespace {

    std::string readAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void writeAll(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    TEST(BoardFile, DefaultBoardSavesEightBlocksOfNameAndDashesWithCrLf)
    {
        test::TempDir dir;
        Board board;
        ASSERT_EQ(saveBoard(board, dir.file("b")), BoardFileStatus::Ok);
        std::string expected;
        for (int p = 1; p <= 8; ++p) {
            expected += "Page -" + std::to_string(p) + "-\r\n";
            for (int b = 0; b < 44; ++b)
                expected += "-\r\n";
        }
        EXPECT_EQ(readAll(dir.file("b.SPL")), expected);
    }

    TEST(BoardFile, LongestNameAndPathComeBackInPlaceAlsoFromLfOnlyFile)
    {
        test::TempDir dir;
        Board board;
        const std::string name(31, 'n');
        const std::string path = "/" + std::string(254, 'p');
        board.pages[2].name = name;
        board.setSlot(2, 7, path);
        board.setSlot(2, 8, "/gone/after.wav"); // a sound file that no longer exists stays
        board.pages[5].name = "-";
        ASSERT_EQ(saveBoard(board, dir.file("full.SPL")), BoardFileStatus::Ok);

        std::string lfOnly = readAll(dir.file("full.SPL"));
        for (std::size_t at; (at = lfOnly.find("\r\n")) != std::string::npos;)
            lfOnly.erase(at, 1);
        writeAll(dir.file("lf.SPL"), lfOnly);

        for (const char* file : { "full.SPL", "lf.SPL" }) {
            SCOPED_TRACE(file);
            Board loaded;
            loaded.currentPage = 3;
            loaded.saved = false;
            ASSERT_EQ(loadBoard(dir.file(file), loaded), BoardFileStatus::Ok);
            EXPECT_EQ(loaded.pages[2].name, name);
            EXPECT_EQ(loaded.slot(2, 7), path);
            EXPECT_EQ(loaded.slot(2, 8), "/gone/after.wav");
            EXPECT_EQ(loaded.slot(2, 9), "");
            EXPECT_EQ(loaded.pages[3].name, "Page -4-");
            EXPECT_EQ(loaded.pages[5].name, "") << "a page named - has no name";
            EXPECT_EQ(loaded.name, dir.file(file));
            EXPECT_EQ(loaded.currentPage, 0);
            EXPECT_TRUE(loaded.saved);
        }
    }

    TEST(BoardFile, NameGetsSplUnlessItsFourthCharacterFromTheEndIsAPeriod)
    {
        test::TempDir dir;
        const struct {
            const char* given;
            const char* written;
        } cases[] = { { "show", "show.SPL" }, { "show.txt", "show.txt" }, { "my.show", "my.show.SPL" },
            { "ab.c/d", "ab.c/d.SPL" } };
        std::filesystem::create_directory(dir.path() / "ab.c");
        for (const auto& c : cases) {
            SCOPED_TRACE(c.given);
            Board board;
            board.saved = false;
            ASSERT_EQ(saveBoard(board, dir.file(c.given)), BoardFileStatus::Ok);
            EXPECT_EQ(board.name, dir.file(c.written));
            EXPECT_TRUE(board.saved);
            EXPECT_TRUE(std::filesystem::exists(dir.file(c.written)));
        }
    }

    TEST(BoardFile, FileThatIsNoBoardLeavesTheBoardAsItWas)
    {
        test::TempDir dir;
        Board good;
        const std::string valid = boardFileText(good);
        std::string binary = valid;
        binary[400] = '\0';
        const std::string tenMegabytes(10 << 20, 'x');
        const struct {
            const char* what;
            std::string text;
        } cases[] = {
            { "empty", "" },
            { "binary", binary },
            { "32-byte page name", std::string(32, 'n') + valid.substr(valid.find('\r')) },
            { "256-byte path", "Page\r\n/" + std::string(255, 'p') + valid.substr(valid.find('\r') + 3) },
            { "10 MB line", tenMegabytes },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            writeAll(dir.file("bad.SPL"), c.text);
            Board board;
            board.setSlot(1, 2, "/keep.wav");
            board.name = "/boards/mine.SPL";
            const Board before = board;
            EXPECT_EQ(loadBoard(dir.file("bad.SPL"), board), BoardFileStatus::NotABoard);
            EXPECT_TRUE(board.pages == before.pages);
            EXPECT_EQ(board.name, before.name);
            EXPECT_FALSE(board.saved);
        }
        EXPECT_STREQ(boardFileMessage(BoardFileStatus::NotABoard), "File is not a Tonedeck file.");
    }

    TEST(BoardFile, AShortBoardLoadsWithTheMissingSlotsEmpty)
    {
        test::TempDir dir;
        writeAll(dir.file("short.SPL"), "Drums\r\n/s/kick.wav\r\n-\r\n/s/snare.wav\nSecond\n/s/x.wav");
        Board board;
        board.setSlot(5, 5, "/stale.wav");
        ASSERT_EQ(loadBoard(dir.file("short.SPL"), board), BoardFileStatus::Ok);
        EXPECT_EQ(board.pages[0].name, "Drums");
        EXPECT_EQ(board.slot(0, 1), "/s/kick.wav");
        EXPECT_EQ(board.slot(0, 2), "");
        EXPECT_EQ(board.slot(0, 3), "/s/snare.wav");
        EXPECT_EQ(board.slot(0, 4), "Second");
        EXPECT_EQ(board.slot(0, 5), "/s/x.wav");
        EXPECT_EQ(board.slot(0, 6), "");
        EXPECT_EQ(board.slot(5, 5), "");
        EXPECT_TRUE(board.saved);
    }

    TEST(BoardFile, SaveThatFailsHalfWayKeepsTheOldFileAndTheBoardUnsaved)
    {
        test::TempDir dir;
        Board old;
        old.setSlot(0, 1, "/old.wav");
        ASSERT_EQ(saveBoard(old, dir.file("board.SPL")), BoardFileStatus::Ok);
        const std::string before = readAll(dir.file("board.SPL"));

        Board board;
        board.setSlot(0, 1, "/new.wav");
        // The file system refuses writes past 600 bytes, as a full disk would.
        struct rlimit saved { };
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 600;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const BoardFileStatus status = saveBoard(board, dir.file("board.SPL"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        EXPECT_EQ(status, BoardFileStatus::CannotWrite);
        EXPECT_EQ(readAll(dir.file("board.SPL")), before);
        EXPECT_FALSE(board.saved);
        EXPECT_EQ(board.name, "Unnamed");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "nothing left behind";
    }

} // namespace
} // namespace kx::board
