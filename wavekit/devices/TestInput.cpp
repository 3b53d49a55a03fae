#include "TestInput.h"

#include <chrono>
#include <vector>

namespace kx {

TestInput::TestInput(Generator generator, Pace pace)
    : m_generator(std::move(generator))
    , m_pace(pace)
{
}

TestInput::~TestInput()
{
    close();
}

InputFactory TestInput::factory(Generator generator, Pace pace)
{
    return [generator, pace](int32_t) { return std::make_unique<TestInput>(generator, pace); };
}

DeviceStatus TestInput::open(const PcmFormat& format)
{
    m_format = format;
    m_open = true;
    return DeviceStatus::success();
}

DeviceStatus TestInput::start(BlockHandler onBlock)
{
    if (!m_open)
        return DeviceStatus::failure("The device is not open.");
    stop();
    m_stopping = false;
    m_thread = std::thread([this, onBlock = std::move(onBlock)] {
        const unsigned long frames = framesPerBlock(m_format);
        std::vector<uint8_t> block(frames * m_format.blockAlign());
        const auto begin = std::chrono::steady_clock::now();
        for (uint64_t first = 0; !m_stopping.load(); first += frames) {
            if (m_pace == Pace::RealTime)
                std::this_thread::sleep_until(
                    begin + std::chrono::microseconds((first + frames) * 1'000'000 / m_format.rate));
            m_generator(block, first, m_format);
            onBlock(block);
        }
    });
    return DeviceStatus::success();
}

void TestInput::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kx
