#include "OutputDeviceDialog.h"

#include "dialogs/DialogPlacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace kx {

OutputDeviceDialog::OutputDeviceDialog(QWidget* owner, const std::vector<std::string>& choices, int32_t deviceId)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Select Output Device"));
    m_choices = new QComboBox(this);
    m_choices->setObjectName(QStringLiteral("combo101"));
    for (const std::string& name : choices)
        m_choices->addItem(QString::fromStdString(name));
    // A stored id of a device that has gone away selects the default device.
    const int index = deviceId + 1;
    m_choices->setCurrentIndex(index >= 0 && index < m_choices->count() ? index : 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choices);
    layout->addWidget(buttons);
    placeAboveCentre(*this, owner, 30);
}

int32_t OutputDeviceDialog::selectedId() const
{
    return m_choices->currentIndex() - 1;
}

} // namespace kx
