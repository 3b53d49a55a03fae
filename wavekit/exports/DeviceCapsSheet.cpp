#include "DeviceCapsSheet.h"

#include "PlaybackBackend.h"
#include "devices/FormatSummary.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kx {

DeviceCapsSheet::DeviceCapsSheet(QWidget* owner, int32_t outputDevice, int32_t inputDevice)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Device Driver"));
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    auto* pageLayout = new QVBoxLayout(page);
    const char* groups[] = { "Playback", "Record" };
    const char* labels[] = { "Product:", "Driver version:", "Supports:" };
    for (int group = 0; group < 2; ++group) {
        auto* box = new QGroupBox(QString::fromLatin1(groups[group]), page);
        auto* form = new QFormLayout(box);
        for (int field = 0; field < 3; ++field) {
            auto* value = new QLabel(box);
            // Named after the dialog fields 101..103 (playback) and 201..203 (record).
            value->setObjectName(QStringLiteral("field%1").arg((group + 1) * 100 + field + 1));
            form->addRow(QString::fromLatin1(labels[field]), value);
            m_fields[group][field] = value;
        }
        pageLayout->addWidget(box);
    }
    pageLayout->addWidget(new QLabel(QStringLiteral("Displays information about your sound driver."), page));
    tabs->addTab(page, QStringLiteral("Capabilities"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    fill(outputDevice, inputDevice);
}

void DeviceCapsSheet::fill(int32_t outputDevice, int32_t inputDevice)
{
    const PlaybackBackend backend = PlaybackBackend::current();
    const DeviceCapabilities devices[] = { backend.capabilities(outputDevice, DeviceDirection::Output),
        backend.capabilities(inputDevice, DeviceDirection::Input) };
    for (int group = 0; group < 2; ++group) {
        const DeviceCapabilities& caps = devices[group];
        m_fields[group][0]->setText(QString::fromStdString(caps.productName));
        m_fields[group][1]->setText(QString::fromStdString(driverVersionText(caps.driverVersion)));
        m_fields[group][2]->setText(QString::fromStdString(formatSummaryText(caps.formats)));
    }
}

} // namespace kx
