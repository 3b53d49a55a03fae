#include "TestOutput.h"

#include "TestDevice.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace kx {

TestOutput::TestOutput(std::shared_ptr<TestDevice> device, bool realTimeClock)
    : m_device(std::move(device))
    , m_realTimeClock(realTimeClock)
{
}

TestOutput::~TestOutput()
{
    close();
}

DeviceStatus TestOutput::open(const PcmFormat& format)
{
    std::lock_guard lock(m_device->m_mutex);
    if (m_device->m_accepts && !m_device->m_accepts(format))
        return DeviceStatus::failure(m_device->m_rejectText);
    if (m_device->m_open)
        return DeviceStatus::failure("The device is already in use.");
    m_device->m_open = this;
    m_device->m_record.openFormats.push_back(format);
    m_format = format;
    m_opened = true;
    return DeviceStatus::success();
}

DeviceStatus TestOutput::start(std::shared_ptr<AudioSource> source, DoneHandler onDone)
{
    if (!m_opened)
        return DeviceStatus::failure("The device is not open.");
    stop();
    m_onDone = std::move(onDone);
    m_doneSent = false;
    m_pump = std::make_unique<StreamPump>(std::move(source), m_format);
    m_pump->start();
    if (m_realTimeClock) {
        m_running = true;
        m_clock = std::thread([this] { runClock(); });
    }
    return DeviceStatus::success();
}

void TestOutput::stop()
{
    m_running = false;
    if (m_clock.joinable())
        m_clock.join();
    if (m_pump)
        m_pump->shutdown();
    m_onDone = nullptr;
    m_paused = false;
}

void TestOutput::close()
{
    stop();
    m_pump.reset();
    if (!m_opened)
        return;
    m_opened = false;
    std::lock_guard lock(m_device->m_mutex);
    if (m_device->m_open == this)
        m_device->m_open = nullptr;
    ++m_device->m_record.closes;
}

std::size_t TestOutput::tick(std::size_t frames, bool waitForData)
{
    if (!m_pump || m_paused || m_doneSent)
        return 0;
    std::vector<uint8_t> buffer(frames * m_format.blockAlign());
    const std::size_t got = m_pump->pull(buffer, waitForData);
    const bool done = m_pump->drained();
    {
        std::lock_guard lock(m_device->m_mutex);
        m_device->m_record.bytesPlayed += got;
        if (m_device->m_recording)
            m_device->m_record.played.insert(m_device->m_record.played.end(), buffer.begin(), buffer.begin() + got);
        if (done)
            ++m_device->m_record.dones;
    }
    if (done) {
        m_doneSent = true;
        if (m_onDone)
            m_onDone();
    }
    return got;
}

void TestOutput::runClock()
{
    constexpr auto kTick = std::chrono::milliseconds(5);
    const std::size_t framesPerTick = std::max<std::size_t>(1, m_format.rate / 200);
    auto next = std::chrono::steady_clock::now();
    while (m_running && !m_doneSent) {
        next += kTick;
        std::this_thread::sleep_until(next);
        tick(framesPerTick, false);
    }
}

} // namespace kx
