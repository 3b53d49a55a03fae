#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// How the filters read and write one stored sample: 8-bit bytes are unsigned around 128, 16-bit
/// values signed.
template <class Sample> struct SampleForm;

template <> struct SampleForm<uint8_t> {
    static constexpr int32_t kMin = -128;
    static constexpr int32_t kMax = 127;
    static int32_t value(uint8_t stored) { return int32_t(stored) - 128; }
    static uint8_t stored(int32_t value) { return uint8_t(value + 128); }
};

template <> struct SampleForm<int16_t> {
    static constexpr int32_t kMin = -32768;
    static constexpr int32_t kMax = 32767;
    static int32_t value(int16_t stored) { return stored; }
    static int16_t stored(int32_t value) { return int16_t(value); }
};

/// Hot loops are built twice, for AVX2 and for the x86-64 baseline, and the loader picks one. Not
/// under ThreadSanitizer: the loader runs the picking code before the sanitizer's runtime is up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define KX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KX_VECTOR_CLONES
#endif

/// True when the processor runs AVX2 code with fused multiply-add, which every AVX2 processor of
/// note has (the build itself targets the x86-64 baseline).
bool cpuHasAvx2();

/// Factors beyond this give the same clipped results as this, and keep every product in 32 bits.
inline constexpr float kLargestFactor = 65535.0f;

/// One sample times a single-precision factor (|factor| <= kLargestFactor), the product taken in
/// double precision (where it is exact), truncated toward zero and clipped.
template <class Sample> inline Sample scaleSample(Sample sample, float factor)
{
    using Form = SampleForm<Sample>;
    const auto product = int32_t(double(Form::value(sample)) * double(factor));
    return Form::stored(std::min(std::max(product, Form::kMin), Form::kMax));
}

/// Scales samples[i] by factorOf(firstIndex + i), the index handed over as a double; factorOf gives
/// a single-precision factor. For blocks of fewer than 2^31 samples: the index within the block is
/// a 32-bit integer, which the vector units convert to double directly.
template <class Sample, class FactorOf>
inline void scaleEach(std::span<Sample> samples, std::size_t firstIndex, FactorOf factorOf)
{
    Sample* data = samples.data();
    const auto count = int32_t(samples.size());
    const double first = double(firstIndex);
    for (int32_t i = 0; i < count; ++i)
        data[i] = scaleSample(data[i], factorOf(first + double(i)));
}

/// percent / 100 as the volume dialogs mean it: percent times the single-precision 0.01, rounded to
/// single precision (200 gives exactly 2, 50 exactly 0.5).
float percentFactor(uint32_t percent);

/// Scales one sample: `bits` 8 reads the low byte as an unsigned 8-bit sample, anything else a
/// signed 16-bit one.
int16_t changeSampleVolume(int16_t sample, int32_t bits, float factor);

/// Every sample times one factor.
void scaleSamples(std::span<uint8_t> samples, float factor);
void scaleSamples(std::span<int16_t> samples, float factor);

} // namespace kx
