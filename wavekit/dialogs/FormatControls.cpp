#include "FormatControls.h"

#include "exports/MessageBoxes.h"
#include "paneldraw/settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace kx {

namespace {

    QLineEdit* readOnlyField(const char* name, QWidget* parent)
    {
        auto* field = new QLineEdit(parent);
        field->setObjectName(QLatin1String(name));
        field->setReadOnly(true);
        return field;
    }

    QComboBox* list(const char* name, const QStringList& items, QWidget* parent)
    {
        auto* box = new QComboBox(parent);
        box->setObjectName(QLatin1String(name));
        box->addItems(items);
        return box;
    }

} // namespace

FormatControls::FormatControls(bool withLengths, QWidget* parent)
    : QWidget(parent)
    , m_bits(list("control101", { QStringLiteral("Standard - 8"), QStringLiteral("HiFi - 16") }, this))
    , m_channels(list("control102", { QStringLiteral("MONO"), QStringLiteral("STEREO") }, this))
    , m_rate(list("control103", {}, this))
    , m_bytesPerSecond(readOnlyField("control104", this))
    , m_bytesPerFrame(readOnlyField("control105", this))
{
    m_rate->setEditable(true);
    m_rate->setInsertPolicy(QComboBox::NoInsert);
    for (uint32_t rate : kRateList)
        m_rate->addItem(QString::number(rate));

    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("&Resolution:"), m_bits);
    layout->addRow(QStringLiteral("C&hannels:"), m_channels);
    layout->addRow(QStringLiteral("Sample &rate (Hz):"), m_rate);
    layout->addRow(QStringLiteral("Data rate:"), m_bytesPerSecond);
    layout->addRow(QStringLiteral("Frame size:"), m_bytesPerFrame);
    if (withLengths) {
        m_fileLength = readOnlyField("control106", this);
        m_dataLength = readOnlyField("control107", this);
        layout->addRow(QStringLiteral("File length:"), m_fileLength);
        layout->addRow(QStringLiteral("Data length:"), m_dataLength);
    }
}

void FormatControls::setFields(const FormatFields& fields)
{
    m_bits->setCurrentIndex(fields.choice.bitsIndex);
    m_channels->setCurrentIndex(fields.choice.channelsIndex);
    m_rate->setEditText(QString::fromStdString(fields.choice.rateText));
    m_bytesPerSecond->setText(QString::fromStdString(fields.bytesPerSecond));
    m_bytesPerFrame->setText(QString::fromStdString(fields.bytesPerFrame));
    if (m_fileLength) {
        m_fileLength->setText(QString::fromStdString(fields.fileLength));
        m_dataLength->setText(QString::fromStdString(fields.dataLength));
    }
}

void FormatControls::followChoice()
{
    connect(m_bits, &QComboBox::currentIndexChanged, this, &FormatControls::showDerivedValues);
    connect(m_channels, &QComboBox::currentIndexChanged, this, &FormatControls::showDerivedValues);
    connect(m_rate, &QComboBox::currentTextChanged, this, &FormatControls::showDerivedValues);
}

void FormatControls::showDerivedValues()
{
    const PcmFormat format = choice().format();
    const uint64_t bytesPerSecond = uint64_t(format.rate) * format.blockAlign();
    m_bytesPerSecond->setText(QString::fromStdString(
        kbPerSecText(uint32_t(std::min<uint64_t>(bytesPerSecond, std::numeric_limits<uint32_t>::max())))));
    m_bytesPerFrame->setText(QString::fromStdString(bytesPerSampleText(format.blockAlign())));
}

FormatChoice FormatControls::choice() const
{
    return { m_bits->currentIndex() == 1 ? 1 : 0, m_channels->currentIndex() == 1 ? 1 : 0,
        m_rate->currentText().toStdString() };
}

void FormatControls::refuse(const std::string& text)
{
    MessageBoxes::show({ window(), QStringLiteral("Warning..."), QString::fromStdString(text), QMessageBox::Critical,
        QMessageBox::Ok });
}

void storeSettings(const std::vector<SettingText>& writes)
{
    for (const SettingText& write : writes)
        RegWriteString(write.path.c_str(), write.text.c_str());
}

} // namespace kx
