#include "SetupDialog.h"

#include "EmbeddedModule.h"
#include "ModuleInstaller.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

// The pictures are linked in with the program's static library.
static void initSetupArt()
{
    Q_INIT_RESOURCE(extsetup);
}

namespace kx {

namespace {

    /// The suite's picture strip, drawn from its SVG at the strip's height.
    QLabel* pictureStrip(int height)
    {
        initSetupArt();
        QSvgRenderer renderer(QStringLiteral(":/extsetup/strip.svg"));
        const QSize size(64, height);
        QPixmap picture(size);
        QPainter painter(&picture);
        renderer.render(&painter, QStringLiteral("sky"), QRectF(QPointF(), size));
        renderer.render(&painter, QStringLiteral("top"), renderer.boundsOnElement(QStringLiteral("top")));
        painter.end();
        auto* label = new QLabel;
        label->setPixmap(picture);
        return label;
    }

    QLabel* text(const QString& content)
    {
        auto* label = new QLabel(content);
        label->setWordWrap(true);
        return label;
    }

} // namespace

SetupDialog::SetupDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kestrix98 Extension Setup"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 8, 8);
    outer->addWidget(pictureStrip(220));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(frame, 1);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(text(QStringLiteral("This extension is now ready to be installed.\nIf you want to reinstall the "
                                          "extension again later - be sure to save this execution file.")));
    column->addWidget(text(QStringLiteral("\n    Please exit Kestrix98 before you install this\n    extension. \n")));
    column->addWidget(text(QStringLiteral("Click on Install to install and setup the Kestrix Extension. Select Exit if "
                                          "you do not want to install it now.")));
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* installButton = new QPushButton(QStringLiteral("Install"), this);
    installButton->setObjectName(QStringLiteral("install"));
    installButton->setDefault(true);
    auto* exitButton = new QPushButton(QStringLiteral("Exit"), this);
    exitButton->setObjectName(QStringLiteral("exit"));
    buttons->addWidget(installButton);
    buttons->addWidget(exitButton);
    column->addLayout(buttons);
    connect(installButton, &QPushButton::clicked, this, &SetupDialog::install);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    resize(480, 240);
}

void SetupDialog::install()
{
    const QString failure = installModule(embeddedModule());
    if (!failure.isEmpty()) {
        // The dialog stays, so the user can close the editor and try again.
        QMessageBox::critical(
            this, QStringLiteral("Warning..."), QStringLiteral("The extension was not installed.\n%1").arg(failure));
        return;
    }
    QMessageBox::information(this, QStringLiteral("Finished"),
        QStringLiteral("The extension is now installed.\nYou can restart Kestrix98 now."));
    accept();
}

} // namespace kx
