#include "Recorder.h"

#include <algorithm>

namespace kx {

Recorder::Recorder(InputFactory inputs)
    : m_inputs(std::move(inputs))
{
}

Recorder::~Recorder()
{
    stop();
}

DeviceStatus Recorder::start(
    int32_t deviceId, const PcmFormat& format, const std::string& path, mode_t mode, uint64_t limitBytes)
{
    stop();
    m_format = format;
    m_limit = std::min(limitBytes, RecordingFile::kMaxDataBytes) / format.blockAlign() * format.blockAlign();
    m_paused = false;
    m_bytes = 0;
    m_writeFailed = false;
    m_done = false;
    m_input = m_inputs(deviceId);
    if (!m_input)
        return DeviceStatus::failure("No input device installed.");
    DeviceStatus status = m_input->open(format);
    if (status.ok()) {
        std::string error;
        if (!m_file.create(path, format, mode, error))
            status = DeviceStatus::failure(path + ": " + error);
    }
    if (status.ok())
        status = m_input->start([this](std::span<const uint8_t> block) { take(block); });
    if (!status.ok()) {
        m_input.reset();
        m_file.close();
    }
    return status;
}

void Recorder::take(std::span<const uint8_t> block)
{
    const uint64_t recorded = m_bytes.load();
    if (m_paused || recorded >= m_limit || m_writeFailed)
        return;
    block = block.first(std::size_t(std::min<uint64_t>(block.size(), m_limit - recorded)));
    m_file.append(block);
    if (m_file.dataBytes() != recorded + block.size())
        m_writeFailed = true;
    m_bytes = m_file.dataBytes();
    if (m_writeFailed || m_bytes >= m_limit) {
        std::lock_guard lock(m_doneMutex);
        m_done = true;
        m_doneChanged.notify_all();
    }
}

uint64_t Recorder::elapsedMs() const
{
    return m_bytes.load() * 1000 / m_format.bytesPerSecond();
}

bool Recorder::waitUntilDone(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_doneMutex);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_done) {
        if (m_input && !m_input->captureError().empty())
            return true;
        if (m_doneChanged.wait_until(
                lock, std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(100)))
                == std::cv_status::timeout
            && std::chrono::steady_clock::now() >= deadline)
            return m_done;
    }
    return true;
}

DeviceStatus Recorder::stop()
{
    if (!m_input)
        return DeviceStatus::success();
    m_input->stop();
    const std::string captureError = m_input->captureError();
    m_input.reset();
    const bool closed = m_file.close();
    if (!captureError.empty())
        return DeviceStatus::failure(captureError);
    if (m_writeFailed || !closed)
        return DeviceStatus::failure("Cannot write data.");
    return DeviceStatus::success();
}

} // namespace kx
