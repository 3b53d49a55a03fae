#include "PositionMarker.h"

#include <QPainter>

namespace kx {

PositionMarker::PositionMarker(QWidget* parent, QImage image, QPoint position)
    : QWidget(parent)
    , m_image(std::move(image))
{
    setObjectName(QStringLiteral("Current Position"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(position.x(), position.y(), 6, 12);
}

void PositionMarker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, m_image);
}

} // namespace kx
