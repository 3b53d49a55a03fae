#include "MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace kx {

void arrangeMinimizedWindows(QMdiArea& area)
{
    const QRect domain = area.viewport()->rect();
    int x = domain.left();
    int rowBottom = domain.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized() || !window->isVisible())
            continue;
        const QSize size = window->size();
        if (x > domain.left() && x + size.width() > domain.right() + 1) {
            rowBottom -= rowHeight;
            x = domain.left();
            rowHeight = 0;
        }
        window->move(x, rowBottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void keepInside(QMdiArea& area, QMdiSubWindow& window)
{
    const QRect domain = area.viewport()->rect();
    const QRect frame = window.geometry();
    const int x = std::max(domain.left(), std::min(frame.x(), domain.right() + 1 - frame.width()));
    const int y = std::max(domain.top(), std::min(frame.y(), domain.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft())
        window.move(x, y);
}

} // namespace kx
