#include "AboutDialog.h"

#include "DialogButtons.h"

#include "paneldraw/settings.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kx {

namespace {

    const char* const kLibraries = "Built with<br>"
                                   "Qt 6 &ndash; GNU LGPL 3.0<br>"
                                   "FFmpeg &ndash; GNU LGPL 2.1 or later<br>"
                                   "PortAudio &ndash; MIT licence<br>"
                                   "ALSA library &ndash; GNU LGPL 2.1 or later";

} // namespace

AboutDialog::AboutDialog(QWidget* parent, HWND frame)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Kestrix2000"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<b>Kestrix2000</b> version %1").arg(QStringLiteral(KX_VERSION)), this);
    name->setObjectName(QStringLiteral("name"));
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("The sound editor for PCM WAV files: mark, cut, paste, mix and "
                                                "filter on worker threads,\nplay, record, and preview files of "
                                                "any size."),
        this));
    auto* libraries = new QLabel(QString::fromLatin1(kLibraries), this);
    libraries->setObjectName(QStringLiteral("libraries"));
    layout->addWidget(libraries);
    layout->addWidget(new QLabel(QStringLiteral("Copyright \u00a9 2026 QuellWerk"), this));
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] { done(1); });
    QPushButton* copyright = buttons.add(QStringLiteral("Copyright and Trademarks"), "button102");
    // The page opens in the help window, which is there only while the user keeps it on.
    if (!RegGetBool("Kestrix\\Settings\\Boolean\\HelpWinActive", 0)) {
        copyright->setEnabled(false);
        copyright->setToolTip(QStringLiteral("Turn the help window on (Window - Help Window) to read this page."));
    }
    connect(copyright, &QPushButton::clicked, this, [frame] { ShowHelpTopic(frame, "copyright.htm"); });
}

} // namespace kx
