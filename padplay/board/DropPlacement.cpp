#include "DropPlacement.h"

namespace kx::board {

int placeOnButton(Board& board, const std::vector<std::string>& files, int button, const DropQuestions& ask)
{
    if (files.empty() || button < 1 || button > kButtonCount)
        return 0;
    const std::size_t fitting = std::size_t(kButtonCount - button + 1);
    const bool spill = files.size() > fitting && ask.useFollowingPages();
    const int lastPage = spill ? kPageCount - 1 : board.currentPage;

    std::size_t next = 0;
    int placed = 0;
    int refused = 0;
    for (int page = board.currentPage; page <= lastPage && next < files.size(); ++page) {
        for (int b = page == board.currentPage ? button : 1; b <= kButtonCount && next < files.size(); ++b)
            ++(board.setSlot(page, b, files[next++]) ? placed : refused);
    }
    if (placed > 0)
        board.saved = false;
    if (spill && next < files.size())
        ask.maximumReached();
    return refused;
}

int placeOnPage(Board& board, const std::vector<std::string>& files)
{
    int placed = 0;
    int refused = 0;
    for (std::size_t i = 0; i < files.size() && i < std::size_t(kButtonCount); ++i)
        ++(board.setSlot(board.currentPage, int(i) + 1, files[i]) ? placed : refused);
    if (placed > 0)
        board.saved = false;
    return refused;
}

} // namespace kx::board
