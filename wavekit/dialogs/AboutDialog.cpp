#include "AboutDialog.h"

#include "DialogButtons.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kx {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Kestrix2000"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<b>Kestrix2000</b>"), this);
    name->setObjectName(QStringLiteral("name"));
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("The sound editor for PCM WAV files."), this));
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] { done(1); });
}

} // namespace kx
