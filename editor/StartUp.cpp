#include "StartUp.h"

#include "documents/PrivateDirectory.h"

#include <QDir>
#include <QFileInfo>

namespace kx {

StartRequest parseCommandLine(const QString& commandLine)
{
    StartRequest request;
    if (commandLine.isEmpty())
        return request;
    // Absolute paths begin with a slash here too: only "/CD..." that names no file is a CD track.
    if (commandLine.startsWith(QLatin1String("/CD")) && !QFileInfo::exists(commandLine)) {
        if (commandLine.size() >= 13)
            request.cdTrack = commandLine.mid(11, 2).toInt();
        return request;
    }
    request.file = commandLine;
    return request;
}

QString commandLineToHandOver(const QString& commandLine)
{
    const StartRequest request = parseCommandLine(commandLine);
    if (request.file.isEmpty() || QDir::isAbsolutePath(request.file))
        return commandLine;
    return QDir::current().absoluteFilePath(request.file);
}

QString instanceName()
{
    return QString::fromStdString(privateFilePath("Kestrix2000.socket"));
}

} // namespace kx
