#include "PortAudioOutput.h"

#include "PortAudioSession.h"

#include <portaudio.h>

#include <algorithm>
#include <span>

namespace kx {

namespace {

    PaStream* streamOf(void* stream)
    {
        return static_cast<PaStream*>(stream);
    }

} // namespace

struct PortAudioCallbacks {
    static int render(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
        PaStreamCallbackFlags, void* self)
    {
        return static_cast<PortAudioOutput*>(self)->render(output, frames) ? paContinue : paComplete;
    }
    static void finished(void* self) { static_cast<PortAudioOutput*>(self)->notifyFinished(); }
};

PortAudioOutput::PortAudioOutput(int32_t deviceId)
    : m_deviceId(deviceId)
{
}

PortAudioOutput::~PortAudioOutput()
{
    close();
}

OutputFactory PortAudioOutput::factory()
{
    return [](int32_t deviceId) { return std::make_unique<PortAudioOutput>(deviceId); };
}

DeviceStatus PortAudioOutput::open(const PcmFormat& format)
{
    close();
    PortAudioSession& session = PortAudioSession::instance();
    if (!session.ok())
        return DeviceStatus::failure(session.errorText());
    const int device = session.resolve(m_deviceId, DeviceDirection::Output);
    if (device < 0)
        return DeviceStatus::failure("No output device installed.");
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters parameters {};
    parameters.device = device;
    parameters.channelCount = format.channels;
    parameters.sampleFormat = format.bits == 16 ? paInt16 : paUInt8;
    // The high latency keeps a sound server fed when the machine is busy; it delays only the start.
    parameters.suggestedLatency = info ? info->defaultHighOutputLatency : 0.1;
    PaStream* stream = nullptr;
    const PaError error = Pa_OpenStream(&stream, nullptr, &parameters, format.rate, paFramesPerBufferUnspecified,
        paNoFlag, &PortAudioCallbacks::render, this);
    if (error != paNoError)
        return DeviceStatus::failure(PortAudioSession::errorText(error));
    Pa_SetStreamFinishedCallback(stream, &PortAudioCallbacks::finished);
    m_stream = stream;
    m_format = format;
    return DeviceStatus::success();
}

DeviceStatus PortAudioOutput::start(std::shared_ptr<AudioSource> source, DoneHandler onDone)
{
    if (!m_stream)
        return DeviceStatus::failure("The device is not open.");
    stop();
    m_pump = std::make_unique<StreamPump>(std::move(source), m_format);
    m_pump->start();
    m_onDone = std::move(onDone);
    m_completed = false;
    m_stopping = false;
    m_paused = false;
    const PaError error = Pa_StartStream(streamOf(m_stream));
    if (error != paNoError) {
        m_pump->shutdown();
        m_onDone = nullptr;
        return DeviceStatus::failure(PortAudioSession::errorText(error));
    }
    return DeviceStatus::success();
}

void PortAudioOutput::stop()
{
    if (m_stream) {
        m_stopping = true;
        // A stream that reached its end still has its last buffers in the sound server: let them
        // play out. Anything else stops at once.
        if (Pa_IsStreamStopped(streamOf(m_stream)) == 0) {
            if (m_completed)
                Pa_StopStream(streamOf(m_stream));
            else
                Pa_AbortStream(streamOf(m_stream));
        }
    }
    if (m_pump)
        m_pump->shutdown();
    m_onDone = nullptr;
    m_paused = false;
}

void PortAudioOutput::close()
{
    stop();
    if (m_stream)
        Pa_CloseStream(streamOf(m_stream));
    m_stream = nullptr;
    m_pump.reset();
}

bool PortAudioOutput::render(void* output, unsigned long frames)
{
    const std::span<uint8_t> bytes(static_cast<uint8_t*>(output), frames * m_format.blockAlign());
    if (m_paused) {
        std::fill(bytes.begin(), bytes.end(), StreamPump::silenceByte(m_format));
        return true;
    }
    // The stream ends on the call after the last bytes went out: the backend may drop the buffer
    // that comes with the end, so that one holds only silence.
    const bool ended = m_pump->drained();
    m_pump->pull(bytes, false);
    if (ended)
        m_completed = true;
    return !ended;
}

void PortAudioOutput::notifyFinished()
{
    if (m_completed && !m_stopping && m_onDone)
        m_onDone();
}

} // namespace kx
