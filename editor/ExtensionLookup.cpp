#include "ExtensionLookup.h"

#include "paneldraw/UserDirectories.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kx {

QString decodedKeyName(const std::string& keyName)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray::fromStdString(keyName)));
}

QString extensionLibraryPath(const std::string& keyName)
{
    const QString name = decodedKeyName(keyName);
    // Only a regular file is handed to the loader: a pipe or a device named here would block it.
    if (name.contains(QLatin1Char('/')))
        return QFileInfo(name).isFile() ? name : QString();
    if (name.isEmpty())
        return name;
    // The user's own first, then beside the editor, then the modules installed with it.
    for (const QString& directory : { QString::fromStdString(userExtensionDirectory()),
             QCoreApplication::applicationDirPath(), installedExtensionDirectory() }) {
        const QString candidate = directory + QLatin1Char('/') + name;
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QString installedExtensionDirectory()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" KX_EXTENSIONS_RELATIVE_DIR);
}

std::string extensionKeyName(const QString& path)
{
    return path.toUtf8().toPercentEncoding().toStdString();
}

} // namespace kx
