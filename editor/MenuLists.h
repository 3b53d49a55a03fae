#pragma once

#include <QList>

#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kx {

/// Runs a command of the frame.
using CommandRunner = std::function<void(int id)>;

/// Fills a "Recent Files" menu with the recent-file list, entry n as command 3000 + n.
void fillRecentFiles(QMenu& menu, const CommandRunner& run);

/// Appends the open windows to the Window menu after its fixed items, the nth as command 799 + n
/// with the active one checked; `listed` holds the items of the previous filling, which go first.
void fillWindowList(QMenu& menu, QList<QAction*>& listed, const QMdiArea& area, const CommandRunner& run);

/// The window a window-list command stands for; null when there is none.
QMdiSubWindow* listedWindow(const QMdiArea& area, int id);

} // namespace kx
