#include "ProgramLaunchers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kx {

void startTonedeck(HWND owner)
{
    const QString here = QCoreApplication::applicationDirPath();
    QString program = QStandardPaths::findExecutable(QStringLiteral("padplay"), { here, here + "/../padplay" });
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("padplay"));
    if (program.isEmpty()) {
        ErrorBox(owner, "Tonedeck (the program padplay) is not installed.");
        return;
    }
    if (!QProcess::startDetached(program, {}))
        ErrorBox(owner, "Tonedeck (the program padplay) could not be started.");
}

} // namespace kx
