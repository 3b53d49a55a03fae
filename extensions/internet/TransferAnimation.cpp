#include "TransferAnimation.h"

#include "PictureStrip.h"

#include <QPainter>

namespace kx {

namespace {
    constexpr int kFrames = 24;
    constexpr int kPackets = 3;
} // namespace

TransferAnimation::TransferAnimation(QWidget* parent)
    : QWidget(parent)
    , m_globe((useInternetArt(), QStringLiteral(":/internet/INTERNET.svg")))
{
    setFixedSize(sizeHint());
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrames;
        update();
    });
    m_timer.start(60);
}

void TransferAnimation::stop()
{
    m_timer.stop();
}

void TransferAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = height() - 8;
    const QRectF globe(4, 4, side, side);
    m_globe.render(&painter, globe);

    // The computer: a screen on a foot.
    const QRectF screen(width() - side - 4, 6, side, side * 0.7);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.setBrush(QColor(0xd8, 0xd4, 0xc8));
    painter.drawRoundedRect(screen, 3, 3);
    painter.setBrush(QColor(0x1d, 0x4f, 0x8f));
    painter.drawRect(screen.adjusted(4, 4, -4, -4));
    painter.setBrush(QColor(0xd8, 0xd4, 0xc8));
    painter.drawRect(QRectF(screen.center().x() - 6, screen.bottom() + 2, 12, 4));

    // Packets on an arc from the globe to the screen, spaced evenly along it.
    const QPointF from(globe.right(), globe.center().y());
    const QPointF to(screen.left(), screen.center().y());
    painter.setPen(Qt::NoPen);
    for (int packet = 0; packet < kPackets; ++packet) {
        const double t = std::fmod(double(m_frame) / kFrames + double(packet) / kPackets, 1.0);
        const QPointF point(from.x() + (to.x() - from.x()) * t, from.y() - 14 * 4 * t * (1 - t));
        painter.setBrush(QColor::fromHsv(40, 200, 255, int(255 * (1 - std::abs(2 * t - 1) * 0.6))));
        painter.drawRoundedRect(QRectF(point.x() - 4, point.y() - 3, 8, 6), 2, 2);
    }
}

} // namespace kx
