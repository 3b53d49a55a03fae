#include "StartUp.h"

#include <QFileInfo>

#include <unistd.h>

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

QString instanceName()
{
    return QStringLiteral("Kestrix2000-%1").arg(::getuid());
}

} // namespace kx
