#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QAction;
class QObject;

namespace kx {

/// One entry of a tool bar: the command it sends (0 for a separator), the name of its picture,
/// its tool-tip, and whether it keeps a pressed state that shows what it switches.
struct ToolEntry {
    int command = 0;
    const char* picture = nullptr;
    const char* toolTip = nullptr;
    bool check = false;
};

/// The tool bars' picture `name`: 17 pixels, and twice that for high-density screens.
QIcon toolIcon(const QString& name);

/// The action of one tool-bar entry; the command number is its data.
QAction* makeToolAction(const ToolEntry& entry, QObject* parent);

/// Hands the entry's command to `send` when it is triggered and to `hint` when the mouse is over it.
/// A check entry keeps showing the state its command sets, not the click.
void connectToolAction(
    QAction& action, QObject& context, const std::function<void(int)>& send, const std::function<void(int)>& hint);

/// Enables the entries that work on a document while one is open; without one they are disabled
/// and say so. Entries made unavailable stay so.
void enableForDocument(const QList<QAction*>& actions, bool documentOpen);

/// Disables `action` and says why in its tool-tip, which a disabled button still shows.
void makeUnavailable(QAction& action, const QString& reason);

} // namespace kx
