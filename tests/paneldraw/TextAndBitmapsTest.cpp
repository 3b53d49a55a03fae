#include "ButtonPalette.h"
#include "DrawingCanvas.h"
#include "TempDir.h"
#include "paneldraw/drawing.h"

#include <gtest/gtest.h>

#include <QFont>

#include <cstdint>

namespace {

using kx::test::DrawingCanvas;

/// The smallest rectangle holding every pixel that is no longer the canvas colour.
QRect inkBounds(DrawingCanvas& canvas)
{
    const QImage& image = canvas.image();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kx::test::kCanvasColor.rgb())
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QFont testFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    return font;
}

/// Canvas of 200 x 80 with black text in the test font.
struct TextCanvas : DrawingCanvas {
    TextCanvas()
        : DrawingCanvas(200, 80)
    {
        painter()->setFont(testFont());
        painter()->setPen(Qt::black);
    }
};

TEST(Text, IsPlacedByTheTopOfItsCharacterCell)
{
    for (const int y : { 0, 10, 37 }) {
        SCOPED_TRACE(y);
        TextCanvas canvas;
        const int cell = canvas.painter()->fontMetrics().height();
        Text(canvas.painter(), 5, y, "HHH");
        const QRect ink = inkBounds(canvas);
        ASSERT_TRUE(ink.isValid());
        EXPECT_GE(ink.top(), y);
        EXPECT_LT(ink.bottom(), y + cell);
        EXPECT_GE(ink.left(), 5);
        EXPECT_LE(ink.left(), 7);
    }
}

TEST(Text, UsesThePenColourAndTheBackgroundMode)
{
    const QColor ink(0, 0, 250), background(250, 0, 0);
    for (const Qt::BGMode mode : { Qt::TransparentMode, Qt::OpaqueMode }) {
        TextCanvas canvas;
        canvas.painter()->setPen(ink);
        canvas.painter()->setBackground(background);
        canvas.painter()->setBackgroundMode(mode);
        Text(canvas.painter(), 5, 10, "Mix");
        const std::vector<std::string> map = canvas.map({ { 'I', ink }, { 'B', background } });
        bool sawInk = false, sawBackground = false;
        for (const std::string& row : map) {
            sawInk |= row.find('I') != std::string::npos;
            sawBackground |= row.find('B') != std::string::npos;
        }
        EXPECT_TRUE(sawInk);
        EXPECT_EQ(sawBackground, mode == Qt::OpaqueMode);
    }
}

constexpr uint32_t kCenter = 0x1, kRight = 0x2, kVCenter = 0x4, kBottom = 0x8, kWordBreak = 0x10, kSingleLine = 0x20,
                   kNoClip = 0x100, kCalcRect = 0x400, kNoPrefix = 0x800, kEndEllipsis = 0x8000;

/// Ink of `text` laid out in (20, 10)-(180, 70) with `format`.
QRect layoutInk(const char* text, uint32_t format, QRect area = QRect(QPoint(20, 10), QPoint(179, 69)))
{
    TextCanvas canvas;
    ExtText(canvas.painter(), area.left(), area.top(), area.right() + 1, area.bottom() + 1, text, format);
    return inkBounds(canvas);
}

TEST(ExtText, AlignsInTheRectangle)
{
    const struct {
        const char* name;
        uint32_t format;
        int centreX, centreY; // of the ink, within 6 pixels; -1: near the left or top edge
    } cases[] = {
        { "left top", 0, -1, -1 },
        { "centred", kCenter, 100, -1 },
        { "right", kRight, 172, -1 },
        { "vertically centred single line", kSingleLine | kVCenter, -1, 40 },
        { "bottom single line", kSingleLine | kBottom, -1, 62 },
        { "vertical centre needs a single line", kVCenter, -1, -1 },
        { "centre on both axes", kSingleLine | kCenter | kVCenter, 100, 40 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect ink = layoutInk("HIH", c.format);
        ASSERT_TRUE(ink.isValid());
        if (c.centreX < 0)
            EXPECT_NEAR(ink.left(), 21, 3);
        else
            EXPECT_NEAR(ink.center().x(), c.centreX, 6);
        if (c.centreY < 0)
            EXPECT_NEAR(ink.top(), 13, 4);
        else
            EXPECT_NEAR(ink.center().y(), c.centreY, 6);
    }
}

TEST(ExtText, OnlyTheLowSixteenBitsOfTheFormatCount)
{
    for (const uint32_t format : { 0u, kCenter, kRight | kSingleLine | kBottom, kNoPrefix }) {
        SCOPED_TRACE(format);
        TextCanvas plain, flagged;
        ExtText(plain.painter(), 20, 10, 180, 70, "A&B C", format);
        ExtText(flagged.painter(), 20, 10, 180, 70, "A&B C", format | 0xffff0000u);
        EXPECT_EQ(plain.image(), flagged.image());
    }
}

TEST(ExtText, AmpersandsArePrefixesUnlessTurnedOff)
{
    const QRect processed = layoutInk("W&&&&W", 0); // two ampersands shown
    const QRect literal = layoutInk("W&&&&W", kNoPrefix); // four
    const QRect single = layoutInk("W&&W", kNoPrefix); // two
    EXPECT_LT(processed.width(), literal.width());
    EXPECT_EQ(processed.width(), single.width());
    // "&W" underlines the W: ink below the baseline where plain W has none.
    EXPECT_GT(layoutInk("&W", 0).bottom(), layoutInk("&W", kNoPrefix).bottom());
}

TEST(ExtText, WordBreakWrapsOtherwiseOneLine)
{
    const char* text = "several words that cannot fit";
    const QRect narrow(QPoint(20, 10), QPoint(79, 79 - 1));
    const QRect wrapped = layoutInk(text, kWordBreak, narrow);
    const QRect single = layoutInk(text, 0, narrow);
    EXPECT_GT(wrapped.height(), 2 * single.height());
}

TEST(ExtText, ClipsToTheRectangleUnlessTold)
{
    const char* text = "a text far wider than its box";
    const QRect box(QPoint(20, 10), QPoint(59, 29));
    EXPECT_TRUE(box.contains(layoutInk(text, 0, box)));
    EXPECT_GT(layoutInk(text, kNoClip, box).right(), box.right());
    // An ellipsis shortens the text to the box, so nothing needs clipping.
    EXPECT_TRUE(box.contains(layoutInk(text, kNoClip | kEndEllipsis, box)));
}

TEST(ExtText, MeasuringOnlyDrawsNothing)
{
    EXPECT_FALSE(layoutInk("HIH", kCalcRect).isValid());
    EXPECT_FALSE(layoutInk("HIH", kCalcRect | kCenter).isValid());
}

TEST(Bitmaps, ShowBitmapCopiesThePictureAtItsOwnSize)
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    const QColor colours[2][3] = { { QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255) },
        { QColor(9, 9, 9), QColor(100, 50, 25, 0), QColor(7, 77, 177, 128) } };
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            picture.setPixelColor(x, y, colours[y][x]);
    }
    DrawingCanvas canvas(10, 10);
    ShowBitmap(canvas.painter(), 4, 5, &picture);
    EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 10, 10)), 6);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const QColor expected = colours[y][x];
            EXPECT_EQ(canvas.pixel(4 + x, 5 + y), QColor(expected.red(), expected.green(), expected.blue()));
        }
    }
}

TEST(Bitmaps, ResourceBitmapsTakeTheButtonColours)
{
    const kx::test::ScopedButtonPalette palette(kx::test::kTestColors);
    kx::test::TempDir module;
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, QColor(128, 128, 128));
    picture.setPixelColor(1, 0, QColor(192, 192, 192));
    picture.setPixelColor(2, 0, QColor(223, 223, 223));
    picture.setPixelColor(3, 0, QColor(129, 128, 128));
    ASSERT_TRUE(picture.save(QString::fromStdString(module.file("CDPLAY.png"))));
    const std::string directory = module.path().string();

    for (const char* name : { "CDPLAY", "CDPLAY.png" }) {
        SCOPED_TRACE(name);
        DrawingCanvas canvas(8, 4);
        ShowResourceBitmap(canvas.painter(), directory.c_str(), name, 2, 1);
        EXPECT_EQ(canvas.pixel(2, 1), kx::test::kTestColors.shadow);
        EXPECT_EQ(canvas.pixel(3, 1), kx::test::kTestColors.face);
        EXPECT_EQ(canvas.pixel(4, 1), kx::test::kTestColors.light);
        EXPECT_EQ(canvas.pixel(5, 1), QColor(129, 128, 128));
        EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 8, 4)), 4);
    }
    for (const char* missing : { "NOSUCH", "", "cdplay" }) {
        DrawingCanvas canvas(8, 4);
        ShowResourceBitmap(canvas.painter(), directory.c_str(), missing, 2, 1);
        EXPECT_EQ(canvas.changedPixels(QRect(0, 0, 8, 4)), 0) << missing;
    }
}

} // namespace
