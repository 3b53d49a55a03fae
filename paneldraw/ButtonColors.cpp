#include "ButtonColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace kx {

ButtonColors ButtonColors::system()
{
    // Without an application object there is no platform palette to ask.
    if (!qGuiApp)
        return gray();
    const QPalette palette = QGuiApplication::palette();
    return { palette.color(QPalette::Button), palette.color(QPalette::Light), palette.color(QPalette::Dark),
        palette.color(QPalette::Midlight) };
}

ButtonColors ButtonColors::gray()
{
    return { QColor(192, 192, 192), QColor(255, 255, 255), QColor(128, 128, 128), QColor(223, 223, 223) };
}

} // namespace kx
