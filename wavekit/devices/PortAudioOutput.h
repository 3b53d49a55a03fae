#pragma once

#include "PumpedOutput.h"

#include <atomic>
#include <memory>

namespace kx {

/// An output device of the PortAudio backend (ALSA, and through ALSA's pulse plugin a PulseAudio
/// or PipeWire server). Its callback takes the bytes from a StreamPump; pausing keeps the stream
/// running on silence so the position holds exactly.
class PortAudioOutput final : public PumpedOutput {
public:
    /// An output for a device id (-1: the default device).
    explicit PortAudioOutput(int32_t deviceId);
    ~PortAudioOutput() override;

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(std::shared_ptr<AudioSource> source, DoneHandler onDone) override;
    void stop() override;
    void close() override;

    static OutputFactory factory();

private:
    friend struct PortAudioCallbacks;
    /// The stream's thread: fills `frames` frames; false once the source has ended.
    bool render(void* output, unsigned long frames);
    void notifyFinished();

    int32_t m_deviceId;
    void* m_stream = nullptr;
    std::atomic<bool> m_completed { false }; ///< the callback saw the source's end
    std::atomic<bool> m_stopping { false };
};

} // namespace kx
