#include "TestDevice.h"

#include "TestOutput.h"

namespace kx {

TestDevice::TestDevice(Clock clock)
    : m_clock(clock)
{
}

std::shared_ptr<TestDevice> TestDevice::create(Clock clock)
{
    return std::shared_ptr<TestDevice>(new TestDevice(clock));
}

OutputFactory TestDevice::factory()
{
    std::weak_ptr<TestDevice> weak = weak_from_this();
    return [weak](int32_t deviceId) -> std::unique_ptr<AudioOutput> {
        auto device = weak.lock();
        if (!device)
            return nullptr;
        {
            std::lock_guard lock(device->m_mutex);
            device->m_record.deviceIds.push_back(deviceId);
        }
        return std::make_unique<TestOutput>(device, device->m_clock == Clock::RealTime);
    };
}

void TestDevice::setAcceptedFormats(std::function<bool(const PcmFormat&)> accepts, std::string errorText)
{
    std::lock_guard lock(m_mutex);
    m_accepts = std::move(accepts);
    m_rejectText = std::move(errorText);
}

void TestDevice::setRecording(bool on)
{
    std::lock_guard lock(m_mutex);
    m_recording = on;
}

std::size_t TestDevice::advance(std::size_t frames)
{
    TestOutput* output;
    {
        std::lock_guard lock(m_mutex);
        output = m_open;
    }
    // The manual clock runs on the test's own thread, the same one that closes outputs.
    return output ? output->tick(frames, true) : 0;
}

TestDevice::Record TestDevice::record() const
{
    std::lock_guard lock(m_mutex);
    return m_record;
}

bool TestDevice::hasOpenOutput() const
{
    std::lock_guard lock(m_mutex);
    return m_open != nullptr;
}

} // namespace kx
