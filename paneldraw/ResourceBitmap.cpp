#include "ResourceBitmap.h"

#include <QFileInfo>

namespace kx {

QImage ResourceBitmap::load(const QString& module, const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString base = (module.isEmpty() ? QStringLiteral(":") : module) + QLatin1Char('/') + name;
    for (const QString& path : { base, base + QStringLiteral(".png"), base + QStringLiteral(".bmp") }) {
        if (!QFileInfo(path).isFile())
            continue;
        const QImage image(path);
        if (!image.isNull())
            return image;
    }
    return {};
}

QImage ResourceBitmap::mapButtonColors(const QImage& image, const ButtonColors& colors)
{
    QImage mapped = image.convertToFormat(QImage::Format_RGB32);
    const QRgb shadow = qRgb(128, 128, 128);
    const QRgb face = qRgb(192, 192, 192);
    const QRgb light = qRgb(223, 223, 223);
    for (int y = 0; y < mapped.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(mapped.scanLine(y));
        for (int x = 0; x < mapped.width(); ++x) {
            if (row[x] == shadow)
                row[x] = colors.shadow.rgb();
            else if (row[x] == face)
                row[x] = colors.face.rgb();
            else if (row[x] == light)
                row[x] = colors.light.rgb();
        }
    }
    return mapped;
}

} // namespace kx
