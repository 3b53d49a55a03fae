#include "BitmapBar.h"

#include <QMouseEvent>
#include <QPainter>

namespace kx {

BitmapBar::BitmapBar(QWidget* parent, const QString& name, const QString& title)
    : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(title);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setFixedSize(kWidth, kHeight);
}

const QImage& BitmapBar::bitmap(const QString& name)
{
    auto it = m_bitmaps.find(name);
    if (it == m_bitmaps.end())
        it = m_bitmaps.emplace(name, QImage(QStringLiteral(":/wavedesk/%1.png").arg(name))).first;
    return it->second;
}

void BitmapBar::drawDigits(QPainter& painter, int x, int y, const std::string& text)
{
    for (const char c : text) {
        const bool narrow = c == '.' || c == ':';
        painter.drawImage(x, y,
            bitmap(c == '.'    ? QStringLiteral("DIGP")
                    : c == ':' ? QStringLiteral("DIGD")
                               : QStringLiteral("DIG%1").arg(QLatin1Char(c))));
        x += narrow ? 6 : 16;
    }
}

void BitmapBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    if (point.y() <= 15 && point.x() < 290) {
        m_dragging = true;
        m_dragFrom = event->globalPosition().toPoint() - pos();
        return;
    }
    click(point, true);
}

void BitmapBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragFrom);
}

void BitmapBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    click(event->position().toPoint(), false);
}

} // namespace kx
