#include "Board.h"

namespace kx::board {

void Board::clear()
{
    for (int p = 0; p < kPageCount; ++p)
        pages[p] = Page { defaultPageName(p), {} };
    name = kUnnamed;
    currentPage = 0;
    saved = true;
}

std::string Board::defaultPageName(int page)
{
    return "Page -" + std::to_string(page + 1) + "-";
}

bool Board::setSlot(int page, int button, const std::string& path)
{
    if (page < 0 || page >= kPageCount || button < 1 || button > kButtonCount || path.size() > kPathLimit)
        return false;
    pages[page].paths[button - 1] = path;
    saved = false;
    return true;
}

const std::string& Board::slot(int page, int button) const
{
    return pages[page].paths[button - 1];
}

void Board::renamePage(int page, const std::string& newName)
{
    if (page < 0 || page >= kPageCount || newName.empty())
        return;
    pages[page].name = cutToBytes(newName, kPageNameLimit);
}

std::string cutToBytes(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace kx::board
