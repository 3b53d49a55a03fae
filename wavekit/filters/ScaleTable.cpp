#include "ScaleTable.h"

#include "Avx2Scaling.h"
#include "SampleScaling.h"
#include "StreamingCopy.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

#if defined(__x86_64__)
    /// Eight 32-bit samples times the factor: the product in double precision (exact for a 16-bit
    /// value and a single-precision factor), truncated toward zero, as scaleSample does.
    __attribute__((target("avx2"))) inline __m256i scaleEight(__m256i values, __m256d factor)
    {
        const __m256d low = _mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(values)), factor);
        const __m256d high = _mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(values, 1)), factor);
        return _mm256_set_m128i(_mm256_cvttpd_epi32(high), _mm256_cvttpd_epi32(low));
    }

    /// |factor| <= kLargestFactor keeps every truncated product inside 32 bits; packing with
    /// signed saturation is then the clip to 16 bits.
    __attribute__((target("avx2"))) void scaleAvx2(std::span<int16_t> samples, float factor)
    {
        const __m256d wide = _mm256_set1_pd(double(factor));
        int16_t* data = samples.data();
        std::size_t i = 0;
        for (; i + 16 <= samples.size(); i += 16) {
            const __m256i stored = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
            const __m256i first = scaleEight(_mm256_cvtepi16_epi32(_mm256_castsi256_si128(stored)), wide);
            const __m256i second = scaleEight(_mm256_cvtepi16_epi32(_mm256_extracti128_si256(stored, 1)), wide);
            // The pack interleaves the two halves by 128-bit lane; the permute puts them in order.
            const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(first, second), 0xD8);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + i), packed);
        }
        for (; i < samples.size(); ++i)
            data[i] = scaleSample(data[i], factor);
    }

    constexpr float kSmallestFusedFactor = 1e-20f;

    /// With `copy`, each group of sixteen goes there too before it changes, with streaming stores
    /// (aligned: the samples before the copy's first 32-byte boundary take the scalar way).
    __attribute__((target("avx2,fma"))) void scaleFused(std::span<int16_t> samples, float factor, int16_t* copy)
    {
        const __m256 wide = _mm256_set1_ps(factor);
        int16_t* data = samples.data();
        std::size_t i = 0;
        if (copy) {
            const std::size_t head = std::min(samples.size(), (32 - reinterpret_cast<uintptr_t>(copy) % 32) % 32 / 2);
            for (; i < head; ++i) {
                copy[i] = data[i];
                data[i] = scaleSample(data[i], factor);
            }
        }
        for (; i + 16 <= samples.size(); i += 16) {
            const __m256i stored = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
            if (copy)
                _mm256_stream_si256(reinterpret_cast<__m256i*>(copy + i), stored);
            const __m256i first = avx2::scaleEightFused(_mm256_cvtepi16_epi32(_mm256_castsi256_si128(stored)), wide);
            const __m256i second
                = avx2::scaleEightFused(_mm256_cvtepi16_epi32(_mm256_extracti128_si256(stored, 1)), wide);
            const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(first, second), 0xD8);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + i), packed);
        }
        if (copy)
            _mm_sfence();
        for (; i < samples.size(); ++i) {
            if (copy)
                copy[i] = data[i];
            data[i] = scaleSample(data[i], factor);
        }
    }

    const bool g_hasAvx2 = __builtin_cpu_supports("avx2");
    const bool g_hasFma = __builtin_cpu_supports("fma");
#endif

} // namespace

ScaleTable::ScaleTable(float factor)
    : m_factor(std::clamp(factor, -kLargestFactor, kLargestFactor))
    , m_sixteenBit(65536)
{
    for (int byte = 0; byte < 256; ++byte)
        m_eightBit[byte] = uint8_t(byte);
    scaleSamples(std::span<uint8_t>(m_eightBit), m_factor);
    for (int bits = 0; bits < 65536; ++bits)
        m_sixteenBit[bits] = int16_t(uint16_t(bits));
    scaleSamples(std::span<int16_t>(m_sixteenBit), m_factor);
}

void ScaleTable::apply(std::span<uint8_t> samples) const
{
    for (uint8_t& sample : samples)
        sample = m_eightBit[sample];
}

void ScaleTable::apply(std::span<uint8_t> samples, uint8_t* copy) const
{
    if (copy)
        copyPastCache(copy, samples.data(), samples.size());
    apply(samples);
}

void ScaleTable::apply(std::span<int16_t> samples, int16_t* copy) const
{
#if defined(__x86_64__)
    if (fusable())
        return scaleFused(samples, m_factor, copy);
#endif
    if (copy)
        copyPastCache(
            reinterpret_cast<uint8_t*>(copy), reinterpret_cast<const uint8_t*>(samples.data()), samples.size_bytes());
    apply(samples);
}

bool ScaleTable::fusable() const
{
#if defined(__x86_64__)
    return g_hasAvx2 && g_hasFma && (m_factor == 0.0f || std::abs(m_factor) >= kSmallestFusedFactor);
#else
    return false;
#endif
}

void ScaleTable::apply(std::span<int16_t> samples) const
{
#if defined(__x86_64__)
    if (fusable())
        return scaleFused(samples, m_factor, nullptr);
    if (g_hasAvx2)
        return scaleAvx2(samples, m_factor);
#endif
    const int16_t* table = m_sixteenBit.data();
    for (int16_t& sample : samples)
        sample = table[uint16_t(sample)];
}

} // namespace kx
