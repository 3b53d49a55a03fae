#include "ButtonColors.h"
#include "Figures3D.h"
#include "FontMapper.h"
#include "PixelRules.h"
#include "ResourceBitmap.h"
#include "TextFormat.h"
#include "paneldraw/drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

using kx::ButtonColors;
using kx::pixels::Box;

namespace {

using Figure = void (*)(QPainter&, const Box&, const ButtonColors&);

/// Figures stay inside their area: an empty one draws nothing, and the inner lines of one too
/// small for them do not spill over its edges.
void drawFigure(QPainter* dc, Figure figure, const Box& box, const ButtonColors& colors)
{
    if (!dc || box.right <= box.x || box.bottom <= box.y)
        return;
    dc->save();
    const QRect area(QPoint(box.x, box.y), QPoint(box.right - 1, box.bottom - 1));
    dc->setClipRect(area, dc->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    figure(*dc, box, colors);
    dc->restore();
}

void blackFrame(QPainter& painter, const Box& box, const ButtonColors&)
{
    kx::figures::cornerlessFrame(painter, box, Qt::black);
}

void downRectangle(QPainter& painter, const Box& box, const ButtonColors& colors)
{
    kx::figures::frame(painter, box, colors.shadow, colors.highlight);
}

void flatRectangle(QPainter& painter, const Box& box, const ButtonColors& colors)
{
    kx::figures::frame(painter, box, colors.highlight, colors.shadow);
}

} // namespace

extern "C" {

void Line(QPainter* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!dc || dc->pen().style() == Qt::NoPen)
        return;
    const QPen pen = dc->pen();
    if (pen.style() == Qt::SolidLine && pen.widthF() <= 1) {
        kx::pixels::line(*dc, { x1, y1 }, { x2, y2 }, pen.color());
        return;
    }
    // Wide and patterned pens keep Qt's rasterisation; a flat cap still leaves the end point out.
    QPen flat = pen;
    flat.setCapStyle(Qt::FlatCap);
    dc->setPen(flat);
    dc->drawLine(x1, y1, x2, y2);
    dc->setPen(pen);
}

void LineEx(QPainter* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, ColorRef color)
{
    if (dc)
        kx::pixels::line(*dc, { x1, y1 }, { x2, y2 }, kx::pixels::colorFromRef(color));
}

void FilledBox(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef color)
{
    if (dc)
        kx::pixels::fillBetween(*dc, left, top, right + 1, bottom + 1, kx::pixels::colorFromRef(color));
}

void EmptyBox(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef color)
{
    if (dc)
        kx::pixels::outline(*dc, left, top, right, bottom, kx::pixels::colorFromRef(color));
}

// Every figure export has the same signature and differs only in figure and colours.
#define KX_FIGURE_EXPORT(name, figure, colors)                                                                         \
    void name(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom)                                       \
    {                                                                                                                  \
        drawFigure(dc, figure, { x, y, right, bottom }, ButtonColors::colors());                                       \
    }

KX_FIGURE_EXPORT(Flat3Drectangle, flatRectangle, system)
KX_FIGURE_EXPORT(Flat3Dbox, kx::figures::raisedBox, system)
KX_FIGURE_EXPORT(Down3Drectangle, downRectangle, system)
KX_FIGURE_EXPORT(Down3Dbox, kx::figures::sunkenBox, system)
KX_FIGURE_EXPORT(Button3D, kx::figures::button, system)
KX_FIGURE_EXPORT(Button3Dpressed, kx::figures::pressedButton, system)
KX_FIGURE_EXPORT(IconBarButton3D, kx::figures::iconBarButton, system)
KX_FIGURE_EXPORT(GrayFlat3Dbox, kx::figures::raisedBox, gray)
KX_FIGURE_EXPORT(GrayDown3Dbox, kx::figures::sunkenBox, gray)
KX_FIGURE_EXPORT(GrayDown3Drectangle, downRectangle, gray)
KX_FIGURE_EXPORT(GrayButton3D, kx::figures::button, gray)
KX_FIGURE_EXPORT(GrayIconBarButton3D, kx::figures::iconBarButton, gray)
// Black only; the colours are not used.
KX_FIGURE_EXPORT(BlackRect, blackFrame, gray)

#undef KX_FIGURE_EXPORT

void Text(QPainter* dc, int32_t x, int32_t y, const char* text)
{
    if (!dc || !text)
        return;
    // Qt places text by its baseline; callers give the top of the character cell.
    dc->drawText(QPoint(x, y + dc->fontMetrics().ascent()), QString::fromUtf8(text));
}

void ExtText(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text, uint32_t format)
{
    if (!dc || !text)
        return;
    const kx::TextFormat layout = kx::TextFormat::fromFlags(uint16_t(format & 0xffffu));
    if (!layout.draws)
        return;
    const QRect area(QPoint(left, top), QPoint(right - 1, bottom - 1));
    QString string = QString::fromUtf8(text);
    if (layout.elides)
        string = dc->fontMetrics().elidedText(
            string, layout.elideMode, area.width(), layout.alignmentAndFlags & Qt::TextShowMnemonic);
    // Qt clips to the rectangle itself unless the layout carries Qt::TextDontClip.
    dc->drawText(area, layout.alignmentAndFlags, string);
}

void ShowBitmap(QPainter* dc, int32_t x, int32_t y, const QImage* bitmap)
{
    if (!dc || !bitmap || bitmap->isNull())
        return;
    // A copy, not a blend: the picture's pixels replace the ones below whatever their alpha.
    const QImage opaque = bitmap->convertToFormat(QImage::Format_RGB32);
    const QPainter::CompositionMode mode = dc->compositionMode();
    dc->setCompositionMode(QPainter::CompositionMode_Source);
    dc->drawImage(QPoint(x, y), opaque);
    dc->setCompositionMode(mode);
}

void ShowResourceBitmap(QPainter* dc, const char* module, const char* name, int32_t x, int32_t y)
{
    if (!dc || !name)
        return;
    const QImage image = kx::ResourceBitmap::load(QString::fromUtf8(module ? module : ""), QString::fromUtf8(name));
    if (image.isNull())
        return;
    const QImage mapped = kx::ResourceBitmap::mapButtonColors(image, ButtonColors::system());
    ShowBitmap(dc, x, y, &mapped);
}

QFont* ZorCreateFont(int32_t height, int32_t weight, uint32_t flags, const char* face)
{
    return new QFont(kx::FontMapper::font(height, weight, flags, QString::fromUtf8(face ? face : "")));
}

QFont* ZorGetStockObject(int32_t index)
{
    switch (index) {
    case 1:
        return ZorCreateFont(10, 400, 0, "Zor-NewFont");
    case 2:
        return ZorCreateFont(8, 400, 0, "MS Sans Serif");
    default:
        return nullptr;
    }
}

void ZorDeleteFont(QFont* font)
{
    delete font;
}

void SetButton(void)
{
}

} // extern "C"
