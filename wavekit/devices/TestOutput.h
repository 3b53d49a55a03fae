#pragma once

#include "PumpedOutput.h"

#include <atomic>
#include <memory>
#include <thread>

namespace kx {

class TestDevice;

/// One output of a TestDevice.
class TestOutput final : public PumpedOutput {
public:
    TestOutput(std::shared_ptr<TestDevice> device, bool realTimeClock);
    ~TestOutput() override;

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(std::shared_ptr<AudioSource> source, DoneHandler onDone) override;
    void stop() override;
    void close() override;

    /// Plays up to `frames` frames; the done notification follows the last of the source.
    std::size_t tick(std::size_t frames, bool waitForData);

private:
    void runClock();

    std::shared_ptr<TestDevice> m_device;
    bool m_realTimeClock;
    bool m_opened = false;
    std::atomic<bool> m_running { false };
    bool m_doneSent = false;
    std::thread m_clock;
};

} // namespace kx
