#pragma once

#include <QRect>

#include <array>

namespace kx {

/// One sunken box of the status bar: its frame and where its text goes.
struct StatusBox {
    int left;
    int right;
    QRect text;
};

/// The status bar's four boxes (size, rate, format, length, from the right) for a bar of
/// `width` x `height` whose texts are `textWidths` pixels wide. Each box keeps its usual place
/// and width and grows to the left when its text needs more, pushing the boxes left of it.
std::array<StatusBox, 4> statusBoxes(int width, int height, const std::array<int, 4>& textWidths);

/// The right edge of the file name left of the boxes.
int statusNameRight(const std::array<StatusBox, 4>& boxes);

} // namespace kx
