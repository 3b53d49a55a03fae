// The 3D look of the suite's hand-painted bars, panels, tabs and buttons: raised and sunken boxes
// and frames, button faces, lines, boxes, text, bitmaps and the interface fonts. Every call draws at
// once on a painter the caller owns and leaves the painter's pen, brush, font and clipping as they
// were. Rectangles are given by their top-left corner and their bottom-right corner (x, y, right,
// bottom); the right column and the bottom row are outside the figure.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
class QPainter;
class QFont;
class QImage;
extern "C" {
#else
typedef struct QPainter QPainter;
typedef struct QFont QFont;
typedef struct QImage QImage;
#endif

/// A colour reference: red in the low byte, then green, then blue; the top byte is 0.
typedef uint32_t ColorRef;

/// Lines cover their start pixel and every pixel towards the end point, not the end point itself.
/// `Line` draws with the painter's pen; `LineEx` with a solid one-pixel pen of `color`.
void Line(QPainter* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void LineEx(QPainter* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, ColorRef color);

/// Fills columns left to right - 1 and rows top to bottom - 1.
void FilledBox(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef color);
/// The one-pixel outline of columns left to right - 1 and rows top to bottom - 1; the inside is
/// left alone.
void EmptyBox(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef color);
/// A black frame whose four corner pixels stay untouched.
void BlackRect(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);

// Figures in the platform's button colours (face, highlight and shadow read at every call).
void Flat3Drectangle(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void Flat3Dbox(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void Down3Drectangle(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void Down3Dbox(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void Button3D(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void Button3Dpressed(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void IconBarButton3D(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);

// The same figures in fixed classic greys: face 192, highlight white, shadow 128.
void GrayFlat3Dbox(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void GrayDown3Dbox(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void GrayDown3Drectangle(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void GrayButton3D(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);
void GrayIconBarButton3D(QPainter* dc, int32_t x, int32_t y, int32_t right, int32_t bottom);

/// UTF-8 text whose character cell has its top-left corner at (x, y), in the painter's font and pen
/// colour; the painter's background mode decides whether the cell background is filled.
void Text(QPainter* dc, int32_t x, int32_t y, const char* text);
/// UTF-8 text laid out in the rectangle by the DT_* flags in the low 16 bits of `format`
/// (alignment, word break, single line, tab expansion, clipping, '&' prefixes, ellipses). With
/// DT_CALCRECT nothing is drawn: the rectangle is not handed back.
void ExtText(QPainter* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text, uint32_t format);

/// Copies the whole image to (x, y) at its own size, replacing what is there.
void ShowBitmap(QPainter* dc, int32_t x, int32_t y, const QImage* bitmap);
/// Loads the image `name` (as given, or with ".png" or ".bmp" appended) below `module`, a Qt
/// resource prefix such as ":/wavedesk" or a directory; its greys 128, 192 and 223 become the
/// button shadow, face and light colours. Nothing is drawn when there is no such image.
void ShowResourceBitmap(QPainter* dc, const char* module, const char* name, int32_t x, int32_t y);

/// A new font: a positive `height` is the character cell height in pixels, a negative one the
/// character height, 0 the default; `weight` 0 to 1000 (400 normal, 700 bold); `flags` bit 0 italic,
/// bit 1 underline, bit 2 strike-out. Faces that are not installed are mapped to installed ones of
/// the same kind. Free it with `ZorDeleteFont`.
QFont* ZorCreateFont(int32_t height, int32_t weight, uint32_t flags, const char* face);
/// A new font on every call: index 1 is height 10, weight 400, face "Zor-NewFont"; index 2 the
/// interface font, height 8, weight 400, face "MS Sans Serif"; other indexes give a null pointer.
QFont* ZorGetStockObject(int32_t index);
/// Frees a font of `ZorCreateFont` or `ZorGetStockObject`; null is allowed.
void ZorDeleteFont(QFont* font);

/// Kept for callers that still call it; does nothing.
void SetButton(void);

#ifdef __cplusplus
}
#endif
