#include "MixSamples.h"

#include "filters/SampleScaling.h"
#include "filters/ScaleTable.h"

#include <algorithm>

namespace kx {

namespace {

    /// target[i] becomes the mean of itself and clip[i], rounded toward zero.
    KX_VECTOR_CLONES void averageInto(int16_t* target, const int16_t* clip, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            target[i] = int16_t((int32_t(target[i]) + int32_t(clip[i])) / 2);
    }

} // namespace

void mixSamples(std::span<int16_t> target, std::span<const int16_t> clip, float gain)
{
    mixSamples(target, clip, ScaleTable(gain));
}

void mixSamples(std::span<int16_t> target, std::span<const int16_t> clip, const ScaleTable& scale)
{
    // Means, then the volume change's own scaling, a block at a time so that the second pass
    // finds the means still in the cache.
    constexpr std::size_t kBlock = 8192;
    const std::size_t count = std::min(target.size(), clip.size());
    for (std::size_t first = 0; first < count; first += kBlock) {
        const std::size_t n = std::min(kBlock, count - first);
        averageInto(target.data() + first, clip.data() + first, n);
        scale.apply(target.subspan(first, n));
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
