#include "LogoAnimation.h"

#include <QPainter>

namespace kx::padplay {

LogoAnimation::LogoAnimation(QWidget* parent)
    : QWidget(parent)
    , m_logo(QStringLiteral(":/padplay/logo.svg"))
{
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, [this] { nextFrame(); });
}

void LogoAnimation::playOnce()
{
    m_frame = 0;
    m_timer.start();
    update();
}

void LogoAnimation::stop()
{
    m_timer.stop();
    m_frame = 0;
    update();
}

void LogoAnimation::nextFrame()
{
    if (++m_frame >= kFrameCount) {
        stop();
        return;
    }
    update();
}

void LogoAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    painter.translate(centre);
    painter.rotate(360.0 * m_frame / kFrameCount);
    painter.translate(-centre);
    m_logo.render(&painter, QRectF(rect()));
}

} // namespace kx::padplay
