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
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return name;
    for (const QString& directory :
        { QString::fromStdString(userExtensionDirectory()), QCoreApplication::applicationDirPath() }) {
        const QString candidate = directory + QLatin1Char('/') + name;
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

std::string extensionKeyName(const QString& path)
{
    return path.toUtf8().toPercentEncoding().toStdString();
}

} // namespace kx
