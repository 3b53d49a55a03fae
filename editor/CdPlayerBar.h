#pragma once

#include "bulkwave/BitmapBar.h"
#include "devices/CdDevice.h"
#include "devices/CdTimes.h"
#include "wavekit/wavekit.h"

#include <array>
#include <string>

class QTimer;

namespace kx {

/// The CD player bar: a small window inside the frame, painted from its bitmaps, with the track
/// grid, the transport buttons, the time and track display, the position marker over the current
/// track and the shortcuts to record from the CD and to the CD options. The display is refreshed
/// by a timer on this thread; the device only answers and plays.
class CdPlayerBar : public BitmapBar {
    Q_OBJECT
public:
    static constexpr const char* kXSetting = "Kestrix\\Settings\\CDPlayer\\X";
    static constexpr const char* kYSetting = "Kestrix\\Settings\\CDPlayer\\Y";
    /// The options sheet's CD page.
    static constexpr int kOptionsPage = 3;
    /// The field of tracks from 19 on.
    static constexpr int kMoreField = 19;

    CdPlayerBar(HWND frame, OutputFactory outputs, int32_t outputId, QWidget* parent);
    /// The frame's bar: it plays on the output device of the settings, through the backend in use.
    static CdPlayerBar* create(HWND frame, QWidget* parent);
    ~CdPlayerBar() override;

    CdDevice& device() { return m_device; }
    /// Stops and opens the disc of the CD setting again.
    void reload();
    /// Plays track `track` (the command line's CD track).
    void playTrack(int track);
    /// One step of the display: blink the current track's field, move the marker, rewrite the digits.
    void refresh();

    int timeMode() const { return m_timeMode; }
    int trackMode() const { return m_trackMode; }
    void setTimeMode(int mode);
    void setTrackMode(int mode);
    const std::string& timeText() const { return m_timeText; }
    const std::string& trackText() const { return m_trackText; }
    /// Field 1 to 18, or kMoreField.
    bool isHighlighted(int field) const { return m_highlighted.at(std::size_t(field)); }
    QPoint markerPosition() const;
    /// What the display says instead of the grid when there is no disc.
    QString noDiscText() const;

signals:
    void commandRequested(int id);
    void optionsRequested(int page);
    /// Picture 1..4 of the status bar's CD indicator while the disc plays; 0 at rest.
    void cdFrameChanged(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void click(QPoint point, bool press) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void press(QPoint point);
    void release();
    /// Runs a command that needs a disc; without one it only says so.
    bool needsDisc();
    void play(bool started);
    void playStep(int step);
    void seek(int x);
    void showMenu(bool time);
    void recordFromCd();
    void clearHighlights();
    void playbackEnded(uint64_t playback);
    void animate();
    cdtimes::Readings readings(int track) const;

    HWND m_frame;
    CdDevice m_device;
    std::string m_source; ///< the drive or image of the setting, as last opened
    int m_timeMode = 1;
    int m_trackMode = 11;
    std::array<bool, kMoreField + 1> m_highlighted {};
    int m_pressed = 0; ///< the track whose cell is held down
    std::string m_timeText = "00:00";
    std::string m_trackText = "00";
    QWidget* m_marker = nullptr;
    QTimer* m_statusTimer = nullptr;
    QTimer* m_animationTimer = nullptr;
    int m_animationFrame = 0;
};

} // namespace kx
