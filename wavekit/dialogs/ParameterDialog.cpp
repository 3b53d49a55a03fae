#include "ParameterDialog.h"

#include "DialogPlacement.h"
#include "ModalDialogs.h"
#include "exports/WindowRegistry.h"

#include "paneldraw/settings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <string>

namespace kx {

ParameterDialog::ParameterDialog(HWND frame, const QString& title, const QString& closeText)
    : QDialog(WindowRegistry::window(frame))
    , m_frame(frame)
    , m_owner(WindowRegistry::window(frame))
    , m_form(new QFormLayout)
    , m_buttons(new QDialogButtonBox(this))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    QDialogButtonBox* buttons = m_buttons;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(closeText, QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    close->setObjectName(QStringLiteral("button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QSpinBox* ParameterDialog::addNumber(int id, const QString& label, int minimum, int maximum, int value)
{
    auto* field = new QSpinBox(this);
    field->setObjectName(QStringLiteral("field%1").arg(id));
    field->setRange(minimum, maximum);
    field->setValue(value);
    m_form->addRow(label, field);
    return field;
}

QSlider* ParameterDialog::addTrackBar(
    int id, const QString& low, const QString& high, int minimum, int maximum, int value)
{
    auto* row = new QHBoxLayout;
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setObjectName(QStringLiteral("trackbar%1").arg(id));
    bar->setRange(minimum, maximum);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setValue(value);
    row->addWidget(new QLabel(low, this));
    row->addWidget(bar);
    row->addWidget(new QLabel(high, this));
    m_form->addRow(row);
    return bar;
}

void ParameterDialog::addHelpButton(const char* topic)
{
    QPushButton* help = m_buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("button9"));
    connect(help, &QPushButton::clicked, this, [this, topic] { ShowHelpTopic(m_frame, topic); });
}

bool ParameterDialog::run(std::optional<int> raise)
{
    if (raise)
        placeAboveCentre(*this, m_owner, *raise);
    return ModalDialogs::run(*this) == QDialog::Accepted;
}

void writeNumber(const char* path, int value)
{
    RegWriteString(path, std::to_string(value).c_str());
}

} // namespace kx
