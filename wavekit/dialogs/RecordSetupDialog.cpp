#include "RecordSetupDialog.h"

#include "DialogButtons.h"
#include "DialogPlacement.h"
#include "devices/RecordingTexts.h"
#include "exports/InterfaceThread.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

namespace {

    QProgressBar* levelBar(const char* name)
    {
        auto* bar = new QProgressBar;
        bar->setObjectName(QLatin1String(name));
        bar->setRange(0, 127);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }

} // namespace

RecordSetupDialog::RecordSetupDialog(QWidget* owner, const InputFactory& inputs, int32_t inputId,
    const PcmFormat& documentFormat, std::function<void()> startMixer, const QString& cdPosition)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Before Recording"));
    auto* layout = new QVBoxLayout(this);
    auto* format = new QLabel(QString::fromStdString(recordingtexts::setupFormat(documentFormat)));
    format->setObjectName(QStringLiteral("control102"));
    layout->addWidget(format);
    if (!cdPosition.isEmpty()) {
        auto* position = new QLabel(cdPosition);
        position->setObjectName(QStringLiteral("control103"));
        layout->addWidget(position);
    }

    auto* meter = new QGridLayout;
    m_left = levelBar("control201");
    m_right = levelBar("control202");
    meter->addWidget(new QLabel(QStringLiteral("Left")), 0, 0);
    meter->addWidget(m_left, 0, 1);
    meter->addWidget(new QLabel(QStringLiteral("Right")), 1, 0);
    meter->addWidget(m_right, 1, 1);
    layout->addLayout(meter);

    m_warning = new QLabel;
    m_warning->setObjectName(QStringLiteral("control301"));
    m_warning->setMinimumHeight(m_warning->fontMetrics().height() * 2);
    layout->addWidget(m_warning);

    DialogButtons buttons(this, layout);
    connect(
        buttons.add(QStringLiteral("&Start Recording..."), "button1"), &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.add(QStringLiteral("&Cancel"), "button2"), &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.add(QStringLiteral("Windows &Mixer..."), "button101"), &QPushButton::clicked, this,
        [startMixer = std::move(startMixer)] { startMixer(); });

    resize(sizeHint().expandedTo(QSize(320, 0)));
    placeAboveCentre(*this, owner, 30);

    // Without an input the meter stays at rest; recording reports its own failure.
    m_input = inputs(inputId);
    if (m_input && m_input->open(kMeterFormat).ok()) {
        // The capture thread only posts; the levels are shown on the interface thread.
        m_input->start([this](std::span<const uint8_t> block) {
            const InputLevel level = inputLevel(block);
            postToThreadOf(this, [this, level] { showLevel(level); });
        });
    }
}

RecordSetupDialog::~RecordSetupDialog()
{
    // Stopped before the QObject goes, so no level is posted to a destroyed dialog.
    m_input.reset();
}

void RecordSetupDialog::done(int result)
{
    if (m_input)
        m_input->close();
    QDialog::done(result);
}

void RecordSetupDialog::showLevel(InputLevel level)
{
    m_left->setValue(level.left);
    m_right->setValue(level.right);
    if (level.peak)
        m_warning->setText(QString::fromLatin1(kPeakWarning).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

} // namespace kx
