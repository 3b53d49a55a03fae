#include "PlayerPrompts.h"
#include "PlayerWindow.h"
#include "devices/SoundPlayer.h"
#include "media/DecodingWavReader.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonedeck"));
    QApplication::setDesktopFileName(QStringLiteral("padplay"));

    kx::SoundPlayer::instance().setReader(kx::readWavDecoding);
    kx::padplay::PlayerPrompts prompts;
    kx::padplay::PlayerWindow window(kx::SoundPlayer::instance(), prompts);
    window.show();
    const QString board = kx::padplay::boardFromArguments(QApplication::arguments());
    if (!board.isEmpty())
        window.openBoard(board);
    return app.exec();
}
