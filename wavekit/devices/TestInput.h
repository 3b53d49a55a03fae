#pragma once

#include "AudioInput.h"

#include <atomic>
#include <thread>

namespace kx {

/// An in-process input device for tests and benchmarks: it captures what a generator makes,
/// block by block on a thread of its own, at the format's real rate or as fast as it can.
class TestInput final : public AudioInput {
public:
    /// Fills `block` with the frames from `firstFrame` on.
    using Generator = std::function<void(std::span<uint8_t> block, uint64_t firstFrame, const PcmFormat& format)>;
    enum class Pace { RealTime, Unpaced };

    TestInput(Generator generator, Pace pace);
    ~TestInput() override;

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(BlockHandler onBlock) override;
    void stop() override;
    void close() override { stop(); }
    std::string captureError() const override { return {}; }

    static InputFactory factory(Generator generator, Pace pace);

private:
    Generator m_generator;
    Pace m_pace;
    PcmFormat m_format;
    bool m_open = false;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
};

} // namespace kx
