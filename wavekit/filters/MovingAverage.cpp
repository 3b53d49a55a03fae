#include "MovingAverage.h"

#include "SampleScaling.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kx {

namespace {

    constexpr std::size_t kMaxWindow = 20;

    /// One block of frames [first, first + count) of a running sum per channel. The window and the
    /// channel count are template arguments so that the division becomes a multiplication.
    template <class Sample, std::size_t Channels, std::size_t Window>
    void averageFrames(Sample* x, std::size_t first, std::size_t count, int32_t* sums)
    {
        for (std::size_t i = first; i < first + count; ++i) {
            for (std::size_t c = 0; c < Channels; ++c) {
                const int32_t old = x[i * Channels + c];
                x[i * Channels + c] = Sample(sums[c] / int32_t(Window));
                // The value entering the window lies ahead of every value written so far.
                sums[c] += int32_t(x[(i + Window) * Channels + c]) - old;
            }
        }
    }

#if defined(__x86_64__)
    /// averageFrames for 16-bit samples with one or two channels, four values at a time. With
    /// d[i] = x[i + window] - x[i] (one channel), the sum for value i + j is the running sum at i
    /// plus d[i] .. d[i + j - 1]: a prefix sum inside the vector, the carry the only dependency
    /// from step to step. The division goes through single precision: every sum is below 2^24, so
    /// it is exact, and a quotient that is no integer lies at least 1/window from one while its
    /// rounding error stays below 2^-9, so truncating it truncates the true quotient.
    template <std::size_t Channels>
    __attribute__((target("avx2"))) std::size_t averageFour(
        int16_t* x, std::size_t first, std::size_t count, std::size_t window, int32_t* sums)
    {
        static_assert(Channels == 1 || Channels == 2);
        constexpr std::size_t kFrames = 4 / Channels;
        const __m128 divisor = _mm_set1_ps(float(window));
        __m128i carry = Channels == 2 ? _mm_setr_epi32(sums[0], sums[1], sums[0], sums[1]) : _mm_set1_epi32(sums[0]);
        const std::size_t ahead = window * Channels;
        std::size_t i = first;
        for (; i + kFrames <= first + count; i += kFrames) {
            int16_t* at = x + i * Channels;
            const __m128i current = _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
            const __m128i entering = _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at + ahead)));
            const __m128i change = _mm_sub_epi32(entering, current);
            __m128i inclusive = _mm_add_epi32(change, _mm_slli_si128(change, 8));
            if constexpr (Channels == 1)
                inclusive = _mm_add_epi32(inclusive, _mm_slli_si128(inclusive, 4));
            const __m128i running = _mm_add_epi32(carry, _mm_sub_epi32(inclusive, change));
            const __m128i mean = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(running), divisor));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_packs_epi32(mean, mean));
            carry = _mm_add_epi32(carry, _mm_shuffle_epi32(inclusive, Channels == 2 ? 0xEE : 0xFF));
        }
        sums[0] = _mm_cvtsi128_si32(carry);
        if constexpr (Channels == 2)
            sums[1] = _mm_extract_epi32(carry, 1);
        return i;
    }
#endif

    template <class Sample, std::size_t Channels>
    using BlockFunction = void (*)(Sample*, std::size_t, std::size_t, int32_t*);

    template <class Sample, std::size_t Channels, std::size_t... Windows>
    constexpr auto blockFunctions(std::index_sequence<Windows...>)
    {
        return std::array<BlockFunction<Sample, Channels>, sizeof...(Windows)> {
            &averageFrames<Sample, Channels, Windows + 1>...
        };
    }

    /// Frames [first, first + count) of x averaged with the running sums, which move along.
    template <class Sample, std::size_t Channels>
    void advanceFrames(Sample* x, std::size_t first, std::size_t count, std::size_t window, int32_t* sums)
    {
        static constexpr auto functions = blockFunctions<Sample, Channels>(std::make_index_sequence<kMaxWindow>());
        std::size_t done = first;
#if defined(__x86_64__)
        if constexpr (std::is_same_v<Sample, int16_t> && Channels <= 2) {
            if (cpuHasAvx2())
                done = averageFour<Channels>(x, first, count, window, sums);
        }
#endif
        functions[window - 1](x, done, first + count - done, sums);
    }

    template <class Sample, std::size_t Channels> void startSums(const Sample* x, std::size_t window, int32_t* sums)
    {
        for (std::size_t c = 0; c < Channels; ++c) {
            sums[c] = 0;
            for (std::size_t j = 0; j < window; ++j)
                sums[c] += int32_t(x[j * Channels + c]);
        }
    }

    template <class Sample, std::size_t Channels>
    bool averageChannels(Sample* x, std::size_t frames, std::size_t window, const FilterControl& control)
    {
        std::array<int32_t, Channels> sums {};
        startSums<Sample, Channels>(x, window, sums.data());
        return runInBlocks(frames - window, control, [&](std::size_t first, std::size_t count) {
            advanceFrames<Sample, Channels>(x, first, count, window, sums.data());
        });
    }

    template <class Sample>
    bool average(std::span<Sample> samples, std::size_t channels, std::size_t window, const FilterControl& control)
    {
        window = std::clamp<std::size_t>(window, 1, kMaxWindow);
        channels = std::max<std::size_t>(channels, 1);
        const std::size_t frames = samples.size() / channels;
        if (frames <= window)
            return true;
        if (channels == 2)
            return averageChannels<Sample, 2>(samples.data(), frames, window, control);
        if (channels == 1)
            return averageChannels<Sample, 1>(samples.data(), frames, window, control);
        // More channels than the formats allow: no shortcut, one channel after the other.
        for (std::size_t c = 0; c < channels; ++c) {
            std::vector<Sample> channel(frames);
            for (std::size_t i = 0; i < frames; ++i)
                channel[i] = samples[i * channels + c];
            if (!averageChannels<Sample, 1>(channel.data(), frames, window, control))
                return false;
            for (std::size_t i = 0; i < frames; ++i)
                samples[i * channels + c] = channel[i];
        }
        return true;
    }

} // namespace

std::size_t smoothingWindow(uint32_t strength)
{
    return std::min<std::size_t>(std::size_t(strength) + 2, kMaxWindow);
}

MovingAverageRun::MovingAverageRun(std::size_t channels, std::size_t window)
    : m_stereo(channels == 2)
    , m_window(std::clamp<std::size_t>(window, 1, kMaxWindow))
{
}

template <class Sample> void MovingAverageRun::startWith(const Sample* x)
{
    if (m_stereo)
        startSums<Sample, 2>(x, m_window, m_sums.data());
    else
        startSums<Sample, 1>(x, m_window, m_sums.data());
}

template <class Sample> void MovingAverageRun::average(Sample* x, std::size_t frames)
{
    if (m_stereo)
        advanceFrames<Sample, 2>(x, 0, frames, m_window, m_sums.data());
    else
        advanceFrames<Sample, 1>(x, 0, frames, m_window, m_sums.data());
}

void MovingAverageRun::start(const uint8_t* x)
{
    startWith(x);
}

void MovingAverageRun::start(const int16_t* x)
{
    startWith(x);
}

void MovingAverageRun::advance(uint8_t* x, std::size_t frames)
{
    average(x, frames);
}

void MovingAverageRun::advance(int16_t* x, std::size_t frames)
{
    average(x, frames);
}

bool movingAverage(std::span<uint8_t> samples, std::size_t channels, std::size_t window, const FilterControl& control)
{
    return average(samples, channels, window, control);
}

bool movingAverage(std::span<int16_t> samples, std::size_t channels, std::size_t window, const FilterControl& control)
{
    return average(samples, channels, window, control);
}

} // namespace kx
