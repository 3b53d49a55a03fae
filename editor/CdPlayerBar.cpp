#include "CdPlayerBar.h"

#include "CommandIds.h"
#include "bulkwave/PositionMarker.h"
#include "devices/OutputDevices.h"
#include "exports/InterfaceThread.h"
#include "exports/OperationContext.h"
#include "exports/PlaybackBackend.h"
#include "exports/WindowRequests.h"

#include "paneldraw/settings.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kx {

namespace {

    const QColor kAmber(255, 225, 81);
    constexpr int kDigitsX = 190;
    constexpr int kTrackDigitsX = 275;
    constexpr int kDigitsY = 30;
    const QRect kGridArea(7, 22, 106, 86);
    const QPoint kMoreAt(70, 85);

    /// The cell's picture position of track `t` (1 to 20).
    QPoint cellOf(int t)
    {
        return { 10 + 20 * ((t - 1) % 5), 25 + 20 * ((t - 1) / 5) };
    }

    /// The track whose cell holds `point` (edges excluded), or 0.
    int trackAt(QPoint point)
    {
        for (int t = 1; t <= 20; ++t) {
            const QPoint cell = cellOf(t);
            if (point.x() > cell.x() && point.x() < cell.x() + 20 && point.y() > cell.y() && point.y() < cell.y() + 20)
                return t;
        }
        return 0;
    }

    const char* const kTimeModes[] = { "Time of track", "Time on disk", nullptr, "Length of current track",
        "Length of disk", nullptr, "Start of track", nullptr, "Left on current track", "Left on disk" };
    const int kTimeModeIds[] = { 1, 2, 0, 4, 3, 0, 5, 0, 6, 7 };

} // namespace

CdPlayerBar::CdPlayerBar(HWND frame, OutputFactory outputs, int32_t outputId, QWidget* parent)
    : BitmapBar(parent, QStringLiteral("CDPlayer"), QStringLiteral("CD"))
    , m_frame(frame)
    , m_device(std::move(outputs), outputId)
{
    QPoint at(RegGetDWord(kXSetting, 300), RegGetDWord(kYSetting, 100));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !screen->availableVirtualGeometry().contains(at))
        at = { 300, 100 };
    move(at);
    hide();

    m_marker = new PositionMarker(this, bitmap(QStringLiteral("CDPOS")), { cdtimes::kStripLeft, cdtimes::kMarkerY });
    // The end arrives on a device thread; it is handled on this one.
    m_device.setEndHandler(
        [this](uint64_t playback) { postToThreadOf(this, [this, playback] { playbackEnded(playback); }); });
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(850);
    connect(m_statusTimer, &QTimer::timeout, this, &CdPlayerBar::refresh);
    m_statusTimer->start();
    m_animationTimer = new QTimer(this);
    m_animationTimer->setInterval(200);
    connect(m_animationTimer, &QTimer::timeout, this, &CdPlayerBar::animate);
    reload();
}

CdPlayerBar* CdPlayerBar::create(HWND frame, QWidget* parent)
{
    const OutputFactory outputs = [](int32_t id) { return PlaybackBackend::current().outputs(id); };
    return new CdPlayerBar(
        frame, outputs, outputdevices::idFromText(RegGetString("Kestrix\\Settings\\WaveOutID", "")), parent);
}

CdPlayerBar::~CdPlayerBar()
{
    // Nothing is posted to this bar once its device has stopped.
    m_device.stop();
}

void CdPlayerBar::reload()
{
    m_source = RegGetString(CdDisc::kDeviceSetting, "");
    m_device.load(m_source);
    clearHighlights();
    m_pressed = 0;
    refresh();
    update();
}

QString CdPlayerBar::noDiscText() const
{
    return m_device.hasDisc() ? QString() : QString::fromStdString(m_device.errorText());
}

QPoint CdPlayerBar::markerPosition() const
{
    return m_marker->pos();
}

cdtimes::Readings CdPlayerBar::readings(int track) const
{
    return { m_device.position(CdDevice::TimeFormat::Minutes), m_device.length(),
        m_device.trackPosition(track, CdDevice::TimeFormat::Minutes), m_device.trackLength(track) };
}

void CdPlayerBar::refresh()
{
    if (m_device.hasDisc()) {
        const int track = cdtimes::track(m_device.position(CdDevice::TimeFormat::Tracks));
        const std::size_t field = std::size_t(std::min(track, kMoreField));
        if (m_highlighted.at(field))
            clearHighlights();
        else
            m_highlighted.at(field) = true;
        const cdtimes::Readings now = readings(track);
        m_marker->move(cdtimes::markerX(now), cdtimes::kMarkerY);
        m_timeText = cdtimes::timeText(m_timeMode, now);
    } else {
        m_marker->move(cdtimes::kStripLeft, cdtimes::kMarkerY);
        m_timeText = "00:00";
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", m_trackMode == 11 ? m_device.currentTrack() : m_device.trackCount());
    m_trackText = digits;
    update();
}

void CdPlayerBar::clearHighlights()
{
    m_highlighted.fill(false);
    update();
}

void CdPlayerBar::setTimeMode(int mode)
{
    m_timeMode = mode;
    refresh();
}

void CdPlayerBar::setTrackMode(int mode)
{
    m_trackMode = mode;
    refresh();
}

void CdPlayerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap(QStringLiteral("CDBACK")));
    const int count = m_device.trackCount();
    for (int t = 1; t <= std::min(count, 18); ++t) {
        const bool lit = m_highlighted.at(std::size_t(t)) || m_pressed == t;
        painter.drawImage(cellOf(t), bitmap(QStringLiteral("CD%1%2").arg(t).arg(lit ? "YELLOW" : "BLUE")));
    }
    if (count >= kMoreField)
        painter.drawImage(kMoreAt,
            bitmap(m_highlighted.at(kMoreField) ? QStringLiteral("CDMOREYELLOW") : QStringLiteral("CDMOREBLUE")));
    const std::pair<const char*, int> buttons[]
        = { { "CDSEEKBACK", 147 }, { "CDSTOP", 188 }, { "CDPLAY", 229 }, { "CDSEEKFORWARD", 270 } };
    for (const auto& [name, x] : buttons)
        painter.drawImage(x, 82, bitmap(QLatin1String(name)));
    drawDigits(painter, kDigitsX, kDigitsY, m_timeText);
    drawDigits(painter, kTrackDigitsX, kDigitsY, m_trackText);
    if (!m_device.hasDisc()) {
        painter.setPen(kAmber);
        QFont font = painter.font();
        font.setPixelSize(10);
        painter.setFont(font);
        painter.drawText(kGridArea.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, noDiscText());
    }
}

void CdPlayerBar::click(QPoint point, bool press)
{
    if (press)
        this->press(point);
    else
        release();
}

void CdPlayerBar::moveEvent(QMoveEvent*)
{
    RegWriteString(kXSetting, std::to_string(x()).c_str());
    RegWriteString(kYSetting, std::to_string(y()).c_str());
}

void CdPlayerBar::press(QPoint point)
{
    const int x = point.x();
    const int y = point.y();
    if (const int t = trackAt(point); t != 0 && t <= m_device.trackCount()) {
        m_pressed = t;
        update();
        return;
    }
    if (x > 290 && y < 20) {
        reload();
        return;
    }
    if (y > 81 && y <= 105) {
        if (x > 147 && x < 188)
            playStep(-1);
        else if (x > 188 && x < 229 && needsDisc()) {
            clearHighlights();
            m_device.stop();
        } else if (x > 229 && x < 270 && needsDisc()) {
            clearHighlights();
            play(m_device.play());
        } else if (x > 270 && x < 310)
            playStep(1);
        return;
    }
    if (y > 60 && y < 80 && x > 190) {
        showMenu(x < 270);
        return;
    }
    if (x >= 20 && x <= 100 && y > 104) {
        emit optionsRequested(kOptionsPage);
        // The sheet is modal: once it closed, a disc chosen there is opened.
        if (m_source != RegGetString(CdDisc::kDeviceSetting, ""))
            reload();
        return;
    }
    if (x > 134 && x <= 180 && y > 24 && y <= 40) {
        recordFromCd();
        return;
    }
    if (x >= 150 && x < 306 && y > 107 && y <= 122)
        seek(x);
}

void CdPlayerBar::release()
{
    const int t = m_pressed;
    if (t == 0)
        return;
    m_pressed = 0;
    update();
    if (t < kMoreField) {
        clearHighlights();
        play(m_device.playTrack(t));
    }
}

bool CdPlayerBar::needsDisc()
{
    if (m_device.hasDisc())
        return true;
    update();
    ErrorBox(m_frame, m_device.errorText().c_str());
    return false;
}

void CdPlayerBar::play(bool started)
{
    if (!started) {
        ErrorBox(m_frame,
            m_device.errorText().empty() ? "There is no audio to play from here on the CD."
                                         : m_device.errorText().c_str());
        return;
    }
    if (!m_animationTimer->isActive())
        m_animationTimer->start();
    refresh();
}

void CdPlayerBar::playTrack(int track)
{
    if (!needsDisc())
        return;
    clearHighlights();
    play(m_device.playTrack(track));
}

void CdPlayerBar::playStep(int step)
{
    if (!needsDisc())
        return;
    clearHighlights();
    const int count = m_device.trackCount();
    const int track = cdtimes::track(m_device.position(CdDevice::TimeFormat::Tracks)) + step;
    play(m_device.playTrack(track < 1 ? count : track > count ? 1 : track));
}

void CdPlayerBar::seek(int x)
{
    if (!needsDisc())
        return;
    const int track = cdtimes::track(m_device.position(CdDevice::TimeFormat::Tracks));
    const int target = cdtimes::seekTarget(x, readings(track));
    play(m_device.playFrom(target / 60, target % 60));
}

void CdPlayerBar::showMenu(bool time)
{
    QMenu menu(this);
    const int current = time ? m_timeMode : m_trackMode;
    const auto add = [&](const char* text, int id) {
        QAction* action = menu.addAction(QLatin1String(text));
        action->setCheckable(true);
        action->setChecked(id == current);
        action->setData(id);
    };
    if (time) {
        for (std::size_t i = 0; i < std::size(kTimeModes); ++i) {
            if (kTimeModes[i])
                add(kTimeModes[i], kTimeModeIds[i]);
            else
                menu.addSeparator();
        }
    } else {
        add("Current track", 11);
        add("Number of tracks on disk", 12);
    }
    const QAction* chosen = menu.exec(mapToGlobal(time ? QPoint(190, 75) : QPoint(275, 75)));
    if (!chosen)
        return;
    if (time)
        setTimeMode(chosen->data().toInt());
    else
        setTrackMode(chosen->data().toInt());
}

void CdPlayerBar::recordFromCd()
{
    if (!needsDisc())
        return;
    const auto active = reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0));
    if (!active || IsFileWorking(active))
        emit commandRequested(CmdNew);
    const std::string at = m_device.position(CdDevice::TimeFormat::Tracks);
    // The recording reads the disc itself, at its own pace.
    m_device.stop();
    ShowRecordCD(m_frame, cdtimes::track(at), cdtimes::trackMinutes(at), cdtimes::trackSeconds(at));
    refresh();
}

void CdPlayerBar::playbackEnded(uint64_t playback)
{
    const bool clean = m_device.playbackEnded(playback);
    animate();
    if (!clean) {
        const std::string reason = m_device.errorText();
        reload();
        ErrorBox(m_frame, reason.c_str());
    }
    refresh();
}

void CdPlayerBar::animate()
{
    if (!m_device.isPlaying()) {
        m_animationTimer->stop();
        m_animationFrame = 0;
    } else {
        m_animationFrame = m_animationFrame % 4 + 1;
    }
    emit cdFrameChanged(m_animationFrame);
}

} // namespace kx
