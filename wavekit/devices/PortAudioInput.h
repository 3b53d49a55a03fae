#pragma once

#include "AudioInput.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace kx {

/// An input device of the PortAudio backend, read with PortAudio's blocking reads on a capture
/// thread of its own; the backend's buffer holds what arrives while the handler writes.
class PortAudioInput final : public AudioInput {
public:
    /// An input for a device id (-1: the default device).
    explicit PortAudioInput(int32_t deviceId);
    ~PortAudioInput() override;

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(BlockHandler onBlock) override;
    void stop() override;
    void close() override;
    std::string captureError() const override;

    static InputFactory factory();

private:
    void capture(BlockHandler onBlock);

    int32_t m_deviceId;
    PcmFormat m_format;
    void* m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
    mutable std::mutex m_errorMutex;
    std::string m_error;
};

} // namespace kx
