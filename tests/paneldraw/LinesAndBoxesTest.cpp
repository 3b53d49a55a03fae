#include "DrawingCanvas.h"
#include "paneldraw/drawing.h"

#include <gtest/gtest.h>

#include <QPen>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

using kx::test::DrawingCanvas;
using Points = std::set<std::pair<int, int>>;

constexpr ColorRef kRedRef = 0x0000ff; // red lives in the low byte
const QColor kRed(255, 0, 0);

/// Every pixel of the canvas that `color` covers; fails on pixels of any other new colour.
Points paintedPixels(DrawingCanvas& canvas, const QColor& color)
{
    const QImage& image = canvas.image();
    Points points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == color.rgb())
                points.insert({ x, y });
            else
                EXPECT_EQ(pixel, kx::test::kCanvasColor.rgb()) << "stray colour at " << x << "," << y;
        }
    }
    return points;
}

struct ShapeCase {
    const char* name;
    int x1, y1, x2, y2;
    Points expected;
};

using DrawShape = std::function<void(QPainter*, const ShapeCase&)>;

/// Draws every case on a fresh 8 x 8 canvas and compares the pixels `color` covers.
template <std::size_t N> void expectShapes(const ShapeCase (&cases)[N], const QColor& color, const DrawShape& draw)
{
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingCanvas canvas(8, 8);
        draw(canvas.painter(), c);
        EXPECT_EQ(paintedPixels(canvas, color), c.expected);
    }
}

const ShapeCase kLineCases[] = {
    { "rightwards", 1, 1, 5, 1, { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 } } },
    { "leftwards", 5, 1, 1, 1, { { 5, 1 }, { 4, 1 }, { 3, 1 }, { 2, 1 } } },
    { "downwards", 1, 1, 1, 4, { { 1, 1 }, { 1, 2 }, { 1, 3 } } },
    { "upwards", 1, 4, 1, 1, { { 1, 4 }, { 1, 3 }, { 1, 2 } } },
    { "one pixel", 2, 2, 3, 2, { { 2, 2 } } },
    { "no length", 2, 2, 2, 2, {} },
    { "diagonal", 0, 0, 4, 4, { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 } } },
    { "diagonal back", 4, 4, 0, 0, { { 4, 4 }, { 3, 3 }, { 2, 2 }, { 1, 1 } } },
    { "shallow", 0, 0, 6, 2, { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 2 } } },
    { "steep", 0, 0, 2, 6, { { 0, 0 }, { 0, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 2, 5 } } },
    { "from outside", -3, 2, 2, 2, { { 0, 2 }, { 1, 2 } } },
};

TEST(Lines, ColouredLinesLeaveTheEndPointOut)
{
    expectShapes(kLineCases, kRed, [](QPainter* p, const ShapeCase& c) { LineEx(p, c.x1, c.y1, c.x2, c.y2, kRedRef); });
}

TEST(Lines, LineUsesThePaintersPen)
{
    const QColor green(0, 200, 0);
    for (const QPen& pen : { QPen(green), QPen(green, 0), QPen(green, 1) }) {
        for (const ShapeCase& c : kLineCases) {
            SCOPED_TRACE(c.name);
            DrawingCanvas canvas(8, 8);
            canvas.painter()->setPen(pen);
            Line(canvas.painter(), c.x1, c.y1, c.x2, c.y2);
            EXPECT_EQ(paintedPixels(canvas, green), c.expected);
        }
    }
}

TEST(Lines, NoPenDrawsNothingAndWidePensStillDraw)
{
    DrawingCanvas empty(8, 8);
    empty.painter()->setPen(Qt::NoPen);
    Line(empty.painter(), 0, 0, 7, 7);
    EXPECT_EQ(empty.changedPixels(QRect(0, 0, 8, 8)), 0);

    DrawingCanvas wide(12, 12);
    wide.painter()->setPen(QPen(kRed, 3));
    Line(wide.painter(), 2, 6, 10, 6);
    EXPECT_EQ(wide.pixel(5, 5), kRed);
    EXPECT_EQ(wide.pixel(5, 7), kRed);
    EXPECT_EQ(wide.pixel(10, 6), kx::test::kCanvasColor); // flat cap: the end point stays out
}

const ShapeCase kFilledCases[] = {
    { "box", 1, 1, 4, 3, { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 1, 2 }, { 2, 2 }, { 3, 2 } } },
    { "one pixel", 2, 2, 3, 3, { { 2, 2 } } },
    { "empty", 2, 2, 2, 2, {} },
    { "zero width", 2, 1, 2, 5, {} },
    { "corners swapped", 5, 4, 1, 1, { { 2, 2 }, { 3, 2 } } },
};

TEST(Boxes, FilledBoxCoversLeftToRightMinusOne)
{
    expectShapes(
        kFilledCases, kRed, [](QPainter* p, const ShapeCase& c) { FilledBox(p, c.x1, c.y1, c.x2, c.y2, kRedRef); });
}

Points outlineOf(int left, int top, int right, int bottom)
{
    Points points;
    for (int x = left; x < right; ++x) {
        points.insert({ x, top });
        points.insert({ x, bottom - 1 });
    }
    for (int y = top; y < bottom; ++y) {
        points.insert({ left, y });
        points.insert({ right - 1, y });
    }
    return points;
}

const ShapeCase kEmptyCases[] = {
    { "box", 1, 1, 6, 5, outlineOf(1, 1, 6, 5) },
    { "corners swapped", 6, 5, 1, 1, outlineOf(1, 1, 6, 5) },
    { "one pixel", 2, 2, 3, 3, { { 2, 2 } } },
    { "one column", 2, 2, 3, 6, { { 2, 2 }, { 2, 3 }, { 2, 4 }, { 2, 5 } } },
    { "empty", 2, 2, 2, 2, {} },
};

TEST(Boxes, EmptyBoxOutlinesWithoutFilling)
{
    expectShapes(
        kEmptyCases, kRed, [](QPainter* p, const ShapeCase& c) { EmptyBox(p, c.x1, c.y1, c.x2, c.y2, kRedRef); });
}

TEST(Boxes, ColourReferencesKeepRedInTheLowByte)
{
    DrawingCanvas canvas(3, 3);
    FilledBox(canvas.painter(), 0, 0, 1, 1, 0x00563412);
    EXPECT_EQ(canvas.pixel(0, 0), QColor(0x12, 0x34, 0x56));
}

// Every call leaves the painter as it found it; only the pixels change.
TEST(Painter, StateIsLeftAsItWas)
{
    QImage bitmap(3, 3, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    const std::vector<std::pair<const char*, std::function<void(QPainter*)>>> calls {
        { "Line", [](QPainter* p) { Line(p, 0, 0, 9, 5); } },
        { "LineEx", [](QPainter* p) { LineEx(p, 0, 0, 9, 5, kRedRef); } },
        { "FilledBox", [](QPainter* p) { FilledBox(p, 1, 1, 9, 9, kRedRef); } },
        { "EmptyBox", [](QPainter* p) { EmptyBox(p, 1, 1, 9, 9, kRedRef); } },
        { "BlackRect", [](QPainter* p) { BlackRect(p, 1, 1, 9, 9); } },
        { "Flat3Drectangle", [](QPainter* p) { Flat3Drectangle(p, 1, 1, 9, 9); } },
        { "Flat3Dbox", [](QPainter* p) { Flat3Dbox(p, 1, 1, 9, 9); } },
        { "Down3Drectangle", [](QPainter* p) { Down3Drectangle(p, 1, 1, 9, 9); } },
        { "Down3Dbox", [](QPainter* p) { Down3Dbox(p, 1, 1, 9, 9); } },
        { "Button3D", [](QPainter* p) { Button3D(p, 1, 1, 9, 9); } },
        { "Button3Dpressed", [](QPainter* p) { Button3Dpressed(p, 1, 1, 9, 9); } },
        { "IconBarButton3D", [](QPainter* p) { IconBarButton3D(p, 1, 1, 9, 9); } },
        { "GrayIconBarButton3D", [](QPainter* p) { GrayIconBarButton3D(p, 1, 1, 9, 9); } },
        { "Text", [](QPainter* p) { Text(p, 1, 1, "Ab"); } },
        { "ExtText", [](QPainter* p) { ExtText(p, 1, 1, 30, 20, "Ab &c", 0x11); } },
        { "ShowBitmap", [&bitmap](QPainter* p) { ShowBitmap(p, 2, 2, &bitmap); } },
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        DrawingCanvas canvas(40, 30);
        QPainter* painter = canvas.painter();
        const QPen pen(QColor(9, 8, 7), 1, Qt::DashLine, Qt::RoundCap);
        const QBrush brush(QColor(1, 200, 3), Qt::Dense4Pattern);
        QFont font = painter->font();
        font.setPixelSize(17);
        painter->setPen(pen);
        painter->setBrush(brush);
        painter->setFont(font);
        painter->setBackgroundMode(Qt::OpaqueMode);
        painter->setBackground(QColor(4, 5, 6));
        painter->setCompositionMode(QPainter::CompositionMode_Plus);
        painter->setClipRect(QRect(0, 0, 35, 25));
        call(painter);
        EXPECT_EQ(painter->pen(), pen);
        EXPECT_EQ(painter->brush(), brush);
        EXPECT_EQ(painter->font(), font);
        EXPECT_EQ(painter->backgroundMode(), Qt::OpaqueMode);
        EXPECT_EQ(painter->background(), QBrush(QColor(4, 5, 6)));
        EXPECT_EQ(painter->compositionMode(), QPainter::CompositionMode_Plus);
        EXPECT_EQ(painter->clipBoundingRect(), QRectF(0, 0, 35, 25));
        EXPECT_TRUE(painter->hasClipping());
    }
}

TEST(Painter, NullPainterAndNullTextAreIgnored)
{
    Line(nullptr, 0, 0, 5, 5);
    LineEx(nullptr, 0, 0, 5, 5, 0);
    FilledBox(nullptr, 0, 0, 5, 5, 0);
    EmptyBox(nullptr, 0, 0, 5, 5, 0);
    Text(nullptr, 0, 0, "x");
    ExtText(nullptr, 0, 0, 5, 5, "x", 0);
    ShowBitmap(nullptr, 0, 0, nullptr);
    ShowResourceBitmap(nullptr, nullptr, "x", 0, 0);
    DrawingCanvas canvas(8, 8);
    Text(canvas.painter(), 0, 0, nullptr);
    ExtText(canvas.painter(), 0, 0, 8, 8, nullptr, 0);
    ShowBitmap(canvas.painter(), 0, 0, nullptr);
    ShowResourceBitmap(canvas.painter(), nullptr, nullptr, 0, 0);
    SetButton();
    EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 8, 8)), 0);
}

} // namespace
