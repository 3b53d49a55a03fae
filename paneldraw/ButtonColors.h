// The three colours every 3D figure is made of.
#pragma once

#include <QColor>

namespace kx {

struct ButtonColors {
    QColor face;
    QColor highlight;
    QColor shadow;
    /// Lighter than the face, darker than the highlight; only bitmaps use it.
    QColor light;

    /// The platform's current button colours, read anew at every call so that a palette change
    /// shows at the next paint.
    static ButtonColors system();
    /// Classic fixed greys for the panels that must look the same on every desktop.
    static ButtonColors gray();
};

} // namespace kx
