#include "StatusBoxes.h"

#include <algorithm>

namespace kx {

std::array<StatusBox, 4> statusBoxes(int width, int height, const std::array<int, 4>& textWidths)
{
    // Usual widths, right to left, and the distances between the boxes.
    constexpr std::array<int, 4> kWidths { 53, 58, 78, 78 };
    constexpr int kRightMargin = 77;
    constexpr int kGap = 2;
    // The text runs from 3 pixels inside the left edge to 2 pixels inside the right one, and
    // keeps one pixel of room.
    constexpr int kTextInsets = 5;

    std::array<StatusBox, 4> boxes;
    int right = width - kRightMargin;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int left = right - std::max(kWidths[i], textWidths[i] + kTextInsets);
        boxes[i] = { left, right, QRect(QPoint(left + 3, 5), QPoint(right - 2, height - 2)) };
        right = left - kGap;
    }
    return boxes;
}

int statusNameRight(const std::array<StatusBox, 4>& boxes)
{
    return boxes.back().left - 6;
}

} // namespace kx
