// The pixel coverage every drawing call shares, so that figures line up to the pixel however the
// painter would otherwise round or antialias.
#pragma once

#include <QColor>
#include <QPoint>
#include <cstdint>

class QPainter;

namespace kx::pixels {

/// A figure's area: top-left corner (x, y) and bottom-right corner (right, bottom).
struct Box {
    int x;
    int y;
    int right;
    int bottom;
};

/// Colour of a colour reference (red in the low byte, then green, then blue).
QColor colorFromRef(uint32_t ref);

/// Covers `from` and every pixel towards `to`, but not `to` itself; nothing when they coincide.
void line(QPainter& painter, QPoint from, QPoint to, const QColor& color);

/// Fill without an outline of the area between two corners, given in any order: the outline that
/// is left out takes the last column and row with it, so columns min..max - 2 are covered.
void fillBetween(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& color);

/// One-pixel outline of columns min..max - 1 and rows min..max - 1 of two corners in any order.
void outline(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& color);

} // namespace kx::pixels
