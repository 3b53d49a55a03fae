#include "SessionRestart.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace kx::padplay {

SessionRestart::SessionRestart(QObject* parent)
    : QObject(parent)
{
    connect(qGuiApp, &QGuiApplication::saveStateRequest, this, [this](QSessionManager& m) { answer(m); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& m) { answer(m); });
}

QStringList SessionRestart::restartCommand() const
{
    if (!m_armed)
        return {};
    QStringList command { QCoreApplication::applicationFilePath() };
    if (!m_board.isEmpty())
        command << m_board;
    return command;
}

void SessionRestart::answer(QSessionManager& manager) const
{
    if (!m_armed) {
        manager.setRestartHint(QSessionManager::RestartNever);
        return;
    }
    manager.setRestartHint(QSessionManager::RestartIfRunning);
    manager.setRestartCommand(restartCommand());
}

} // namespace kx::padplay
