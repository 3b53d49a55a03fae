#include "CurveGraph.h"

#include "paneldraw/drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace kx {

namespace {

    /// The graph's origin inside the widget: one pixel of frame.
    constexpr int kInset = 1;
    constexpr int kPinRadius = 4;
    constexpr ColorRef kGrey = 0x808080;

} // namespace

CurveGraph::CurveGraph(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("curveGraph"));
    setFixedSize(curve::kWidth + 2 * kInset, curve::kHeight + 2 * kInset);
    setCursor(Qt::CrossCursor);
}

void CurveGraph::setPins(std::vector<CurvePin> pins)
{
    m_pins = std::move(pins);
    m_dragged = -1;
    update();
}

QPoint CurveGraph::graphPoint(const QPoint& position) const
{
    return position - QPoint(kInset, kInset);
}

void CurveGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Down3Drectangle(&painter, 0, 0, width() - 1, height() - 1);
    painter.translate(kInset, kInset);
    painter.setClipRect(0, 0, curve::kWidth, curve::kHeight);
    painter.fillRect(0, 0, curve::kWidth, curve::kHeight, Qt::white);
    LineEx(&painter, 0, 100, curve::kWidth, 100, kGrey);
    painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    painter.drawLine(0, 50, curve::kWidth, 50);
    painter.drawLine(0, 150, curve::kWidth, 150);

    painter.setRenderHint(QPainter::Antialiasing);
    QPolygon line;
    for (const CurvePin& pin : m_pins)
        line << QPoint(pin.x, pin.y);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPolyline(line);
    painter.setBrush(QColor(192, 192, 192));
    for (const CurvePin& pin : m_pins)
        painter.drawEllipse(QPoint(pin.x, pin.y), kPinRadius, kPinRadius);
    if (m_dragged >= 0) {
        // The marker: the dragged pin's level across the graph.
        const CurvePin& pin = m_pins[std::size_t(m_dragged)];
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DashLine));
        painter.drawLine(0, pin.y, curve::kWidth, pin.y);
        painter.drawLine(pin.x, 0, pin.x, curve::kHeight);
    }
}

void CurveGraph::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = graphPoint(event->position().toPoint());
    m_dragged = hitPin(m_pins, at.x(), at.y());
    if (m_dragged < 0)
        return;
    emit valueShown(pinPercent(m_pins[std::size_t(m_dragged)]));
    update();
}

void CurveGraph::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragged < 0)
        return;
    const QPoint at = graphPoint(event->position().toPoint());
    if (!dragPin(m_pins, m_dragged, at.x(), at.y()))
        return;
    emit valueShown(pinPercent(m_pins[std::size_t(m_dragged)]));
    update();
}

void CurveGraph::mouseReleaseEvent(QMouseEvent*)
{
    if (m_dragged < 0)
        return;
    m_dragged = -1;
    update();
}

} // namespace kx
