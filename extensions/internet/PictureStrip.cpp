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
    // The sky fills the strip however tall the dialog is; the globe keeps the top and the
    // lettering the foot, each at its own size.
    m_picture.render(&painter, QStringLiteral("sky"), rect());
    const double scale = width() / m_picture.defaultSize().width();
    const QRectF top = m_picture.boundsOnElement(QStringLiteral("top"));
    m_picture.render(&painter, QStringLiteral("top"),
        QRectF(top.x() * scale, top.y() * scale, top.width() * scale, top.height() * scale));
    const QRectF title = m_picture.boundsOnElement(QStringLiteral("title"));
    const double titleHeight = title.height() * scale;
    m_picture.render(&painter, QStringLiteral("title"),
        QRectF(title.x() * scale, height() - titleHeight - 16, title.width() * scale, titleHeight));
}

} // namespace kx
