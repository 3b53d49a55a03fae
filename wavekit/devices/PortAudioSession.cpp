#include "PortAudioSession.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace kx {

namespace {

    void ignoreAlsaError(const char*, int, const char*, int, const char*, ...)
    {
    }

    /// Sends stderr to /dev/null for the life of the object: the JACK client library prints its
    /// failed connection attempts there while PortAudio probes for a JACK server.
    class StderrSilencer {
    public:
        StderrSilencer()
        {
            std::fflush(stderr);
            m_saved = dup(STDERR_FILENO);
            const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
            if (m_saved >= 0 && null >= 0)
                dup2(null, STDERR_FILENO);
            if (null >= 0)
                ::close(null);
        }
        ~StderrSilencer()
        {
            if (m_saved < 0)
                return;
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }

    private:
        int m_saved = -1;
    };

    int channelsOf(const PaDeviceInfo* info, DeviceDirection direction)
    {
        return direction == DeviceDirection::Output ? info->maxOutputChannels : info->maxInputChannels;
    }

} // namespace

PortAudioSession& PortAudioSession::instance()
{
    // Never destroyed: outputs that static objects still hold at exit must not outlive PortAudio.
    static PortAudioSession* session = new PortAudioSession;
    return *session;
}

PortAudioSession::PortAudioSession()
{
    snd_lib_error_set_handler(ignoreAlsaError);
    // Never start a JACK server just to look for devices.
    setenv("JACK_NO_START_SERVER", "1", 0);
    PaError error;
    {
        StderrSilencer silencer;
        error = Pa_Initialize();
    }
    m_ok = error == paNoError;
    if (!m_ok)
        m_errorText = errorText(error);
}

std::vector<int> PortAudioSession::devices(DeviceDirection direction) const
{
    std::vector<int> indices;
    if (!m_ok)
        return indices;
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info && channelsOf(info, direction) > 0)
            indices.push_back(i);
    }
    return indices;
}

int PortAudioSession::resolve(int32_t deviceId, DeviceDirection direction) const
{
    if (!m_ok)
        return -1;
    if (deviceId < 0) {
        const PaDeviceIndex index
            = direction == DeviceDirection::Output ? Pa_GetDefaultOutputDevice() : Pa_GetDefaultInputDevice();
        return index == paNoDevice ? -1 : index;
    }
    const std::vector<int> indices = devices(direction);
    return std::size_t(deviceId) < indices.size() ? indices[std::size_t(deviceId)] : -1;
}

std::string PortAudioSession::errorText(int paError)
{
    std::string text = Pa_GetErrorText(paError);
    if (paError == paUnanticipatedHostError) {
        const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
        if (host && host->errorText && *host->errorText)
            text += std::string(": ") + host->errorText;
    }
    return text;
}

} // namespace kx
