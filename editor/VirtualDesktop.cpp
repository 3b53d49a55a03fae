#include "VirtualDesktop.h"

#include "CommandIds.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>

namespace kx {

VirtualDesktop::VirtualDesktop(QMdiArea* area)
    : QObject(area)
    , m_area(area)
{
    area->viewport()->installEventFilter(this);
    paintBackground();
}

void VirtualDesktop::paintBackground()
{
    QWidget* viewport = m_area->viewport();
    if (viewport->width() <= 0 || viewport->height() <= 0)
        return;
    const qreal ratio = viewport->devicePixelRatioF();
    QPixmap picture(viewport->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(m_area->palette().color(QPalette::Dark));
    QPainter painter(&picture);
    QSvgRenderer(QStringLiteral(":/wavedesk/DESKTOP.svg")).render(&painter, QRectF(QPointF(), viewport->size()));
    painter.end();
    m_area->setBackground(picture);
}

bool VirtualDesktop::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport still has events while the area is taken down around it: look at the area only
    // for the two events that come while it is whole.
    if (event->type() != QEvent::Resize && event->type() != QEvent::ContextMenu)
        return false;
    QWidget* viewport = m_area->viewport();
    if (watched != viewport)
        return false;
    if (event->type() == QEvent::Resize)
        paintBackground();
    if (event->type() == QEvent::ContextMenu) {
        auto* request = static_cast<QContextMenuEvent*>(event);
        // Only the bare desktop: a window's own menu may have been declined and passed on.
        if (viewport->childAt(request->pos()))
            return false;
        QMenu menu;
        QAction* options = menu.addAction(QStringLiteral("&Options..."));
        if (menu.exec(request->globalPos()) == options)
            emit commandRequested(CmdOptions);
        return true;
    }
    return false;
}

} // namespace kx
