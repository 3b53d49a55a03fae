// The colour references the player hands to the drawing library, taken from the widget palette.
#pragma once

#include "paneldraw/drawing.h"

#include <QColor>
#include <QPalette>

namespace kx::padplay {

/// DT_CENTER | DT_VCENTER | DT_SINGLELINE: one line centred both ways.
inline constexpr uint32_t kCenteredLine = 0x0001 | 0x0004 | 0x0020;

inline ColorRef colorRef(const QColor& color)
{
    return ColorRef(color.red()) | ColorRef(color.green()) << 8 | ColorRef(color.blue()) << 16;
}

struct PaintColors {
    explicit PaintColors(const QPalette& palette)
        : face(colorRef(palette.color(QPalette::Button)))
        , highlight(colorRef(palette.color(QPalette::Light)))
        , shadow(colorRef(palette.color(QPalette::Dark)))
    {
    }
    ColorRef face;
    ColorRef highlight;
    ColorRef shadow;
};

} // namespace kx::padplay
