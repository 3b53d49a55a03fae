#include "ToolActions.h"

#include "CommandIds.h"

#include <QAction>

#include <algorithm>

namespace kx {

namespace {

    constexpr const char* kUnavailable = "kxUnavailable";

    // The commands that act on the active document and do nothing without one.
    constexpr int kDocumentCommands[] = { CmdSave, CmdHeaderSettings, CmdCut, CmdCopy, CmdPaste, CmdMix, CmdCrop,
        CmdDelete, CmdUndo, CmdRevert, CmdPlay, CmdPause, CmdStop, CmdRecord, CmdVolume, CmdFadeIn, CmdFadeOut,
        CmdVelocity, CmdSilence, CmdReverse, CmdSoften, CmdFadeLeftToRight, CmdDrawtoneVolume, CmdMaxVolume,
        CmdFadeRightToLeft, CmdDrawtoneFadeChannels, CmdZeroize, CmdSeparateChannels };

} // namespace

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

void enableForDocument(const QList<QAction*>& actions, bool documentOpen)
{
    for (QAction* action : actions) {
        const int command = action->data().toInt();
        if (action->property(kUnavailable).toBool()
            || std::find(std::begin(kDocumentCommands), std::end(kDocumentCommands), command)
                == std::end(kDocumentCommands))
            continue;
        action->setEnabled(documentOpen);
        action->setToolTip(
            documentOpen ? action->text() : QStringLiteral("%1 - open a file first").arg(action->text()));
    }
}

void makeUnavailable(QAction& action, const QString& reason)
{
    action.setProperty(kUnavailable, true);
    action.setEnabled(false);
    action.setToolTip(QStringLiteral("%1 - %2").arg(action.text(), reason));
}

} // namespace kx
