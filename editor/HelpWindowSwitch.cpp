#include "HelpWindowSwitch.h"

#include "CommandIds.h"
#include "HelpWindow.h"

#include "paneldraw/settings.h"

#include <QAction>

namespace kx {

HelpWindowSwitch::HelpWindowSwitch(QWidget* parent, QObject* owner)
    : QObject(owner)
    , m_parent(parent)
{
}

HWND HelpWindowSwitch::handle() const
{
    return m_window ? m_window->handle() : nullptr;
}

void HelpWindowSwitch::setShown(bool shown)
{
    // Help topics are shown only while the setting says the window is there.
    RegWriteString("Kestrix\\Settings\\Boolean\\HelpWinActive", shown ? "1" : "0");
    if (shown == isShown())
        return;
    if (!shown) {
        delete m_window.data();
        emit shownChanged(false);
        return;
    }
    m_window = new HelpWindow(m_parent);
    // Placed before it shows: a page laid out in a pane of no height would open scrolled.
    emit shownChanged(true);
    m_window->show();
}

bool HelpWindowSwitch::showTopic(const QString& topic)
{
    setShown(true);
    return m_window->showTopic(topic);
}

bool HelpWindowSwitch::handles(int id)
{
    return id == CmdHelpWindow || id == CmdHelpContents || id == CmdUseHelp || id == CmdUseMenus;
}

bool HelpWindowSwitch::runCommand(int id)
{
    switch (id) {
    case CmdHelpWindow:
    case CmdHelpContents:
        setShown(!isShown());
        return true;
    case CmdUseHelp:
        showTopic(QStringLiteral("usehelp.htm"));
        return true;
    case CmdUseMenus:
        showTopic(QStringLiteral("menus.htm"));
        return true;
    }
    return false;
}

void HelpWindowSwitch::bindCheck(QAction* action)
{
    action->setCheckable(true);
    action->setChecked(isShown());
    connect(this, &HelpWindowSwitch::shownChanged, action, &QAction::setChecked);
}

} // namespace kx
