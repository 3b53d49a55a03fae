#include "Zeroize.h"

#include "SampleAccess.h"
#include "SampleScaling.h"
#include "Silence.h"

#include <span>
#include <type_traits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kx {

namespace {

    template <class Sample> void gateScalar(std::span<Sample> samples, int32_t centre, int32_t threshold)
    {
        for (Sample& sample : samples) {
            const int32_t value = int32_t(sample) - centre;
            sample = (value > -threshold && value < threshold) ? Sample(centre) : sample;
        }
    }

#if defined(__x86_64__)
    /// For thresholds 1..32767, where both bounds fit 16 bits.
    __attribute__((target("avx2"))) void gateAvx2(std::span<int16_t> samples, int16_t threshold)
    {
        const __m256i above = _mm256_set1_epi16(int16_t(-threshold));
        const __m256i below = _mm256_set1_epi16(threshold);
        int16_t* data = samples.data();
        std::size_t i = 0;
        for (; i + 16 <= samples.size(); i += 16) {
            auto* at = reinterpret_cast<__m256i*>(data + i);
            const __m256i values = _mm256_loadu_si256(at);
            const __m256i quiet
                = _mm256_and_si256(_mm256_cmpgt_epi16(values, above), _mm256_cmpgt_epi16(below, values));
            _mm256_storeu_si256(at, _mm256_andnot_si256(quiet, values));
        }
        gateScalar(samples.subspan(i), 0, threshold);
    }
#endif

    void gate(std::span<int16_t> samples, int32_t threshold)
    {
#if defined(__x86_64__)
        if (threshold > 0 && threshold <= 32767 && cpuHasAvx2())
            return gateAvx2(samples, int16_t(threshold));
#endif
        gateScalar(samples, 0, threshold);
    }

    void gate(std::span<uint8_t> samples, int32_t threshold)
    {
        gateScalar(samples, kSilenceByte8, threshold);
    }

} // namespace

GateThresholds gateThresholds(uint32_t tenths)
{
    const double level = double(tenths) * 0.1;
    return { int32_t(level * double(1.27f)), int32_t(level * double(327.67f)) };
}

BlockChange zeroizeChange(const WaveHeader& header, ByteRange working, uint32_t tenths)
{
    const GateThresholds gate = gateThresholds(tenths);
    return { wholeSamples(header, working), sampleBytes(header),
        sampleChange(header, [gate](auto samples, std::size_t, auto* copy) {
            using Sample = typename decltype(samples)::element_type;
            copyOriginal(copy, std::span<const Sample>(samples));
            kx::gate(samples, std::is_same_v<Sample, uint8_t> ? gate.eightBit : gate.sixteenBit);
        }) };
}

FilterStatus zeroize(WaveDocument& document, uint32_t tenths, const FilterControl& control)
{
    return changeByBlocks(document, zeroizeChange(document.header, workingRange(document), tenths), "Zeroize", control);
}

} // namespace kx
