#include "OutputDevices.h"

#include "PortAudioSession.h"

#include <portaudio.h>

#include <charconv>
#include <cstdio>

namespace kx::outputdevices {

int32_t idFromText(const std::string& text)
{
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return kDefaultDevice;
    return int32_t(value);
}

std::string textOfId(int32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", uint32_t(id));
    return text;
}

std::vector<std::string> names()
{
    std::vector<std::string> result;
    for (const int index : PortAudioSession::instance().devices(DeviceDirection::Output)) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        result.emplace_back(info && info->name ? info->name : "");
    }
    return result;
}

std::vector<std::string> choices()
{
    std::vector<std::string> result = names();
    if (!result.empty())
        result.insert(result.begin(), kDefaultDeviceName);
    return result;
}

} // namespace kx::outputdevices
