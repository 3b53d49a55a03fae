#include "LogoAnimation.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kx {

LogoAnimation::LogoAnimation(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("LOGO"));
    setFixedSize(30, 30);
    // Drawn once at the screen's density; each frame only turns the picture.
    const qreal ratio = devicePixelRatioF();
    m_emblem = QPixmap(QSize(30, 30) * ratio);
    m_emblem.fill(Qt::transparent);
    QPainter painter(&m_emblem);
    QSvgRenderer(QStringLiteral(":/wavedesk/LOGO.svg")).render(&painter);
    painter.end();
    m_emblem.setDevicePixelRatio(ratio);
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, &LogoAnimation::advance);
}

void LogoAnimation::playOnce()
{
    if (isSpinning())
        return;
    m_looping = false;
    m_frame = 0;
    m_timer.start();
}

void LogoAnimation::spin()
{
    m_looping = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void LogoAnimation::stop()
{
    m_timer.stop();
    m_looping = false;
    m_frame = 0;
    update();
}

void LogoAnimation::advance()
{
    m_frame = (m_frame + 1) % kFramesPerTurn;
    if (m_frame == 0 && !m_looping)
        m_timer.stop();
    update();
}

void LogoAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(360.0 * m_frame / kFramesPerTurn);
    painter.drawPixmap(QPointF(-width() / 2.0, -height() / 2.0), m_emblem);
}

} // namespace kx
