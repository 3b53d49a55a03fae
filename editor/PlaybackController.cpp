#include "PlaybackController.h"

#include "CommandIds.h"
#include "WaveWindow.h"
#include "devices/OutputDevices.h"
#include "devices/OutputVolume.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRequests.h"

#include "paneldraw/settings.h"

#include <shared_mutex>

namespace kx {

PlaybackController::PlaybackController(HWND frame, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
    , m_deviceId(outputdevices::idFromText(RegGetString("Kestrix\\Settings\\WaveOutID", "")))
{
}

PlaybackController::~PlaybackController()
{
    // Nothing plays on after the frame.
    if (m_output)
        closeOutput();
}

bool PlaybackController::runCommand(int id, WaveWindow* active)
{
    switch (id) {
    case CmdPlay:
    case CmdPlayLoop:
        play(active, id == CmdPlayLoop);
        return true;
    case CmdStop:
        if (!IsFileWorking(active ? active->handle() : nullptr))
            stop();
        return true;
    case CmdPlayOrStop:
        if (active && m_output && !m_paused && m_window == active->handle())
            stop();
        else
            play(active, false);
        return true;
    case CmdPause:
        if (!IsFileWorking(active ? active->handle() : nullptr))
            pause();
        return true;
    case CmdVolumeUp:
        outputvolume::set(outputvolume::stepUp(outputvolume::current()));
        return true;
    case CmdVolumeDown:
        outputvolume::set(outputvolume::stepDown(outputvolume::current()));
        return true;
    case CmdDeviceCaps:
        ShowDevCaps(m_frame, 0, 0);
        return true;
    case CmdSelectOutput:
        ShowSelectWaveOut(m_frame, &m_deviceId);
        return true;
    }
    return false;
}

void PlaybackController::play(WaveWindow* window, bool loop)
{
    if (!window || IsFileWorking(window->handle()))
        return;
    uint32_t dataSize = 0;
    MarkRecord mark;
    {
        std::shared_lock lock(window->document()->lock);
        dataSize = window->document()->document.header.dataSize;
        mark = window->document()->document.mark;
    }
    if (dataSize == 0)
        return;
    if (m_output && m_paused) {
        resume();
        return;
    }
    // One playback in the program: the one running now makes way for this one.
    if (m_output)
        stop();

    const HWND handle = window->handle();
    HWAVEOUT output = OpenOutput(uint32_t(m_deviceId), handle);
    if (!output)
        return;
    HWAVEPLAY playing = PlayWAV(output, handle, loop ? 1 : 0);
    if (!playing) {
        // The device refused (and said so): keep no output that plays nothing.
        CloseOutput(output, nullptr);
        return;
    }
    m_output = output;
    m_play = playing;
    m_window = handle;
    m_paused = false;
    m_rangeStart = mark.markStart;
    m_rangeLength = mark.markLength;
    m_windowClosing = connect(window, &WaveWindow::closing, this, &PlaybackController::stopPlaybackOf);
    tellPreview(MsgPlaybackRuns, m_rangeStart, m_rangeLength);
}

void PlaybackController::stop()
{
    if (!m_output)
        return;
    if (m_paused)
        RestartOutput(m_output);
    closeOutput();
    tellPreview(MsgPlaybackHalted);
}

void PlaybackController::pause()
{
    if (!m_output)
        return;
    if (m_paused) {
        resume();
        return;
    }
    m_paused = true;
    PauseOutput(m_output);
    tellPreview(MsgPlaybackHalted);
}

void PlaybackController::resume()
{
    RestartOutput(m_output);
    m_paused = false;
    tellPreview(MsgPlaybackRuns, m_rangeStart, m_rangeLength);
}

void PlaybackController::playbackDone(HWAVEOUT output)
{
    // A notification that was on its way while that playback was stopped finds nothing to do.
    if (output && output == m_output)
        closeOutput();
}

void PlaybackController::stopPlaybackOf(HWND window)
{
    if (!m_output || window != m_window)
        return;
    tellPreview(MsgPlaybackHalted);
    closeOutput();
}

void PlaybackController::closeOutput()
{
    CloseOutput(m_output, m_play);
    disconnect(m_windowClosing);
    m_output = nullptr;
    m_play = nullptr;
    m_window = nullptr;
    m_paused = false;
    m_rangeStart = 0;
    m_rangeLength = 0;
}

void PlaybackController::tellPreview(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (HWND preview = reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetPreviewBar, 0, 0)))
        SendMessage(preview, message, wParam, lParam);
}

} // namespace kx
