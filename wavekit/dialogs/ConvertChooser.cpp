#include "ConvertChooser.h"

#include "DialogButtons.h"
#include "DialogPlacement.h"
#include "documents/FormatSettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include <cstdlib>

namespace kx {

namespace {

    /// How far `format` is from `source`: the rate counts most, then the bits, then the channels.
    int64_t distance(const PcmFormat& format, const PcmFormat& source)
    {
        return std::llabs(int64_t(format.rate) - int64_t(source.rate)) * 4 + (format.bits != source.bits) * 2
            + (format.channels != source.channels);
    }

} // namespace

std::vector<PcmFormat> ConvertChooser::offeredFormats()
{
    std::vector<PcmFormat> formats;
    for (uint32_t rate : conversionRates())
        for (uint16_t bits : { 8, 16 })
            for (uint16_t channels : { 1, 2 })
                formats.push_back({ bits, channels, rate });
    return formats;
}

QString ConvertChooser::describe(const PcmFormat& format)
{
    return QStringLiteral("%1 Hz, %2 Bit, %3    %4 KB/sec")
        .arg(QLocale(QLocale::English).toString(format.rate))
        .arg(format.bits)
        .arg(format.channels == 2 ? QStringLiteral("Stereo") : QStringLiteral("Mono"))
        .arg(format.bytesPerSecond() / 1024);
}

ConvertChooser::ConvertChooser(const PcmFormat& source, QWidget* parent)
    : QDialog(parent)
    , m_attributes(new QComboBox(this))
    , m_formats(offeredFormats())
{
    setWindowTitle(QStringLiteral("Format Selection for Converting"));
    m_attributes->setObjectName(QStringLiteral("attributes"));
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < m_formats.size(); ++i) {
        m_attributes->addItem(describe(m_formats[i]));
        if (distance(m_formats[i], source) < distance(m_formats[nearest], source))
            nearest = i;
    }
    m_attributes->setCurrentIndex(int(nearest));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Format:"), new QLabel(QStringLiteral("PCM"), this));
    form->addRow(QStringLiteral("&Attributes:"), m_attributes);
    layout->addLayout(form);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] { done(1); });
    connect(buttons.add(QStringLiteral("Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
    placeAboveCentre(*this, parent, 0);
}

PcmFormat ConvertChooser::chosen() const
{
    return m_formats[std::size_t(std::max(0, m_attributes->currentIndex()))];
}

} // namespace kx
