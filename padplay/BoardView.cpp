#include "BoardView.h"

#include "FileDrops.h"
#include "PageTabs.h"
#include "PaintColors.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

namespace kx::padplay {

BoardView::BoardView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setAcceptDrops(true);
}

void BoardView::showTabs(const QStringList& names, int current)
{
    m_names = names;
    m_current = current;
    repaint(0, 31, kWidth, 30);
}

QRect BoardView::buttonRect(int button)
{
    const int column = (button - 1) / 11;
    const int row = (button - 1) % 11;
    return QRect(9 + 148 * column, 62 + 29 * row, 144, 27);
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const PaintColors colors(palette());
    const int bottom = kHeight - kStatusHeight;
    FilledBox(&painter, 4, 58, kWidth - 4, bottom, colors.face);
    LineEx(&painter, 4, 58, kWidth - 4, 58, colors.highlight);
    LineEx(&painter, 4, 58, 4, bottom, colors.highlight);
    LineEx(&painter, kWidth - 5, 58, kWidth - 5, bottom, colors.shadow);
    LineEx(&painter, 4, bottom - 1, kWidth - 4, bottom - 1, colors.shadow);
    paintPageTabs(painter, palette(), m_names, m_current);
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    const int page = pageTabAt(event->position().toPoint());
    if (page >= 0)
        emit tabPressed(page, event->button(), event->globalPosition().toPoint());
}

void BoardView::dragEnterEvent(QDragEnterEvent* event)
{
    acceptFileDrag(event);
}

void BoardView::dropEvent(QDropEvent* event)
{
    if (const QList<QByteArray> files = takeFileDrop(event); !files.isEmpty())
        emit filesDropped(files);
}

} // namespace kx::padplay
