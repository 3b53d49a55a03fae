#include "CdInput.h"

#include "CdDevice.h"
#include "CdSource.h"

#include <chrono>
#include <vector>

namespace kx {

CdInput::CdInput(std::shared_ptr<CdDisc> disc, int32_t startSector, Pace pace)
    : m_disc(std::move(disc))
    , m_start(startSector)
    , m_pace(pace)
{
}

CdInput::~CdInput()
{
    stop();
}

DeviceStatus CdInput::open(const PcmFormat& format)
{
    if (!m_disc)
        return DeviceStatus::failure("There is no disc in the CD drive.");
    if (!(format == CdDisc::kFormat))
        return DeviceStatus::failure("A CD gives only 16-bit stereo sound at 44100 Hz.");
    m_open = true;
    return DeviceStatus::success();
}

DeviceStatus CdInput::start(BlockHandler onBlock)
{
    if (!m_open)
        return DeviceStatus::failure("The device is not open.");
    const auto run = m_disc->audioRunFrom(m_start);
    if (!run)
        return DeviceStatus::failure("There is no audio on the CD from this position on.");
    stop();
    m_stopping = false;
    m_thread = std::thread([this, run = *run, onBlock = std::move(onBlock)] {
        CdSource source(m_disc, run.first, run.second);
        std::vector<uint8_t> block(framesPerBlock(CdDisc::kFormat) * CdDisc::kFormat.blockAlign());
        const auto begin = std::chrono::steady_clock::now();
        uint64_t delivered = 0;
        while (!m_stopping.load()) {
            const std::size_t got = source.read(block);
            if (got > 0)
                onBlock(std::span<const uint8_t>(block).first(got));
            delivered += got;
            if (got < block.size()) {
                // The sectors read before an unreadable one are all delivered first.
                if (source.failedSector() >= 0) {
                    std::lock_guard lock(m_errorMutex);
                    m_error = "The CD cannot be read at " + CdDevice::minutesText(source.failedSector()) + ".";
                }
                return;
            }
            if (m_pace == Pace::RealTime)
                std::this_thread::sleep_until(
                    begin + std::chrono::microseconds(delivered * 1'000'000 / CdDisc::kFormat.bytesPerSecond()));
        }
    });
    return DeviceStatus::success();
}

void CdInput::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::string CdInput::captureError() const
{
    std::lock_guard lock(m_errorMutex);
    return m_error;
}

} // namespace kx
