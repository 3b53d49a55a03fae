// The open and save dialogs of the library.
#include "ExportSettings.h"
#include "FileDialogs.h"
#include "WindowRegistry.h"
#include "dialogs/ModalDialogs.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include "documents/FilePreview.h"
#include "devices/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <cstring>
#include <optional>

#include <string>

namespace {

thread_local std::string t_chosenPath;

const char* remember(const QString& path)
{
    t_chosenPath = path.isEmpty() ? std::string("FALSE") : path.toStdString();
    return t_chosenPath.c_str();
}

/// The text before the last path separator ("" when there is none).
std::string directoryOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? std::string() : path.left(slash).toStdString();
}

QString startDirectory(const char* setting)
{
    const std::string current = QDir::currentPath().toStdString();
    return QString::fromUtf8(RegGetString(setting, current.c_str()));
}

/// The preview panel under the open dialog's file list: size, length and format of the selected
/// file, and buttons that play it.
void addPreviewPanel(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* panel = new QGroupBox(&dialog);
    auto* layout = new QGridLayout(panel);
    auto addField = [&](int row, int column, const char* label, const char* initial, const char* name) {
        layout->addWidget(new QLabel(QString::fromLatin1(label), panel), row, column);
        auto* value = new QLabel(QString::fromLatin1(initial), panel);
        value->setObjectName(QLatin1String(name));
        layout->addWidget(value, row, column + 1);
        return value;
    };
    QLabel* size = addField(0, 0, "Size:", "0 KB", "field110");
    QLabel* length = addField(1, 0, "Length:", "00 m 00.000 s", "field111");
    QLabel* format = addField(0, 2, "Format:", "none", "field112");
    QLabel* rate = addField(1, 2, "", "none", "field113");
    auto* play = new QPushButton(QStringLiteral("&Play file"), panel);
    auto* stop = new QPushButton(QStringLiteral("&Stop"), panel);
    play->setObjectName(QStringLiteral("button102"));
    stop->setObjectName(QStringLiteral("button103"));
    layout->addWidget(play, 0, 4);
    layout->addWidget(stop, 1, 4);
    grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());

    auto selected = std::make_shared<QString>();
    QObject::connect(&dialog, &QFileDialog::currentChanged, panel, [=](const QString& path) {
        *selected = path;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QByteArray head = file.read(44);
        const auto texts = kx::filePreview({reinterpret_cast<const uint8_t*>(head.constData()), std::size_t(head.size())});
        if (!texts)
            return;
        size->setText(QString::fromStdString(texts->size));
        length->setText(QString::fromStdString(texts->length));
        format->setText(QString::fromStdString(texts->format));
        rate->setText(QString::fromStdString(texts->rate));
    });
    QObject::connect(play, &QPushButton::clicked, panel, [selected] { kx::playSoundFile(selected->toStdString(), false); });
    QObject::connect(stop, &QPushButton::clicked, panel, [] { kx::stopSound(); });
    QObject::connect(&dialog, &QDialog::finished, panel, [] { kx::stopSound(); });
}

void prepareSaveDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
}

const char* rememberSaved(QFileDialog& dialog)
{
    if (kx::ModalDialogs::run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return remember(QString());
    const QString path = dialog.selectedFiles().first();
    RegWriteString("Kestrix\\Directories\\WaveSave", directoryOf(path).c_str());
    return remember(path);
}

constexpr kx::ExportFormat kExportFormats[]
    = { kx::ExportFormat::Flac, kx::ExportFormat::OggVorbis, kx::ExportFormat::Opus, kx::ExportFormat::Mp3 };

QString exportFilter(kx::ExportFormat format)
{
    static const char* const titles[] = { "FLAC - Lossless audio", "Ogg Vorbis - Compressed audio",
        "Opus - Compressed audio", "MP3 - Compressed audio" };
    const QString name = QString::fromLatin1(kx::exportFormatName(format));
    return QStringLiteral("%1 (*.%2)").arg(QString::fromLatin1(titles[int(format)]), name);
}

std::optional<kx::ExportFormat> exportFormatOfFilter(const QString& filter)
{
    for (kx::ExportFormat format : kExportFormats) {
        if (filter == exportFilter(format))
            return format;
    }
    return std::nullopt;
}

/// The WAV and export filters and, below the file list, the quality of the chosen export format
/// (hidden for WAV), starting from the format and quality last saved with.
QSpinBox* addExportChoice(QFileDialog& dialog)
{
    QStringList filters { QStringLiteral("WAVE - Audio files (*.WAV *.wav)") };
    for (kx::ExportFormat format : kExportFormats)
        filters.append(exportFilter(format));
    filters.append(QStringLiteral("All files (*)"));
    dialog.setNameFilters(filters);
    auto* label = new QLabel(QStringLiteral("&Quality:"), &dialog);
    auto* quality = new QSpinBox(&dialog);
    quality->setObjectName(QStringLiteral("quality"));
    label->setBuddy(quality);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(quality, row, 1);
    }
    auto showQualityOf = [label, quality](const QString& filter) {
        const std::optional<kx::ExportFormat> format = exportFormatOfFilter(filter);
        label->setVisible(format.has_value());
        quality->setVisible(format.has_value());
        if (!format)
            return;
        const kx::ExportQuality range = kx::exportQuality(*format);
        quality->setRange(range.lowest, range.highest);
        quality->setValue(kx::storedExportQuality(*format));
        quality->setToolTip(QString::fromUtf8(kx::exportQualityMeaning(*format)));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, quality, showQualityOf);
    const std::optional<kx::ExportFormat> last = kx::exportFormatNamed(RegGetString(kx::kSaveFormatSetting, "wav"));
    if (last)
        dialog.selectNameFilter(exportFilter(*last));
    showQualityOf(dialog.selectedNameFilter());
    return quality;
}

} // namespace

QString kx::openLargeWaveBox(QWidget* owner)
{
    QFileDialog dialog(owner, QStringLiteral("Kestrix2000 Bulkwave -  Open File"),
                       startDirectory("Kestrix\\Directories\\WaveOpen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({QStringLiteral("WAVE - Audio files (*.WAV *.wav)"), QStringLiteral("All files (*)")});
    if (kx::ModalDialogs::run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    RegWriteString("Kestrix\\Directories\\WaveOpen", directoryOf(path).c_str());
    return path;
}

extern "C" {

const char* OpenBox(HWND owner)
{
    const QStringList filters = {QStringLiteral("WAVE - Audio files (*.WAV *.wav)"),
                                 QStringLiteral("AVI - Video files (*.AVI *.avi)"), QStringLiteral("RAW Audio Data (*)"),
                                 QStringLiteral("All files (*)"),
                                 // Decoded to PCM on opening.
                                 QStringLiteral("FLAC, Ogg, MP3 - Compressed audio files (*.flac *.FLAC *.ogg *.OGG *.oga "
                                                "*.opus *.mp3 *.MP3)")};
    const int index = std::clamp<int>(RegGetWord("Kestrix\\Directories\\WaveOpenFilter", 1), 1, int(filters.size()));
    QFileDialog dialog(kx::WindowRegistry::window(owner), QStringLiteral("Kestrix2000  -  Open File"),
                       startDirectory("Kestrix\\Directories\\WaveOpen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[index - 1]);
    addPreviewPanel(dialog);
    if (kx::ModalDialogs::run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return remember(QString());
    const QString path = dialog.selectedFiles().first();
    RegWriteString("Kestrix\\Directories\\WaveOpen", directoryOf(path).c_str());
    RegWriteString("Kestrix\\Directories\\WaveOpenFilter",
                   std::to_string(filters.indexOf(dialog.selectedNameFilter()) + 1).c_str());
    return remember(path);
}

const char* SaveBox(HWND owner)
{
    QFileDialog dialog(kx::WindowRegistry::window(owner), QStringLiteral("Kestrix2000  -  Save File"),
                       startDirectory("Kestrix\\Directories\\WaveSave"));
    prepareSaveDialog(dialog);
    dialog.setNameFilters({ QStringLiteral("WAVE - Audio files (*.WAV *.wav)"), QStringLiteral("All files (*)") });
    return rememberSaved(dialog);
}

const char* SaveAsBox(HWND owner)
{
    QFileDialog dialog(kx::WindowRegistry::window(owner), QStringLiteral("Kestrix2000  -  Save File"),
                       startDirectory("Kestrix\\Directories\\WaveSave"));
    prepareSaveDialog(dialog);
    QSpinBox* quality = addExportChoice(dialog);
    const char* path = rememberSaved(dialog);
    if (std::strcmp(path, "FALSE") != 0) {
        const std::optional<kx::ExportFormat> format = exportFormatOfFilter(dialog.selectedNameFilter());
        RegWriteString(kx::kSaveFormatSetting, format ? kx::exportFormatName(*format) : "wav");
        if (format)
            RegWriteString(kx::exportQualitySetting(*format).c_str(), std::to_string(quality->value()).c_str());
    }
    return path;
}

} // extern "C"
