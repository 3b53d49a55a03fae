#include "DeviceCapabilities.h"

#include "FormatSummary.h"

#include <portaudio.h>

namespace kx {

DeviceCapabilities DeviceCapabilities::query(int32_t deviceId, DeviceDirection direction)
{
    DeviceCapabilities caps;
    PortAudioSession& session = PortAudioSession::instance();
    const int index = session.resolve(deviceId, direction);
    if (index < 0)
        return caps;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (!info)
        return caps;
    caps.productName = info->name ? info->name : "";
    // The backend has no driver versions; its own version stands in for the driver's.
    const int version = Pa_GetVersion();
    caps.driverVersion = uint16_t((((version >> 16) & 0xFF) << 8) | ((version >> 8) & 0xFF));
    for (const uint32_t rate : { 11025u, 22050u, 44100u }) {
        for (const uint16_t channels : { 1, 2 }) {
            for (const uint16_t bits : { 8, 16 }) {
                PaStreamParameters parameters {};
                parameters.device = index;
                parameters.channelCount = channels;
                parameters.sampleFormat = bits == 16 ? paInt16 : paUInt8;
                parameters.suggestedLatency = direction == DeviceDirection::Output ? info->defaultHighOutputLatency
                                                                                   : info->defaultHighInputLatency;
                const bool output = direction == DeviceDirection::Output;
                if (Pa_IsFormatSupported(output ? nullptr : &parameters, output ? &parameters : nullptr, rate)
                    == paFormatIsSupported)
                    caps.formats |= standardFormatBit(rate, channels, bits);
            }
        }
    }
    return caps;
}

} // namespace kx
