#include "ToolActions.h"

#include <QAction>

namespace kx {

QIcon toolIcon(const QString& name)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/wavedesk/tools/%1.png").arg(name), QSize(17, 17));
    icon.addFile(QStringLiteral(":/wavedesk/tools/%1@2x.png").arg(name), QSize(34, 34));
    return icon;
}

QAction* makeToolAction(const ToolEntry& entry, QObject* parent)
{
    auto* action = new QAction(parent);
    if (entry.command == 0) {
        action->setSeparator(true);
        return action;
    }
    action->setData(entry.command);
    action->setIcon(toolIcon(QLatin1String(entry.picture)));
    action->setText(QString::fromLatin1(entry.toolTip));
    action->setToolTip(QString::fromLatin1(entry.toolTip));
    action->setCheckable(entry.check);
    return action;
}

void connectToolAction(
    QAction& action, QObject& context, const std::function<void(int)>& send, const std::function<void(int)>& hint)
{
    const int command = action.data().toInt();
    QObject::connect(&action, &QAction::triggered, &context, [&action, command, send] {
        if (action.isCheckable()) {
            const QSignalBlocker blocker(action);
            action.setChecked(!action.isChecked());
        }
        send(command);
    });
    QObject::connect(&action, &QAction::hovered, &context, [command, hint] { hint(command); });
}

void makeUnavailable(QAction& action, const QString& reason)
{
    action.setEnabled(false);
    action.setToolTip(QStringLiteral("%1 - %2").arg(action.text(), reason));
}

} // namespace kx
