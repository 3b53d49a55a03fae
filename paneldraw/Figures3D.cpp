#include "Figures3D.h"

#include <initializer_list>

namespace {

/// Connected strokes: each one starts where the previous one ended, so the joints are covered.
void polyline(QPainter& painter, std::initializer_list<QPoint> points, const QColor& color)
{
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous)
            kx::pixels::line(painter, *previous, point, color);
        previous = &point;
    }
}

} // namespace

namespace kx::figures {

using pixels::Box;
using pixels::line;

void frame(QPainter& painter, const Box& b, const QColor& lit, const QColor& dark)
{
    polyline(painter, { { b.x, b.bottom - 1 }, { b.x, b.y }, { b.right, b.y } }, lit);
    polyline(painter, { { b.right - 1, b.y }, { b.right - 1, b.bottom - 1 }, { b.x - 1, b.bottom - 1 } }, dark);
}

void faceFill(QPainter& painter, const Box& b, const QColor& face)
{
    pixels::fillBetween(painter, b.x + 1, b.y + 1, b.right, b.bottom, face);
}

void raisedBox(QPainter& painter, const Box& box, const ButtonColors& colors)
{
    faceFill(painter, box, colors.face);
    frame(painter, box, colors.highlight, colors.shadow);
}

void sunkenBox(QPainter& painter, const Box& box, const ButtonColors& colors)
{
    faceFill(painter, box, colors.face);
    frame(painter, box, colors.shadow, colors.highlight);
}

void cornerlessFrame(QPainter& painter, const Box& b, const QColor& color)
{
    line(painter, { b.x, b.y + 1 }, { b.x, b.bottom - 1 }, color);
    line(painter, { b.right - 1, b.y + 1 }, { b.right - 1, b.bottom - 1 }, color);
    line(painter, { b.x + 1, b.y }, { b.right - 1, b.y }, color);
    line(painter, { b.x + 1, b.bottom - 1 }, { b.right - 1, b.bottom - 1 }, color);
}

void button(QPainter& painter, const Box& b, const ButtonColors& colors)
{
    raisedBox(painter, b, colors);
    polyline(
        painter, { { b.x + 1, b.bottom - 2 }, { b.right - 2, b.bottom - 2 }, { b.right - 2, b.y } }, colors.shadow);
}

void pressedButton(QPainter& painter, const Box& b, const ButtonColors& colors)
{
    pixels::fillBetween(painter, b.x, b.y, b.right + 1, b.bottom + 1, colors.face);
    cornerlessFrame(painter, b, Qt::black);
    polyline(
        painter, { { b.x + 2, b.bottom - 3 }, { b.right - 2, b.bottom - 3 }, { b.right - 2, b.y } }, colors.highlight);
    polyline(painter, { { b.x + 1, b.bottom - 2 }, { b.x + 1, b.y + 1 }, { b.right - 2, b.y + 1 } }, colors.shadow);
}

void iconBarButton(QPainter& painter, const Box& b, const ButtonColors& colors)
{
    cornerlessFrame(painter, b, Qt::black);
    pixels::fillBetween(painter, b.x + 2, b.y + 2, b.right - 1, b.bottom - 1, colors.face);
    polyline(painter, { { b.x + 1, b.bottom - 2 }, { b.x + 1, b.y + 1 }, { b.right - 1, b.y + 1 } }, colors.highlight);
    polyline(
        painter, { { b.right - 2, b.y + 1 }, { b.right - 2, b.bottom - 2 }, { b.x, b.bottom - 2 } }, colors.shadow);
    polyline(
        painter, { { b.x + 2, b.bottom - 3 }, { b.right - 3, b.bottom - 3 }, { b.right - 3, b.y + 1 } }, colors.shadow);
}

} // namespace kx::figures
