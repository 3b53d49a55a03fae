#include "PeakVolume.h"

#include "SampleAccess.h"
#include "SampleScaling.h"
#include "ScaleTable.h"
#include "Volume.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kx {

namespace {

    template <class Sample> int32_t peakOf(std::span<const Sample> samples)
    {
        using Form = SampleForm<Sample>;
        int32_t lowest = 0;
        int32_t highest = 0;
        for (const Sample sample : samples) {
            const int32_t value = Form::value(sample);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
        return std::min(std::max(highest, -lowest), Form::kMax);
    }

#if defined(__x86_64__)
    // |v| of -32768 comes out as 0x8000, which the unsigned maximum takes as 32768.
    // With `copy`, the values go there too with streaming stores (aligned: the values before the
    // copy's first 32-byte boundary go the plain way).
    __attribute__((target("avx2"))) int32_t peakAvx2(std::span<const int16_t> samples, int16_t* copy)
    {
        const int16_t* data = samples.data();
        __m256i largest = _mm256_setzero_si256();
        std::size_t i = 0;
        if (copy) {
            i = std::min(samples.size(), (32 - reinterpret_cast<uintptr_t>(copy) % 32) % 32 / 2);
            std::memcpy(copy, data, i * 2);
            largest = _mm256_set1_epi16(int16_t(peakOf(samples.subspan(0, i))));
        }
        for (; i + 16 <= samples.size(); i += 16) {
            const __m256i values = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
            if (copy)
                _mm256_stream_si256(reinterpret_cast<__m256i*>(copy + i), values);
            largest = _mm256_max_epu16(largest, _mm256_abs_epi16(values));
        }
        if (copy) {
            _mm_sfence();
            std::memcpy(copy + i, data + i, (samples.size() - i) * 2);
        }
        alignas(32) uint16_t lanes[16];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), largest);
        int32_t peak = 0;
        for (const uint16_t lane : lanes)
            peak = std::max<int32_t>(peak, lane);
        for (; i < samples.size(); ++i)
            peak = std::max(peak, std::abs(int32_t(data[i])));
        return std::min<int32_t>(peak, SampleForm<int16_t>::kMax);
    }
#endif

    int32_t measureAndCopy(std::span<const uint8_t> samples, uint8_t* copy)
    {
        if (copy)
            copyPastCache(copy, samples.data(), samples.size());
        return peakOf(samples);
    }

    /// The peak of the samples, their values copied to `copy` (null: no copy) on the way.
    int32_t measureAndCopy(std::span<const int16_t> samples, int16_t* copy)
    {
#if defined(__x86_64__)
        if (cpuHasAvx2())
            return peakAvx2(samples, copy);
#endif
        if (copy)
            copyPastCache(reinterpret_cast<uint8_t*>(copy), reinterpret_cast<const uint8_t*>(samples.data()),
                samples.size_bytes());
        return peakOf(samples);
    }

} // namespace

int32_t peakMagnitude(std::span<const uint8_t> samples)
{
    return peakOf(samples);
}

int32_t peakMagnitude(std::span<const int16_t> samples)
{
    return measureAndCopy(samples, nullptr);
}

BlockChange peakChange(const WaveHeader& header, ByteRange working, int32_t peak)
{
    const int32_t fullScale = isEightBit(header) ? SampleForm<uint8_t>::kMax : SampleForm<int16_t>::kMax;
    if (peak == 0 || peak >= fullScale)
        return { wholeSamples(header, working), sampleBytes(header), {} };
    return scaleChange(header, working, float(double(fullScale) / double(peak)));
}

FilterStatus setMaxVolume(WaveDocument& document, const FilterControl& control)
{
    const ByteRange range = wholeSamples(document.header, workingRange(document));
    BlockUndo undo(document, range, "Set Maximal Volume");
    const FilterControl effective { undo.undoable() ? control.stop : nullptr, control.progress, control.betweenBlocks };
    const bool finished = visitSamples(document, range, [&](auto samples) {
        using Sample = typename decltype(samples)::element_type;
        // Measuring takes the undo copy on the way, while each block is in the cache.
        int32_t peak = 0;
        const bool measured = runInBlocks(
            samples.size(), { effective.stop, {}, effective.betweenBlocks }, [&](std::size_t first, std::size_t count) {
                auto* copy
                    = reinterpret_cast<Sample*>(undo.takeByCaller(first * sizeof(Sample), count * sizeof(Sample)));
                peak = std::max(peak, measureAndCopy(std::span<const Sample>(samples.subspan(first, count)), copy));
            });
        const BlockChange change = peakChange(document.header, range, peak);
        if (!measured || !change.change)
            return measured;
        // Backwards: the blocks measured last are still in the cache.
        return runInBlocks(samples.size(), effective, [&](std::size_t first, std::size_t count) {
            const std::size_t offset = (samples.size() - first - count) * sizeof(Sample);
            change.change(
                { reinterpret_cast<uint8_t*>(samples.data()) + offset, count * sizeof(Sample) }, offset, nullptr);
        });
    });
    return finishChange(document, undo, finished);
}

} // namespace kx
