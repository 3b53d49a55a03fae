#include "RecordDialog.h"

#include "DialogPlacement.h"
#include "devices/RecordingTexts.h"
#include "documents/WavWriter.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kx {

namespace {

    QLabel* namedLabel(const QString& text, const char* name)
    {
        auto* label = new QLabel(text);
        label->setObjectName(QLatin1String(name));
        return label;
    }

} // namespace

RecordDialog::RecordDialog(QWidget* owner, InputFactory inputs, const PcmFormat& format, const QString& documentName,
    std::string path, const QString& cdPosition)
    : QDialog(owner)
    , m_recorder(std::move(inputs))
    , m_format(format)
    , m_path(std::move(path))
{
    setWindowTitle(QStringLiteral("Recording"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    // Our stand-in for the "RECORD" animation: a red light that blinks while recording runs.
    m_indicator = namedLabel(QString(), "control101");
    m_indicator->setFixedSize(16, 16);
    top->addWidget(m_indicator);
    top->addWidget(namedLabel(documentName, "control102"), 1);
    layout->addLayout(top);
    layout->addWidget(namedLabel(QString::fromStdString(recordingtexts::recordingFormat(format)), "control201"));
    if (!cdPosition.isEmpty())
        layout->addWidget(namedLabel(cdPosition, "control202"));

    auto* figures = new QFormLayout;
    m_clock = namedLabel(QString::fromStdString(recordingtexts::clock(0)), "control302");
    m_size = namedLabel(QString::fromStdString(recordingtexts::size(0, format.bytesPerSecond())), "control301");
    m_free = namedLabel(QString(), "control303");
    figures->addRow(QStringLiteral("Time:"), m_clock);
    figures->addRow(QStringLiteral("Size (KB):"), m_size);
    figures->addRow(QStringLiteral("Free space (MB):"), m_free);
    layout->addLayout(figures);

    m_bulkwave = new QCheckBox(QStringLiteral("Use Bulkwave to open this file"));
    m_bulkwave->setObjectName(QStringLiteral("control801"));
    layout->addWidget(m_bulkwave);

    auto* row = new QHBoxLayout;
    auto* pause = new QPushButton(QStringLiteral("Pause"));
    pause->setObjectName(QStringLiteral("button555"));
    pause->setCheckable(true);
    auto* stop = new QPushButton(QStringLiteral("Stop Recording"));
    stop->setObjectName(QStringLiteral("button2"));
    stop->setDefault(true);
    row->addWidget(pause);
    row->addStretch(1);
    row->addWidget(stop);
    layout->addLayout(row);
    connect(pause, &QPushButton::toggled, this, &RecordDialog::togglePause);
    connect(stop, &QPushButton::clicked, this, &QDialog::reject);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &RecordDialog::tick);

    resize(sizeHint().expandedTo(QSize(320, 0)));
    placeAboveCentre(*this, owner, 30);
}

RecordDialog::~RecordDialog() = default;

DeviceStatus RecordDialog::start(int32_t inputId)
{
    const DeviceStatus status = m_recorder.start(inputId, m_format, m_path, 0600);
    m_recording = status.ok();
    if (!m_recording)
        m_failure = status.errorText;
    else
        m_timer->start();
    tick();
    return status;
}

bool RecordDialog::useBulkwave() const
{
    return m_bulkwave->isChecked();
}

void RecordDialog::tick()
{
    const uint64_t ms = m_recorder.elapsedMs();
    m_clock->setText(QString::fromStdString(recordingtexts::clock(ms)));
    m_size->setText(QString::fromStdString(recordingtexts::size(ms, m_format.bytesPerSecond())));
    const auto free = freeBytesForFile(m_path);
    m_free->setText(free ? QString::number(*free / 1024 / 1024) : QString());
    const bool lit = m_recording && !m_recorder.isPaused() && (ms / 1000) % 2 == 0;
    m_indicator->setStyleSheet(lit ? QStringLiteral("background: #e02020; border-radius: 8px;") : QString());
}

void RecordDialog::togglePause(bool paused)
{
    if (!m_recording)
        return;
    if (paused) {
        m_recorder.pause();
        m_timer->stop();
    } else {
        m_recorder.resume();
        m_timer->start();
    }
    tick();
}

void RecordDialog::done(int result)
{
    m_timer->stop();
    if (m_recording) {
        m_recording = false;
        const DeviceStatus status = m_recorder.stop();
        m_saved = status.ok();
        if (!status.ok())
            m_failure = status.errorText;
    }
    QDialog::done(result);
}

} // namespace kx
