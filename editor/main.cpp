#include "CommandIds.h"
#include "FrameWindow.h"
#include "RecoveryKeeper.h"
#include "SingleInstance.h"
#include "SplashScreen.h"
#include "StartUp.h"
#include "devices/SoundPlayer.h"
#include "media/DecodingWavReader.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrix2000"));
    // The previews play coded WAV files (u-law, a-law, float) as File Open reads them.
    kx::SoundPlayer::instance().setReader(kx::readWavDecoding);
    const QString commandLine = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    kx::SingleInstance instance(kx::instanceName());
    if (instance.handOverOrListen(kx::commandLineToHandOver(commandLine)))
        return 0;

    kx::FrameWindow frame;
    QObject::connect(&instance, &kx::SingleInstance::commandLineReceived, &frame, [&frame](const QString& line) {
        frame.raise();
        frame.activateWindow();
        const kx::StartRequest request = kx::parseCommandLine(line);
        if (!request.file.isEmpty())
            frame.openPath(request.file);
        else if (request.cdTrack >= 0)
            frame.runCommand(kx::CmdCdTrack, request.cdTrack);
    });
    frame.showWithSavedPlacement();
    frame.recovery().offerRestore(&frame);
    new kx::SplashScreen(&frame, [&frame](int id) { frame.runCommand(id); });
    const kx::StartRequest request = kx::parseCommandLine(commandLine);
    if (!request.file.isEmpty())
        frame.openPath(request.file);
    else if (request.cdTrack >= 0)
        frame.runCommand(kx::CmdCdTrack, request.cdTrack);
    return app.exec();
}
