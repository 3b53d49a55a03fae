#include "PixelRules.h"

#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cstdlib>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

/// Rounds `numerator / denominator` (denominator > 0) half away from zero.
int roundedQuotient(long long numerator, long long denominator)
{
    const long long magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
    return int(numerator < 0 ? -magnitude : magnitude);
}

} // namespace

namespace kx::pixels {

QColor colorFromRef(uint32_t ref)
{
    return QColor(int(ref & 0xff), int((ref >> 8) & 0xff), int((ref >> 16) & 0xff));
}

void line(QPainter& painter, QPoint from, QPoint to, const QColor& color)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0 && dy == 0)
        return;
    // Straight lines are one fill each; they are almost all the figures draw.
    if (dy == 0) {
        painter.fillRect(QRect(dx > 0 ? from.x() : to.x() + 1, from.y(), std::abs(dx), 1), color);
        return;
    }
    if (dx == 0) {
        painter.fillRect(QRect(from.x(), dy > 0 ? from.y() : to.y() + 1, 1, std::abs(dy)), color);
        return;
    }
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        const int x = from.x() + (xMajor ? i * sign(dx) : roundedQuotient((long long)i * dx, steps));
        const int y = from.y() + (xMajor ? roundedQuotient((long long)i * dy, steps) : i * sign(dy));
        painter.fillRect(QRect(x, y, 1, 1), color);
    }
}

void fillBetween(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& color)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int width = std::max(x1, x2) - left - 1;
    const int height = std::max(y1, y2) - top - 1;
    if (width > 0 && height > 0)
        painter.fillRect(QRect(left, top, width, height), color);
}

void outline(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& color)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int width = std::max(x1, x2) - left;
    const int height = std::max(y1, y2) - top;
    if (width <= 0 || height <= 0)
        return;
    painter.fillRect(QRect(left, top, width, 1), color);
    painter.fillRect(QRect(left, top + height - 1, width, 1), color);
    painter.fillRect(QRect(left, top, 1, height), color);
    painter.fillRect(QRect(left + width - 1, top, 1, height), color);
}

} // namespace kx::pixels
