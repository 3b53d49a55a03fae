#include "Fades.h"

#include "Avx2Scaling.h"
#include "SampleAccess.h"
#include "SampleScaling.h"

#include <algorithm>

namespace kx {

namespace {

#if defined(__x86_64__)
    // The quotient must round exactly as the scalar division does. Half the lanes take the real
    // division; the other half take a multiplication by 1 / n, which gives bounds around the
    // quotient, and where both bounds round to the same factor that factor is the exact one (the
    // rare lanes near a rounding boundary fall back to the division). The divider and the other
    // units then work side by side.
    __attribute__((target("avx2,fma"))) void rampAvx2(
        int16_t* data, std::size_t count, std::size_t firstIndex, double first, double change, double n, int16_t* copy)
    {
        // The copy takes streaming stores, so the vector loop starts at its 16-byte boundary.
        std::size_t j = 0;
        if (copy) {
            const std::size_t head = std::min(count, (16 - reinterpret_cast<uintptr_t>(copy) % 16) % 16 / 2);
            for (; j < head; ++j) {
                copy[j] = data[j];
                data[j] = scaleSample(data[j], float(first + double(firstIndex + j) * change / n));
            }
        }
        const __m256d start = _mm256_set1_pd(first);
        const __m256d slope = _mm256_set1_pd(change);
        const __m256d length = _mm256_set1_pd(n);
        const __m256d reciprocal = _mm256_set1_pd(1.0 / n);
        const __m256 largest = _mm256_set1_ps(kLargestFactor);
        __m256d divided = avx2::indices(firstIndex + j);
        __m256d bounded = avx2::indices(firstIndex + j + 4);
        for (; j + 8 <= count; j += 8) {
            const __m128 exact
                = _mm256_cvtpd_ps(_mm256_add_pd(start, _mm256_div_pd(_mm256_mul_pd(divided, slope), length)));
            const __m256d numerator = _mm256_mul_pd(bounded, slope);
            const avx2::QuotientBounds bounds = avx2::quotientBounds(numerator, reciprocal);
            __m128 other = _mm256_cvtpd_ps(_mm256_add_pd(start, bounds.low));
            if (!avx2::same(other, _mm256_cvtpd_ps(_mm256_add_pd(start, bounds.high))))
                other = _mm256_cvtpd_ps(_mm256_add_pd(start, _mm256_div_pd(numerator, length)));
            // Beyond the largest factor every non-zero sample clips either way.
            const __m256 factors = _mm256_max_ps(
                _mm256_min_ps(_mm256_set_m128(other, exact), largest), _mm256_sub_ps(_mm256_setzero_ps(), largest));
            auto* at = reinterpret_cast<__m128i*>(data + j);
            const __m128i stored = _mm_loadu_si128(at);
            if (copy)
                _mm_stream_si128(reinterpret_cast<__m128i*>(copy + j), stored);
            const __m256i scaled = avx2::scaleEightFused(_mm256_cvtepi16_epi32(stored), factors);
            _mm_storeu_si128(at, _mm_packs_epi32(_mm256_castsi256_si128(scaled), _mm256_extracti128_si256(scaled, 1)));
            divided = _mm256_add_pd(divided, _mm256_set1_pd(8.0));
            bounded = _mm256_add_pd(bounded, _mm256_set1_pd(8.0));
        }
        if (copy)
            _mm_sfence();
        for (; j < count; ++j) {
            if (copy)
                copy[j] = data[j];
            data[j] = scaleSample(data[j], float(first + double(firstIndex + j) * change / n));
        }
    }
#endif

    // Each factor comes from its index in double precision: adding a single-precision step sample
    // after sample stalls once the step falls below the factor's precision.
    BlockChange rampChange(const WaveHeader& header, ByteRange working, double first, double change)
    {
        const ByteRange range = wholeSamples(header, working);
        const double n = double(range.length / sampleBytes(header));
        return { range, sampleBytes(header),
            sampleChange(header, [=](auto samples, std::size_t firstIndex, auto* copy) {
                rampSamples(samples, firstIndex, first, change, n, copy);
            }) };
    }

} // namespace

void rampSamples(
    std::span<uint8_t> samples, std::size_t firstIndex, double first, double change, double n, uint8_t* copy)
{
    if (copy)
        copyPastCache(copy, samples.data(), samples.size());
    scaleEach(samples, firstIndex, [=](double i) { return float(first + i * change / n); });
}

void rampSamples(
    std::span<int16_t> samples, std::size_t firstIndex, double first, double change, double n, int16_t* copy)
{
#if defined(__x86_64__)
    if (cpuHasAvx2())
        return rampAvx2(samples.data(), samples.size(), firstIndex, first, change, n, copy);
#endif
    if (copy)
        copyPastCache(
            reinterpret_cast<uint8_t*>(copy), reinterpret_cast<const uint8_t*>(samples.data()), samples.size_bytes());
    scaleEach(samples, firstIndex, [=](double i) { return float(first + i * change / n); });
}

BlockChange fadeInChange(const WaveHeader& header, ByteRange working, uint32_t percent)
{
    const double level = double(percent) / 100.0;
    return rampChange(header, working, level, 1.0 - level);
}

BlockChange fadeOutChange(const WaveHeader& header, ByteRange working, uint32_t percent)
{
    const double level = double(percent) / 100.0;
    return rampChange(header, working, 1.0, -(1.0 - level));
}

FilterStatus fadeIn(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    return changeByBlocks(document, fadeInChange(document.header, workingRange(document), percent), "Fade In", control);
}

FilterStatus fadeOut(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    return changeByBlocks(
        document, fadeOutChange(document.header, workingRange(document), percent), "Fade Out", control);
}

} // namespace kx
