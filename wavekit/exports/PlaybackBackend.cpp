#include "PlaybackBackend.h"

#include "devices/OutputDevices.h"
#include "devices/PortAudioInput.h"
#include "devices/PortAudioOutput.h"

#include <mutex>

namespace kx {

namespace {

    std::mutex g_mutex;
    PlaybackBackend g_installed;

} // namespace

PlaybackBackend PlaybackBackend::portAudio()
{
    return { PortAudioOutput::factory(), &outputdevices::names, &DeviceCapabilities::query, PortAudioInput::factory() };
}

PlaybackBackend PlaybackBackend::current()
{
    {
        std::lock_guard lock(g_mutex);
        if (g_installed.outputs) {
            PlaybackBackend installed = g_installed;
            if (!installed.inputs)
                installed.inputs = PortAudioInput::factory();
            return installed;
        }
    }
    // PortAudio is only touched once something asks for it.
    return portAudio();
}

void PlaybackBackend::install(PlaybackBackend backend)
{
    std::lock_guard lock(g_mutex);
    g_installed = std::move(backend);
}

} // namespace kx
