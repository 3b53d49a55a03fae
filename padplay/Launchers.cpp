#include "Launchers.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kx::padplay {

QString editorProgram()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
        { here + QStringLiteral("/wavedesk"), here + QStringLiteral("/../editor/wavedesk") }) {
        const QFileInfo file(candidate);
        if (file.isFile() && file.isExecutable())
            return file.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("wavedesk"));
}

bool startEditor(const QString& file)
{
    const QString program = editorProgram();
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, file.isEmpty() ? QStringList() : QStringList { file });
}

bool openFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace kx::padplay
