#include "CdPlayerPage.h"

#include "OptionSettings.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <iterator>
#include <string>

namespace kx {

namespace {

    struct Mode {
        const char* text;
        int number; ///< as the player's display menus number it
    };

    constexpr Mode kTimeModes[] = { { "Time of track", 1 }, { "Time on disk", 2 }, { "Length of current track", 4 },
        { "Length of disk", 3 }, { "Start of track", 5 }, { "Left on current track", 6 }, { "Left on disk", 7 } };
    constexpr Mode kTrackModes[] = { { "Current track", 11 }, { "Number of tracks on disk", 12 } };

    template <std::size_t N>
    QListWidget* modeList(const Mode (&modes)[N], const char* setting, int defaultMode, QWidget* parent)
    {
        auto* list = new QListWidget(parent);
        const int stored = RegGetWord(setting, uint16_t(defaultMode));
        for (const Mode& mode : modes) {
            auto* item = new QListWidgetItem(QString::fromLatin1(mode.text), list);
            item->setData(Qt::UserRole, mode.number);
            if (mode.number == stored)
                list->setCurrentItem(item);
        }
        if (!list->currentItem())
            list->setCurrentRow(0);
        // Room for the longer of the two lists, no more.
        list->setFixedHeight(list->sizeHintForRow(0) * int(std::size(kTimeModes)) + 2 * list->frameWidth());
        return list;
    }

    void storeMode(const QListWidget& list, const char* setting)
    {
        if (const QListWidgetItem* item = list.currentItem())
            RegWriteString(setting, std::to_string(item->data(Qt::UserRole).toInt()).c_str());
    }

    QGroupBox* framed(const QString& title, QWidget* content, QWidget* parent)
    {
        auto* box = new QGroupBox(title, parent);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(content);
        return box;
    }

} // namespace

CdPlayerPage::CdPlayerPage(QWidget* parent)
    : QWidget(parent)
    , m_timeDisplay(modeList(kTimeModes, kCdTimeDisplaySetting, kDefaultCdTimeDisplay, this))
    , m_trackDisplay(modeList(kTrackModes, kCdTrackDisplaySetting, kDefaultCdTrackDisplay, this))
    , m_stopOnExit(new QCheckBox(QStringLiteral("Stop playback after quitting Kestrix2000"), this))
    , m_autoPlay(new QCheckBox(QStringLiteral("Enable Kestrix2000 AutoPlay function"), this))
    , m_updateInterval(new QSpinBox(this))
    , m_device(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("CD Player"));
    m_timeDisplay->setObjectName("timeDisplay");
    m_trackDisplay->setObjectName("trackDisplay");
    m_stopOnExit->setObjectName("stopOnExit");
    m_stopOnExit->setChecked(RegGetBool(kCdStopOnExitSetting, 1) != 0);
    m_autoPlay->setObjectName("autoPlay");
    m_autoPlay->setChecked(RegGetBool(kCdAutoPlaySetting, 0) != 0);
    m_updateInterval->setObjectName("updateInterval");
    m_updateInterval->setRange(100, 5000);
    m_updateInterval->setSingleStep(50);
    m_updateInterval->setSuffix(QStringLiteral(" ms"));
    m_updateInterval->setValue(RegGetWord(kCdUpdateIntervalSetting, kDefaultCdUpdateInterval));
    m_device->setObjectName("cdDevice");
    m_device->setPlaceholderText(QStringLiteral("the first drive found"));
    m_device->setText(QString::fromUtf8(RegGetString(kCdDeviceSetting, "")));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName("browseImage");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CdPlayerPage::browseImage);

    auto* layout = new QGridLayout(this);
    layout->addWidget(framed(QStringLiteral("Left  [Timedisplay]"), m_timeDisplay, this), 0, 0);
    layout->addWidget(framed(QStringLiteral("Right  [Trackdisplay]"), m_trackDisplay, this), 0, 1);
    layout->addWidget(m_stopOnExit, 1, 0, 1, 2);
    layout->addWidget(m_autoPlay, 2, 0, 1, 2);
    auto* timer = new QHBoxLayout;
    timer->addWidget(new QLabel(QStringLiteral("Refresh the display every"), this));
    timer->addWidget(m_updateInterval);
    timer->addStretch(1);
    layout->addLayout(timer, 3, 0, 1, 2);
    auto* device = new QHBoxLayout;
    device->addWidget(new QLabel(QStringLiteral("Drive or disc image"), this));
    device->addWidget(m_device, 1);
    device->addWidget(browse);
    layout->addLayout(device, 4, 0, 1, 2);
}

void CdPlayerPage::apply()
{
    storeMode(*m_timeDisplay, kCdTimeDisplaySetting);
    storeMode(*m_trackDisplay, kCdTrackDisplaySetting);
    RegWriteString(kCdStopOnExitSetting, m_stopOnExit->isChecked() ? "1" : "0");
    RegWriteString(kCdAutoPlaySetting, m_autoPlay->isChecked() ? "1" : "0");
    RegWriteString(kCdUpdateIntervalSetting, std::to_string(m_updateInterval->value()).c_str());
    RegWriteString(kCdDeviceSetting, m_device->text().trimmed().toUtf8().constData());
}

void CdPlayerPage::browseImage()
{
    const QString current = m_device->text().trimmed();
    const QString image = QFileDialog::getOpenFileName(this, QStringLiteral("Disc Image"),
        current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
        QStringLiteral("Disc images (*.cue *.toc *.nrg);;All files (*)"));
    if (!image.isEmpty())
        m_device->setText(image);
}

} // namespace kx
