#pragma once

#include "wavekit/wavekit.h"

#include <QObject>

#include <cstdint>

namespace kx {

class WaveWindow;

/// The frame's output state and its commands: the one playback of the program (the output, the
/// window being played, the paused flag), Play, Play infinite, Stop, Pause, the output volume
/// steps and the device dialogs. Lives on the interface thread like the frame.
class PlaybackController : public QObject {
    Q_OBJECT
public:
    explicit PlaybackController(HWND frame, QObject* parent = nullptr);
    ~PlaybackController() override;

    /// Runs a playback or device command for the active window `active` (may be null); false when
    /// `id` is none of them.
    bool runCommand(int id, WaveWindow* active);

    /// The window being played (the answer to 1143), null when nothing plays.
    HWND playingWindow() const { return m_window; }
    /// The open output (the answer to 1145), null when none.
    HWAVEOUT output() const { return m_output; }
    bool isPaused() const { return m_paused; }
    int32_t deviceId() const { return m_deviceId; }

    /// The device reports that the playback on `output` reached its end (MM_WOM_DONE).
    void playbackDone(HWAVEOUT output);
    /// Stops the playback when it plays `window`: before the window goes away, or before an
    /// operation moves its samples.
    void stopPlaybackOf(HWND window);

private:
    void play(WaveWindow* window, bool loop);
    void stop();
    void pause();
    void resume();
    /// Closes the output and forgets the output state.
    void closeOutput();
    void tellPreview(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

    HWND m_frame;
    int32_t m_deviceId;
    HWAVEOUT m_output = nullptr;
    HWAVEPLAY m_play = nullptr;
    HWND m_window = nullptr;
    bool m_paused = false;
    /// The range being played, as the preview bar is told it again on resume.
    uint32_t m_rangeStart = 0;
    uint32_t m_rangeLength = 0;
    QMetaObject::Connection m_windowClosing;
};

} // namespace kx
