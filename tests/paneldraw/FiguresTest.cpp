#include "ButtonPalette.h"
#include "DrawingCanvas.h"
#include "paneldraw/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using kx::test::DrawingCanvas;
using Figure = void (*)(QPainter*, int32_t, int32_t, int32_t, int32_t);
using Rows = std::vector<std::string>;

// Small box (1, 1)-(7, 6) on a 9 x 8 canvas.
const Rows kRaisedFrame {
    ".........",
    ".HHHHHS..",
    ".H....S..",
    ".H....S..",
    ".H....S..",
    ".SSSSSS..",
    ".........",
    ".........",
};
const Rows kRaisedBox {
    ".........",
    ".HHHHHS..",
    ".HFFFFS..",
    ".HFFFFS..",
    ".HFFFFS..",
    ".SSSSSS..",
    ".........",
    ".........",
};
const Rows kSunkenFrame {
    ".........",
    ".SSSSSH..",
    ".S....H..",
    ".S....H..",
    ".S....H..",
    ".HHHHHH..",
    ".........",
    ".........",
};
const Rows kSunkenBox {
    ".........",
    ".SSSSSH..",
    ".SFFFFH..",
    ".SFFFFH..",
    ".SFFFFH..",
    ".HHHHHH..",
    ".........",
    ".........",
};
const Rows kButton {
    ".........",
    ".HHHHHS..",
    ".HFFFSS..",
    ".HFFFSS..",
    ".HSSSSS..",
    ".SSSSSS..",
    ".........",
    ".........",
};
const Rows kBlackFrame {
    ".........",
    "..KKKK...",
    ".K....K..",
    ".K....K..",
    ".K....K..",
    "..KKKK...",
    ".........",
    ".........",
};
// Larger box (1, 1)-(9, 8) on an 11 x 10 canvas, so the inner lines have room.
const Rows kPressedButton {
    "...........",
    ".FKKKKKKF..",
    ".KSSSSSHK..",
    ".KSFFFFHK..",
    ".KSFFFFHK..",
    ".KSHHHHHK..",
    ".KSFFFFFK..",
    ".FKKKKKKF..",
    "...........",
    "...........",
};
const Rows kIconBarButton {
    "...........",
    "..KKKKKK...",
    ".KHHHHHSK..",
    ".KHFFFSSK..",
    ".KHFFFSSK..",
    ".KHSSSSSK..",
    ".KSSSSSSK..",
    "..KKKKKK...",
    "...........",
    "...........",
};

struct FigureCase {
    const char* name;
    Figure figure;
    bool classicGrays; // fixed colours instead of the platform's
    bool large;
    const Rows& expected;
};

const FigureCase kFigureCases[] = {
    { "Flat3Drectangle", Flat3Drectangle, false, false, kRaisedFrame },
    { "Flat3Dbox", Flat3Dbox, false, false, kRaisedBox },
    { "Down3Drectangle", Down3Drectangle, false, false, kSunkenFrame },
    { "Down3Dbox", Down3Dbox, false, false, kSunkenBox },
    { "Button3D", Button3D, false, false, kButton },
    { "Button3Dpressed", Button3Dpressed, false, true, kPressedButton },
    { "IconBarButton3D", IconBarButton3D, false, true, kIconBarButton },
    { "BlackRect", BlackRect, false, false, kBlackFrame },
    { "GrayFlat3Dbox", GrayFlat3Dbox, true, false, kRaisedBox },
    { "GrayDown3Dbox", GrayDown3Dbox, true, false, kSunkenBox },
    { "GrayDown3Drectangle", GrayDown3Drectangle, true, false, kSunkenFrame },
    { "GrayButton3D", GrayButton3D, true, false, kButton },
    { "GrayIconBarButton3D", GrayIconBarButton3D, true, true, kIconBarButton },
};

TEST(Figures, PixelMaps)
{
    const kx::test::ScopedButtonPalette palette(kx::test::kTestColors);
    for (const FigureCase& c : kFigureCases) {
        SCOPED_TRACE(c.name);
        const int right = c.large ? 9 : 7;
        const int bottom = c.large ? 8 : 6;
        DrawingCanvas canvas(right + 2, bottom + 2);
        c.figure(canvas.painter(), 1, 1, right, bottom);
        const auto& legend = c.classicGrays ? kx::test::kClassicGrays : kx::test::kTestColors;
        EXPECT_EQ(canvas.map(legend.letters()), c.expected);
    }
}

// The corners of each edge go to whichever line is drawn later.
TEST(Figures, RaisedBoxOfTenByTenLeavesColumnAndRowTenAlone)
{
    DrawingCanvas canvas(12, 12);
    GrayFlat3Dbox(canvas.painter(), 0, 0, 10, 10);
    const QColor highlight(255, 255, 255), shadow(128, 128, 128), face(192, 192, 192);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(canvas.pixel(10, i), kx::test::kCanvasColor);
        EXPECT_EQ(canvas.pixel(i, 10), kx::test::kCanvasColor);
    }
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(canvas.pixel(0, i), highlight) << "column 0, row " << i;
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(canvas.pixel(i, 0), highlight) << "row 0, column " << i;
        EXPECT_EQ(canvas.pixel(9, i), shadow) << "column 9, row " << i;
    }
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(canvas.pixel(i, 9), shadow) << "row 9, column " << i;
    EXPECT_EQ(canvas.pixel(1, 1), face);
    EXPECT_EQ(canvas.pixel(8, 8), face);
}

TEST(Figures, StayInsideTinyAndEmptyAreas)
{
    const struct {
        int right, bottom; // box from (3, 3)
        int covered; // pixels of the area a figure that covers its whole area changes
    } cases[] = {
        { 3, 3, 0 }, // empty
        { 2, 2, 0 }, // corners the wrong way round
        { 3, 9, 0 }, // zero width
        { 9, 3, 0 }, // zero height
        { 4, 4, 1 }, // one pixel
        { 5, 5, 4 }, { 4, 7, 4 }, // one column
    };
    const struct {
        Figure figure;
        bool coversArea;
    } figures[] = { { GrayFlat3Dbox, true }, { GrayButton3D, true }, { GrayDown3Drectangle, true },
        { Button3Dpressed, true }, { GrayIconBarButton3D, false }, { BlackRect, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.right << "," << c.bottom);
        for (const auto& f : figures) {
            DrawingCanvas canvas(12, 12);
            f.figure(canvas.painter(), 3, 3, c.right, c.bottom);
            const QRect area(QPoint(3, 3), QPoint(c.right - 1, c.bottom - 1));
            const int changed = canvas.changedPixels(QRect(0, 0, 12, 12));
            EXPECT_EQ(changed, area.isValid() ? canvas.changedPixels(area) : 0);
            if (f.coversArea) {
                EXPECT_EQ(changed, c.covered);
            }
        }
    }
}

TEST(Figures, OnePixelRaisedBoxIsShadow)
{
    DrawingCanvas canvas(4, 4);
    GrayFlat3Dbox(canvas.painter(), 1, 1, 2, 2);
    EXPECT_EQ(canvas.pixel(1, 1), QColor(128, 128, 128));
    EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 4, 4)), 1);
}

TEST(Figures, BlackRectNeverPaintsItsCorners)
{
    for (int width = 1; width <= 6; ++width) {
        for (int height = 1; height <= 6; ++height) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            DrawingCanvas canvas(10, 10);
            BlackRect(canvas.painter(), 2, 2, 2 + width, 2 + height);
            for (const QPoint corner :
                { QPoint(2, 2), QPoint(1 + width, 2), QPoint(2, 1 + height), QPoint(1 + width, 1 + height) })
                EXPECT_EQ(canvas.pixel(corner.x(), corner.y()), kx::test::kCanvasColor);
            // Every other border pixel is black; a side of a box one pixel thin is drawn once.
            const int border
                = std::max(0, height - 2) * std::min(width, 2) + std::max(0, width - 2) * std::min(height, 2);
            EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 10, 10)), border);
        }
    }
}

TEST(Figures, PlatformColoursAreReadAtEveryCall)
{
    DrawingCanvas canvas(20, 10);
    {
        const kx::test::ScopedButtonPalette palette(kx::test::kTestColors);
        Flat3Dbox(canvas.painter(), 0, 0, 10, 10);
    }
    const kx::test::ButtonLegend other { QColor(10, 200, 10), QColor(240, 240, 0), QColor(90, 0, 0), QColor(1, 1, 1) };
    {
        const kx::test::ScopedButtonPalette palette(other);
        Flat3Dbox(canvas.painter(), 10, 0, 20, 10);
    }
    EXPECT_EQ(canvas.pixel(4, 4), kx::test::kTestColors.face);
    EXPECT_EQ(canvas.pixel(0, 4), kx::test::kTestColors.highlight);
    EXPECT_EQ(canvas.pixel(9, 4), kx::test::kTestColors.shadow);
    EXPECT_EQ(canvas.pixel(14, 4), other.face);
    EXPECT_EQ(canvas.pixel(10, 4), other.highlight);
    EXPECT_EQ(canvas.pixel(19, 4), other.shadow);
}

TEST(Figures, GrayFiguresIgnoreThePlatformColours)
{
    const kx::test::ScopedButtonPalette palette(kx::test::kTestColors);
    DrawingCanvas canvas(10, 10);
    GrayButton3D(canvas.painter(), 0, 0, 10, 10);
    EXPECT_EQ(canvas.pixel(4, 4), QColor(192, 192, 192));
    EXPECT_EQ(canvas.pixel(0, 4), QColor(255, 255, 255));
    EXPECT_EQ(canvas.pixel(9, 4), QColor(128, 128, 128));
}

TEST(Figures, NullPainterIsIgnored)
{
    for (const FigureCase& c : kFigureCases)
        c.figure(nullptr, 0, 0, 10, 10);
}

} // namespace
