// Feeds arbitrary bytes to the sound board loader as a .SPL file and checks what it makes of them.
#include "BoardFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool isPlainText(const std::string& text, std::size_t limit)
{
    if (text.size() > limit || text == "-")
        return false;
    for (const char c : text)
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kx::board;
    static const int fd = ::memfd_create("spl-input", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size))
        return 0;

    Board board;
    board.setSlot(3, 9, "/sentinel.wav");
    board.currentPage = 5;
    const Board before = board;
    const BoardFileStatus status = loadBoard(path, board);

    std::string after(size + 1, '\0');
    check(::pread(fd, after.data(), after.size(), 0) == ssize_t(size)
            && after.compare(0, size, reinterpret_cast<const char*>(data), size) == 0,
        "the loader writes nothing");
    if (status != BoardFileStatus::Ok) {
        check(status == BoardFileStatus::NotABoard, "a readable file is a board or not a board");
        check(board.pages == before.pages && board.name == before.name && board.currentPage == 5 && !board.saved,
            "a refused file leaves the board as it was");
        return 0;
    }
    check(board.name == path && board.currentPage == 0 && board.saved, "a loaded board is its file, shown from page 1");
    for (const Page& page : board.pages) {
        check(isPlainText(page.name, kPageNameLimit), "page names are single lines within their limit");
        for (const std::string& slot : page.paths)
            check(isPlainText(slot, kPathLimit), "paths are single lines within their limit");
    }
    std::array<Page, kPageCount> again;
    check(parseBoardText(boardFileText(board), again) == BoardFileStatus::Ok && again == board.pages,
        "what was loaded saves and loads back the same");
    return 0;
}
