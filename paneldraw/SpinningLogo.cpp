#include "paneldraw/SpinningLogo.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kx {

SpinningLogo::SpinningLogo(int framesPerTurn, QWidget* parent)
    : QWidget(parent)
    , m_framesPerTurn(qMax(1, framesPerTurn))
{
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, &SpinningLogo::advance);
}

SpinningLogo::SpinningLogo(const QString& svgPath, int framesPerTurn, QWidget* parent)
    : SpinningLogo(framesPerTurn, parent)
{
    m_svg = std::make_unique<QSvgRenderer>(svgPath);
}

SpinningLogo::SpinningLogo(const QPixmap& emblem, int framesPerTurn, QWidget* parent)
    : SpinningLogo(framesPerTurn, parent)
{
    m_emblem = emblem;
}

SpinningLogo::~SpinningLogo() = default;

void SpinningLogo::playOnce()
{
    if (isSpinning())
        return;
    m_looping = false;
    m_frame = 0;
    m_timer.start();
    update();
}

void SpinningLogo::spin()
{
    m_looping = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void SpinningLogo::stop()
{
    m_timer.stop();
    m_looping = false;
    m_frame = 0;
    update();
}

void SpinningLogo::advance()
{
    m_frame = (m_frame + 1) % m_framesPerTurn;
    if (m_frame == 0 && !m_looping)
        m_timer.stop();
    update();
}

void SpinningLogo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPointF centre(width() / 2.0, height() / 2.0);
    painter.translate(centre);
    painter.rotate(360.0 * m_frame / m_framesPerTurn);
    painter.translate(-centre);
    if (m_svg) {
        painter.setRenderHint(QPainter::Antialiasing);
        m_svg->render(&painter, QRectF(rect()));
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QPointF(0, 0), m_emblem);
    }
}

} // namespace kx
