#include "MixSamples.h"

#include "filters/SampleScaling.h"

#include <algorithm>

namespace kx {

KX_VECTOR_CLONES void mixSamples(std::span<int16_t> target, std::span<const int16_t> clip, float gain)
{
    gain = std::clamp(gain, -kLargestFactor, kLargestFactor);
    const std::size_t count = std::min(target.size(), clip.size());
    int16_t* out = target.data();
    const int16_t* in = clip.data();
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t mean = (int32_t(out[i]) + int32_t(in[i])) / 2;
        out[i] = scaleSample(int16_t(mean), gain);
    }
}

void mixSamples(std::span<uint8_t> target, std::span<const uint8_t> clip, float gain)
{
    gain = std::clamp(gain, -kLargestFactor, kLargestFactor);
    // 256 possible means: scale each once.
    uint8_t scaled[256];
    for (int mean = 0; mean < 256; ++mean)
        scaled[mean] = scaleSample(uint8_t(mean), gain);
    const std::size_t count = std::min(target.size(), clip.size());
    for (std::size_t i = 0; i < count; ++i)
        target[i] = scaled[(unsigned(target[i]) + unsigned(clip[i])) / 2];
}

} // namespace kx
