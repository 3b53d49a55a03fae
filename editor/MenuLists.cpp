#include "MenuLists.h"

#include "CommandIds.h"
#include "RecentFiles.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace kx {

void fillRecentFiles(QMenu& menu, const CommandRunner& run)
{
    menu.clear();
    int id = CmdRecentFirst;
    for (const std::string& entry : RecentFiles::entries()) {
        const int command = id++;
        if (entry.empty())
            continue;
        QObject::connect(menu.addAction(QString::fromStdString(entry)), &QAction::triggered, &menu,
            [run, command] { run(command); });
    }
}

void fillWindowList(QMenu& menu, QList<QAction*>& listed, const QMdiArea& area, const CommandRunner& run)
{
    qDeleteAll(listed);
    listed.clear();
    const QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    listed.append(menu.addSeparator());
    for (int i = 0; i < windows.size() && CmdWindowFirst + i <= CmdWindowLast; ++i) {
        QString title = windows[i]->windowTitle();
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        action->setData(CmdWindowFirst + i);
        action->setCheckable(true);
        action->setChecked(windows[i] == area.activeSubWindow());
        QObject::connect(action, &QAction::triggered, &menu, [run, id = CmdWindowFirst + i] { run(id); });
        listed.append(action);
    }
}

QMdiSubWindow* listedWindow(const QMdiArea& area, int id)
{
    if (id < CmdWindowFirst || id > CmdWindowLast)
        return nullptr;
    const QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::CreationOrder);
    const int index = id - CmdWindowFirst;
    return index < windows.size() ? windows[index] : nullptr;
}

} // namespace kx
