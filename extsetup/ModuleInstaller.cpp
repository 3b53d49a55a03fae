#include "ModuleInstaller.h"

#include "paneldraw/UserDirectories.h"
#include "paneldraw/settings.h"

#include <QDir>
#include <QSaveFile>

namespace kx {

QString installModule(const QByteArray& module)
{
    const QString directory = QString::fromStdString(userExtensionDirectory());
    if (!QDir().mkpath(directory))
        return QStringLiteral("The directory %1 could not be created.").arg(directory);
    QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSaveFile file(directory + QLatin1Char('/') + QLatin1String(kInstalledModuleName));
    if (!file.open(QIODevice::WriteOnly) || file.write(module) != module.size() || !file.commit())
        return QStringLiteral("%1 could not be written: %2.").arg(file.fileName(), file.errorString());
    // A bare name: the editor finds it in the user's extension directory wherever it starts.
    if (!RegWriteString((std::string("Kestrix\\Extensions\\") + kInstalledModuleName).c_str(), ""))
        return QStringLiteral("The extension could not be registered with Kestrix2000.");
    return {};
}

} // namespace kx
