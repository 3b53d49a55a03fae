#include "PortAudioInput.h"

#include "PortAudioSession.h"

#include <portaudio.h>

#include <string>
#include <vector>

namespace kx {

PortAudioInput::PortAudioInput(int32_t deviceId)
    : m_deviceId(deviceId)
{
}

PortAudioInput::~PortAudioInput()
{
    close();
}

InputFactory PortAudioInput::factory()
{
    return [](int32_t deviceId) { return std::make_unique<PortAudioInput>(deviceId); };
}

DeviceStatus PortAudioInput::open(const PcmFormat& format)
{
    close();
    PortAudioSession& session = PortAudioSession::instance();
    if (!session.ok())
        return DeviceStatus::failure(session.errorText());
    const int device = session.resolve(m_deviceId, DeviceDirection::Input);
    if (device < 0 && m_deviceId >= 0 && !session.devices(DeviceDirection::Input).empty())
        return DeviceStatus::failure("Input device " + std::to_string(m_deviceId) + " does not exist.");
    if (device < 0)
        return DeviceStatus::failure("No input device installed.");
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters parameters {};
    parameters.device = device;
    parameters.channelCount = format.channels;
    parameters.sampleFormat = format.bits == 16 ? paInt16 : paUInt8;
    // A generous buffer rides out the moments the capture thread spends writing to disk.
    parameters.suggestedLatency = info ? info->defaultHighInputLatency : 0.2;
    PaStream* stream = nullptr;
    const PaError error
        = Pa_OpenStream(&stream, &parameters, nullptr, format.rate, framesPerBlock(format), paNoFlag, nullptr, nullptr);
    if (error != paNoError)
        return DeviceStatus::failure(PortAudioSession::errorText(error));
    m_stream = stream;
    m_format = format;
    return DeviceStatus::success();
}

DeviceStatus PortAudioInput::start(BlockHandler onBlock)
{
    if (!m_stream)
        return DeviceStatus::failure("The device is not open.");
    stop();
    {
        std::lock_guard lock(m_errorMutex);
        m_error.clear();
    }
    const PaError error = Pa_StartStream(static_cast<PaStream*>(m_stream));
    if (error != paNoError)
        return DeviceStatus::failure(PortAudioSession::errorText(error));
    m_stopping = false;
    m_thread = std::thread([this, onBlock = std::move(onBlock)] { capture(onBlock); });
    return DeviceStatus::success();
}

void PortAudioInput::capture(BlockHandler onBlock)
{
    const unsigned long frames = framesPerBlock(m_format);
    std::vector<uint8_t> block(frames * m_format.blockAlign());
    while (!m_stopping.load()) {
        const PaError error = Pa_ReadStream(static_cast<PaStream*>(m_stream), block.data(), frames);
        // An overflow lost input before this block; the block itself is good.
        if (error != paNoError && error != paInputOverflowed) {
            std::lock_guard lock(m_errorMutex);
            m_error = PortAudioSession::errorText(error);
            return;
        }
        onBlock(block);
    }
}

void PortAudioInput::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_stream && Pa_IsStreamStopped(static_cast<PaStream*>(m_stream)) == 0)
        Pa_AbortStream(static_cast<PaStream*>(m_stream));
}

void PortAudioInput::close()
{
    stop();
    if (m_stream)
        Pa_CloseStream(static_cast<PaStream*>(m_stream));
    m_stream = nullptr;
}

std::string PortAudioInput::captureError() const
{
    std::lock_guard lock(m_errorMutex);
    return m_error;
}

} // namespace kx
