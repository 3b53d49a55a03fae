#include "DropPlacement.h"

namespace kx::board {

void placeOnButton(Board& board, const std::vector<std::string>& files, int button, const DropQuestions& ask)
{
    if (files.empty() || button < 1 || button > kButtonCount)
        return;
    const std::size_t fitting = std::size_t(kButtonCount - button + 1);
    const bool spill = files.size() > fitting && ask.useFollowingPages();
    const int lastPage = spill ? kPageCount - 1 : board.currentPage;

    std::size_t next = 0;
    for (int page = board.currentPage; page <= lastPage && next < files.size(); ++page) {
        for (int b = page == board.currentPage ? button : 1; b <= kButtonCount && next < files.size(); ++b)
            board.setSlot(page, b, files[next++]);
    }
    board.saved = false;
    if (spill && next < files.size())
        ask.maximumReached();
}

void placeOnPage(Board& board, const std::vector<std::string>& files)
{
    if (files.empty())
        return;
    for (std::size_t i = 0; i < files.size() && i < std::size_t(kButtonCount); ++i)
        board.setSlot(board.currentPage, int(i) + 1, files[i]);
    board.saved = false;
}

} // namespace kx::board
