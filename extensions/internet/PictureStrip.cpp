#include "PictureStrip.h"

#include <QPainter>

// The art is linked in with the static library, whose resource object nothing else references.
static void initInternetArt()
{
    Q_INIT_RESOURCE(internet);
}

namespace kx {

void useInternetArt()
{
    static const bool initialised = [] {
        initInternetArt();
        return true;
    }();
    (void)initialised;
}

PictureStrip::PictureStrip(QWidget* parent)
    : QWidget(parent)
    , m_picture((useInternetArt(), QStringLiteral(":/internet/strip.svg")))
{
    setFixedWidth(64);
}

void PictureStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The strip's foot (its lettering) stays at the bottom however tall the dialog is.
    const QSizeF size = m_picture.defaultSize();
    const double height = size.height() * width() / size.width();
    painter.fillRect(rect(), QColor(0x0b, 0x23, 0x47));
    m_picture.render(&painter, QRectF(0, this->height() - height, width(), height));
}

} // namespace kx
