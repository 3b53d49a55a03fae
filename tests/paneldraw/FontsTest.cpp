#include "DrawingCanvas.h"
#include "paneldraw/drawing.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <memory>

namespace {

struct FontDeleter {
    void operator()(QFont* font) const { ZorDeleteFont(font); }
};
using FontPtr = std::unique_ptr<QFont, FontDeleter>;

TEST(Fonts, StockObjectsAreNewFontsOrNothing)
{
    for (const int index : { -1, 0, 3, 4, 100 })
        EXPECT_EQ(ZorGetStockObject(index), nullptr) << index;
    const FontPtr first(ZorGetStockObject(2));
    const FontPtr second(ZorGetStockObject(2));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(*first, *second);
    const FontPtr other(ZorGetStockObject(1));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->weight(), QFont::Normal);
}

TEST(Fonts, ForeignFacesResolveToInstalledStandIns)
{
    const struct {
        const char* face;
        const char* standIn;
        const char* fallback; // when the first choice is not installed
    } cases[] = {
        { "MS Sans Serif", "Liberation Sans", "DejaVu Sans" },
        { "Zor-NewFont", "Liberation Sans", "DejaVu Sans" },
        { "Arial", "Liberation Sans", "DejaVu Sans" },
        { "ms sans serif", "Liberation Sans", "DejaVu Sans" },
        { "Times New Roman", "Liberation Serif", "DejaVu Serif" },
        { "Courier New", "Liberation Mono", "DejaVu Sans Mono" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        const FontPtr font(ZorCreateFont(10, 400, 0, c.face));
        const QString family = QFontInfo(*font).family();
        EXPECT_TRUE(family == QLatin1String(c.standIn) || family == QLatin1String(c.fallback)) << family.toStdString();
    }
    const FontPtr stock(ZorGetStockObject(2));
    EXPECT_TRUE(QFontInfo(*stock).family().contains(QLatin1String("Sans")));
}

TEST(Fonts, StyleBitsAndWeight)
{
    const struct {
        int32_t weight;
        uint32_t flags;
        bool bold, italic, underline, strikeOut;
    } cases[] = {
        { 400, 0, false, false, false, false }, { 700, 0, true, false, false, false },
        { 0, 0, false, false, false, false }, // default weight
        { 400, 1, false, true, false, false }, { 400, 2, false, false, true, false },
        { 400, 4, false, false, false, true }, { 700, 7, true, true, true, true },
        { 400, 8, false, false, false, false }, // no such bit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.weight << "/" << c.flags);
        const FontPtr font(ZorCreateFont(12, c.weight, c.flags, "Arial"));
        EXPECT_EQ(font->bold(), c.bold);
        EXPECT_EQ(font->italic(), c.italic);
        EXPECT_EQ(font->underline(), c.underline);
        EXPECT_EQ(font->strikeOut(), c.strikeOut);
    }
}

TEST(Fonts, HeightIsTheCharacterCell)
{
    const struct {
        int32_t height;
        const char* face;
        int minCell, maxCell; // of the font's line height in pixels
    } cases[] = {
        { 20, "Arial", 18, 20 }, { 32, "Courier New", 29, 32 },
        { -20, "Arial", 21, 25 }, // negative: the characters without the leading
        // The old interface face existed only in a few bitmap sizes: small requests get its 13-pixel size.
        { 8, "MS Sans Serif", 12, 13 }, { 10, "MS Sans Serif", 12, 13 }, { 18, "MS Sans Serif", 15, 16 },
        { 0, "Arial", 12, 13 }, // default size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " " << c.face);
        const FontPtr font(ZorCreateFont(c.height, 400, 0, c.face));
        const int cell = QFontMetrics(*font).height();
        EXPECT_GE(cell, c.minCell);
        EXPECT_LE(cell, c.maxCell);
    }
}

TEST(Fonts, StockInterfaceFontIsReadable)
{
    const FontPtr font(ZorGetStockObject(2));
    kx::test::DrawingCanvas canvas(120, 20);
    canvas.painter()->setFont(*font);
    canvas.painter()->setPen(Qt::black);
    Text(canvas.painter(), 2, 2, "Fade In");
    const int ink = canvas.changedPixels(QRect(0, 0, 120, 20));
    EXPECT_GT(ink, 40);
    EXPECT_EQ(canvas.changedPixels(QRect(0, 17, 120, 3)), 0); // a 13-pixel cell from row 2 ends at 14
}

} // namespace
