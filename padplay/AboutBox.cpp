#include "AboutBox.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace kx::padplay {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About Tonedeck"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/padplay/padplay.svg")).pixmap(32, 32));
    auto* name = new QLabel(tr("<b>Tonedeck</b><br>2000 Release"), this);
    auto* maker = new QLabel(tr("QuellWerk\nthe sound board of Kestrix2000"), this);
    auto* strip = new QLabel(this);
    strip->setPixmap(QIcon(QStringLiteral(":/padplay/about-strip.svg")).pixmap(240, 40));
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(maker, 1, 1);
    grid->addWidget(strip, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(ok, 3, 0, 1, 2, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

} // namespace kx::padplay
