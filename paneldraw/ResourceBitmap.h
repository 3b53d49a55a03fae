// Bitmaps that programs ship among their resources, drawn in the current button colours.
#pragma once

#include "ButtonColors.h"

#include <QImage>
#include <QString>

namespace kx {

class ResourceBitmap {
public:
    /// The image `name` below `module` (a resource prefix or a directory), tried as given and with
    /// ".png" and ".bmp" appended; a null image when there is none.
    static QImage load(const QString& module, const QString& name);
    /// Replaces the greys 128, 192 and 223 with the shadow, face and light colours, so that
    /// button pictures match the buttons they sit on.
    static QImage mapButtonColors(const QImage& image, const ButtonColors& colors);
};

} // namespace kx
