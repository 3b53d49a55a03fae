#include "OutputVolume.h"

#include <atomic>
#include <cstring>

namespace kx::outputvolume {

namespace {

    std::atomic<uint32_t> g_volume { kFull };

    uint32_t leftOf(uint32_t volume)
    {
        return volume & 0xFFFF;
    }
    uint32_t rightOf(uint32_t volume)
    {
        return volume >> 16;
    }

    // Truncates towards zero, so full volume (0xFFFF) leaves every sample as it was.
    int32_t scaled(int32_t value, uint32_t channelVolume)
    {
        return int32_t(int64_t(value) * channelVolume / 0xFFFF);
    }

} // namespace

uint32_t stepUp(uint32_t volume)
{
    if (leftOf(volume) <= 0xEFFF && volume < 0xF0000000)
        return volume + kStep;
    return volume;
}

uint32_t stepDown(uint32_t volume)
{
    if (leftOf(volume) > 0x0FFF && volume > 0x0FFFFFFF)
        return volume - kStep;
    return volume;
}

uint32_t current()
{
    return g_volume.load(std::memory_order_relaxed);
}

void set(uint32_t volume)
{
    g_volume.store(volume, std::memory_order_relaxed);
}

void apply(std::span<uint8_t> bytes, const PcmFormat& format, uint32_t volume)
{
    if (volume == kFull)
        return;
    const uint32_t gains[2] = { leftOf(volume), format.channels == 2 ? rightOf(volume) : leftOf(volume) };
    const std::size_t channels = format.channels == 2 ? 2 : 1;
    if (format.bits == 16) {
        const std::size_t values = bytes.size() / 2;
        for (std::size_t i = 0; i < values; ++i) {
            int16_t value;
            std::memcpy(&value, bytes.data() + 2 * i, 2);
            value = int16_t(scaled(value, gains[i % channels]));
            std::memcpy(bytes.data() + 2 * i, &value, 2);
        }
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(128 + scaled(int32_t(bytes[i]) - 128, gains[i % channels]));
}

} // namespace kx::outputvolume
