#include "PreviewSwitch.h"

#include <QMouseEvent>
#include <QPainter>

namespace kx {

namespace {

/// The boundary between the two halves of the strip.
constexpr int kThreadManagerTop = 56;

/// A small triangle pointing at the part that is shown: up for the preview, down for the threads.
void drawIndicator(QPainter& painter, int width, bool threadsShown)
{
    const int x = width / 2;
    const int y = threadsShown ? kThreadManagerTop + 12 : 20;
    const QPoint tip = threadsShown ? QPoint(x, y + 6) : QPoint(x, y - 6);
    const QPoint base1(x - 5, threadsShown ? y - 2 : y + 2);
    const QPoint base2(x + 5, threadsShown ? y - 2 : y + 2);
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(QPolygon({tip, base1, base2}));
}

} // namespace

PreviewSwitch::PreviewSwitch(QWidget* parent)
    : QWidget(parent)
{
    setToolTip(QStringLiteral("Preview / Thread Manager"));
}

void PreviewSwitch::setThreadManagerShown(bool shown)
{
    m_threadManagerShown = shown;
    update();
}

void PreviewSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().light().color());
    painter.drawLine(0, 1, width() - 1, 1);
    painter.setPen(palette().dark().color());
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.setPen(palette().buttonText().color());
    drawIndicator(painter, width(), m_threadManagerShown);
}

void PreviewSwitch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool threads = event->position().y() >= kThreadManagerTop;
    setThreadManagerShown(threads);
    emit threadManagerRequested(threads);
}

} // namespace kx
