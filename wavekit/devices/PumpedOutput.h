#pragma once

#include "AudioOutput.h"
#include "StreamPump.h"

#include <atomic>
#include <memory>

namespace kx {

/// What every output shares: the format it was opened with, the pump that carries the source's
/// bytes to its thread, the pause flag that thread reads, and the done handler.
class PumpedOutput : public AudioOutput {
public:
    void pause() override { m_paused = true; }
    void resume() override { m_paused = false; }
    bool isPaused() const override { return m_paused; }
    uint64_t bytesPlayed() const override { return m_pump ? m_pump->bytesDelivered() : 0; }

protected:
    PcmFormat m_format;
    std::unique_ptr<StreamPump> m_pump;
    DoneHandler m_onDone;
    std::atomic<bool> m_paused { false };
};

} // namespace kx
