#include "CompletionSignal.h"

#include "devices/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace kx {

namespace {

/// The player reads files: the sound is copied out of the program's resources once.
QString signalFile()
{
    static const QString path = [] {
        const QString directory = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        QDir().mkpath(directory);
        const QString file = directory + QStringLiteral("/signal.wav");
        QFile resource(QStringLiteral(":/wavedesk/signal.wav"));
        QFile out(file);
        if (resource.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(resource.readAll());
        return file;
    }();
    return path;
}

} // namespace

void playCompletionSignal()
{
    playSoundFile(signalFile().toStdString(), false);
}

} // namespace kx
