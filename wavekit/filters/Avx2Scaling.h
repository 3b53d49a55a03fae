#pragma once

// Building blocks of the AVX2 paths of the filters; include only from .cpp files, and call only
// from functions built for AVX2 after cpuHasAvx2() said yes.
#if defined(__x86_64__)
#include <cstddef>
#include <immintrin.h>

namespace kx::avx2 {

/// Four sample values (32-bit lanes) times four single-precision factors as scaleSample does it:
/// the product in double precision (exact), truncated toward zero and clipped to 16 bits. The
/// clip comes before the truncation, which gives the same values and keeps any factor in range.
__attribute__((target("avx2"))) inline __m128i scaleFour(__m128i values, __m128 factors)
{
    const __m256d product = _mm256_mul_pd(_mm256_cvtepi32_pd(values), _mm256_cvtps_pd(factors));
    const __m256d clipped = _mm256_min_pd(_mm256_max_pd(product, _mm256_set1_pd(-32768.0)), _mm256_set1_pd(32767.0));
    return _mm256_cvttpd_epi32(clipped);
}

/// The same values from single-precision arithmetic, eight at a time. The product p = v * f
/// rounded to single precision and its rounding error e (exact with a fused multiply-add) make
/// up the exact product p + e, |e| at most half a unit of p's last place. When e points toward
/// zero the product lies strictly between p and its neighbour toward zero, and no integer lies
/// in between, so truncating that neighbour (p's bits minus one) gives the truncated product;
/// otherwise truncating p does. Needs products that do not underflow (factors 0 or of magnitude
/// at least 1e-20) and factors of magnitude at most 65535, which keeps every product in 32 bits;
/// the result is not yet clipped to 16 bits (packing with signed saturation does that).
__attribute__((target("avx2,fma"))) inline __m256i scaleEightFused(__m256i values, __m256 factors)
{
    const __m256 value = _mm256_cvtepi32_ps(values);
    const __m256 product = _mm256_mul_ps(value, factors);
    const __m256 error = _mm256_fmsub_ps(value, factors, product);
    const __m256i sign = _mm256_srai_epi32(_mm256_castps_si256(_mm256_xor_ps(product, error)), 31);
    const __m256i towardZero
        = _mm256_and_si256(sign, _mm256_castps_si256(_mm256_cmp_ps(error, _mm256_setzero_ps(), _CMP_NEQ_UQ)));
    return _mm256_cvttps_epi32(_mm256_castsi256_ps(_mm256_add_epi32(_mm256_castps_si256(product), towardZero)));
}

/// Four consecutive indices from `first` as doubles (exact below 2^53).
__attribute__((target("avx2"))) inline __m256d indices(std::size_t first)
{
    return _mm256_add_pd(_mm256_set1_pd(double(first)), _mm256_setr_pd(0.0, 1.0, 2.0, 3.0));
}

/// Bounds around a quotient computed as numerator * (1 / divisor) that surely hold the correctly
/// rounded numerator / divisor: the two roundings of the shortcut are each within half a unit of
/// the last place, the margin is 2^-48 of the value (wide enough to survive its own rounding).
/// A caller maps both bounds through its (monotone) rounding; where they agree, the exact
/// quotient maps to the same value, and only where they do not does it need the real division.
struct QuotientBounds {
    __m256d low;
    __m256d high;
};

__attribute__((target("avx2"))) inline QuotientBounds quotientBounds(__m256d numerator, __m256d reciprocal)
{
    const __m256d estimate = _mm256_mul_pd(numerator, reciprocal);
    const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), estimate);
    const __m256d margin = _mm256_add_pd(_mm256_mul_pd(magnitude, _mm256_set1_pd(0x1p-48)), _mm256_set1_pd(0x1p-1000));
    return { _mm256_sub_pd(estimate, margin), _mm256_add_pd(estimate, margin) };
}

/// True when the four single-precision values agree lane by lane.
__attribute__((target("avx2"))) inline bool same(__m128 a, __m128 b)
{
    return _mm_movemask_ps(_mm_cmpeq_ps(a, b)) == 0xF;
}

} // namespace kx::avx2
#endif
