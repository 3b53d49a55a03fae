#pragma once

#include "wavekit/wavekit.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace kx {

class HelpWindow;

/// Shows and hides the frame's help window: made when it is turned on, destroyed when turned off,
/// the state kept in "Kestrix\Settings\Boolean\HelpWinActive". Runs the help commands.
class HelpWindowSwitch : public QObject {
    Q_OBJECT
public:
    /// The help window will be a child of `parent` (the frame's client area).
    HelpWindowSwitch(QWidget* parent, QObject* owner);

    bool isShown() const { return !m_window.isNull(); }
    HelpWindow* window() const { return m_window; }
    /// The help window's handle, null while it is hidden.
    HWND handle() const;

    void setShown(bool shown);
    /// Shows the help window if it is hidden, then its page `topic`.
    bool showTopic(const QString& topic);
    /// Runs the help commands (Help Window, Contents, Use Help, Use Menus); false for others.
    bool runCommand(int id);
    static bool handles(int id);
    /// Makes `action` a check item that follows whether the help window is shown.
    void bindCheck(QAction* action);

signals:
    void shownChanged(bool shown);

private:
    QWidget* m_parent;
    QPointer<HelpWindow> m_window;
};

} // namespace kx
