#include "MixerLauncher.h"

#include "paneldraw/settings.h"

#include <QProcess>
#include <QStandardPaths>

namespace kx {

void startMixer(HWND owner)
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
    QStringList arguments;
    if (program.isEmpty()) {
        arguments = QProcess::splitCommand(QString::fromUtf8(RegGetString(kMixerCommandSetting, "")));
        if (!arguments.isEmpty())
            program = arguments.takeFirst();
    }
    if (program.isEmpty()) {
        const std::string text = std::string("No mixer program found: install pavucontrol, or name one in the "
                                             "setting ")
            + kMixerCommandSetting + ".";
        ErrorBox(owner, text.c_str());
        return;
    }
    if (!QProcess::startDetached(program, arguments)) {
        const std::string text = "Cannot start the mixer program " + program.toStdString() + ".";
        ErrorBox(owner, text.c_str());
    }
}

} // namespace kx
