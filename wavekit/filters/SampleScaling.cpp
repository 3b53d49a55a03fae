#include "SampleScaling.h"

#include <array>

namespace kx {

bool cpuHasAvx2()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool hasAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return hasAvx2;
#else
    return false;
#endif
}

float percentFactor(uint32_t percent)
{
    return float(double(percent) * double(0.01f));
}

int16_t changeSampleVolume(int16_t sample, int32_t bits, float factor)
{
    factor = std::clamp(factor, -kLargestFactor, kLargestFactor);
    if (bits == 8)
        return scaleSample(uint8_t(sample), factor);
    return scaleSample(sample, factor);
}

void scaleSamples(std::span<uint8_t> samples, float factor)
{
    // 256 possible inputs: a table is cheaper than any arithmetic.
    std::array<uint8_t, 256> table;
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = scaleSample(uint8_t(byte), factor);
    for (uint8_t& sample : samples)
        sample = table[sample];
}

KX_VECTOR_CLONES void scaleSamples(std::span<int16_t> samples, float factor)
{
    constexpr std::size_t kChunk = std::size_t(1) << 30;
    for (std::size_t first = 0; first < samples.size(); first += kChunk)
        scaleEach(
            samples.subspan(first, std::min(kChunk, samples.size() - first)), 0, [factor](double) { return factor; });
}

} // namespace kx
