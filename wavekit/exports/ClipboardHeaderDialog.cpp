#include "ClipboardHeaderDialog.h"

#include "devices/SoundPlayer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

namespace {

    constexpr int kFirstField = 101;

    QString kilobytes(uint64_t bytes)
    {
        return QStringLiteral("%1 KB").arg(bytes / 1024);
    }

} // namespace

ClipboardHeaderDialog::ClipboardHeaderDialog(const WaveHeader& header, std::string path, QWidget* parent)
    : QDialog(parent)
    , m_path(std::move(path))
{
    setWindowTitle(QStringLiteral("Harddisk Clipboard Properties"));
    const QString texts[7] = {
        header.wBitsPerSample == 16 ? QStringLiteral("HiFi - 16") : QStringLiteral("Standard - 8"),
        header.nChannels == 2 ? QStringLiteral("STEREO") : QStringLiteral("MONO"),
        QString::number(header.nSamplesPerSec),
        QStringLiteral("%1 KB/sec").arg(header.nAvgBytesPerSec / 1024),
        QStringLiteral("%1 Bytes/Sample").arg(header.nBlockAlign),
        // Both lengths show the data size, as they always have.
        kilobytes(header.dataSize),
        kilobytes(header.dataSize),
    };
    const char* labels[7]
        = { "Quality:", "Channels:", "Sample rate:", "Data rate:", "Block align:", "File length:", "Data length:" };
    auto* form = new QFormLayout;
    for (int i = 0; i < 7; ++i) {
        m_fields[i] = new QLabel(texts[i], this);
        form->addRow(QString::fromLatin1(labels[i]), m_fields[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* play = buttons->addButton(QStringLiteral("&Play"), QDialogButtonBox::ActionRole);
    QPushButton* stop = buttons->addButton(QStringLiteral("&Stop"), QDialogButtonBox::ActionRole);
    connect(play, &QPushButton::clicked, this, [this] { playSoundFile(m_path, false); });
    connect(stop, &QPushButton::clicked, this, [] { stopSound(); });
    // Both close with result 0.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(0); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString ClipboardHeaderDialog::fieldText(int control) const
{
    const int index = control - kFirstField;
    return index >= 0 && index < 7 ? m_fields[index]->text() : QString();
}

} // namespace kx
