#include "CrossFades.h"

#include "Avx2Scaling.h"
#include "SampleAccess.h"
#include "SampleScaling.h"

#include <algorithm>

namespace kx {

namespace {

    uint32_t stereoFrameBytes(const WaveHeader& header)
    {
        return 2 * sampleBytes(header);
    }

    template <class Sample>
    void crossFadeScalar(std::span<Sample> samples, std::size_t firstFrame, double first, double frames, bool leftFades)
    {
        Sample* frame = samples.data();
        for (std::size_t k = firstFrame; k < firstFrame + samples.size() / 2; ++k, frame += 2) {
            const double fading = first - double(k) / frames;
            const float out = float(fading);
            const float in = float(1.0 - fading);
            frame[0] = scaleSample(frame[0], leftFades ? out : in);
            frame[1] = scaleSample(frame[1], leftFades ? in : out);
        }
    }

#if defined(__x86_64__)
    // Four frames at a time, one division for them, the two channels' factors interleaved like
    // the samples.
    __attribute__((target("avx2,fma"))) void crossFadeAvx2(
        std::span<int16_t> samples, std::size_t firstFrame, double first, double frames, bool leftFades)
    {
        const __m256d start = _mm256_set1_pd(first);
        const __m256d length = _mm256_set1_pd(frames);
        const __m256d one = _mm256_set1_pd(1.0);
        const __m256 largest = _mm256_set1_ps(kLargestFactor);
        __m256d index = avx2::indices(firstFrame);
        int16_t* data = samples.data();
        const std::size_t count = samples.size() / 2;
        std::size_t k = 0;
        for (; k + 4 <= count; k += 4) {
            const __m256d fading = _mm256_sub_pd(start, _mm256_div_pd(index, length));
            const __m128 out = _mm256_cvtpd_ps(fading);
            const __m128 in = _mm256_cvtpd_ps(_mm256_sub_pd(one, fading));
            const __m128 left = leftFades ? out : in;
            const __m128 right = leftFades ? in : out;
            // The fading side may start far below zero and the other beyond 65535; past the
            // largest factor every non-zero sample clips either way.
            const __m256 paired = _mm256_set_m128(_mm_unpackhi_ps(left, right), _mm_unpacklo_ps(left, right));
            const __m256 factors
                = _mm256_max_ps(_mm256_min_ps(paired, largest), _mm256_sub_ps(_mm256_setzero_ps(), largest));
            auto* at = reinterpret_cast<__m128i*>(data + 2 * k);
            const __m256i scaled = avx2::scaleEightFused(_mm256_cvtepi16_epi32(_mm_loadu_si128(at)), factors);
            _mm_storeu_si128(at, _mm_packs_epi32(_mm256_castsi256_si128(scaled), _mm256_extracti128_si256(scaled, 1)));
            index = _mm256_add_pd(index, _mm256_set1_pd(4.0));
        }
        crossFadeScalar(samples.subspan(2 * k), firstFrame + k, first, frames, leftFades);
    }
#endif

} // namespace

ByteRange crossFadeFrames(const WaveHeader& header, ByteRange range)
{
    const uint32_t frame = stereoFrameBytes(header);
    const uint64_t start = (uint64_t(range.start) + frame - 1) / frame * frame;
    const uint64_t end = std::max<uint64_t>(start, range.end() / frame * frame);
    return { uint32_t(std::min<uint64_t>(start, range.end())), uint32_t(end - start) };
}

bool crossFadeRange(
    WaveDocument& document, ByteRange range, float startFactor, CrossFade direction, const FilterControl& control)
{
    // The ramp's length comes from the requested range, the frames changed from the data present.
    const double frames = double(range.length / stereoFrameBytes(document.header));
    const std::size_t size = document.samples.size();
    const uint32_t start = uint32_t(std::min<std::size_t>(range.start, size));
    const ByteRange present { start, uint32_t(std::min<std::size_t>(range.length, size - start)) };
    const ByteRange touched = crossFadeFrames(document.header, present);
    if (touched.length == 0)
        return true;
    const double first = std::clamp(startFactor, 1.0f - kLargestFactor, 1.0f);
    const bool leftFades = direction == CrossFade::LeftToRight;
    return visitSamples(document, touched, [&](auto samples) {
        return runInBlocks(samples.size() / 2, control, [&](std::size_t firstFrame, std::size_t count) {
            crossFadeSamples(samples.subspan(2 * firstFrame, 2 * count), firstFrame, first, frames, leftFades);
        });
    });
}

void crossFadeSamples(std::span<uint8_t> samples, std::size_t firstFrame, double first, double frames, bool leftFades)
{
    crossFadeScalar(samples, firstFrame, first, frames, leftFades);
}

void crossFadeSamples(std::span<int16_t> samples, std::size_t firstFrame, double first, double frames, bool leftFades)
{
#if defined(__x86_64__)
    if (cpuHasAvx2())
        return crossFadeAvx2(samples, firstFrame, first, frames, leftFades);
#endif
    crossFadeScalar(samples, firstFrame, first, frames, leftFades);
}

BlockChange crossFadeChange(const WaveHeader& header, ByteRange working, CrossFade direction)
{
    if (header.nChannels != 2 || working.length == 0)
        return { working, 1, {} };
    const double frames = double(working.length / stereoFrameBytes(header));
    const bool leftFades = direction == CrossFade::LeftToRight;
    return { crossFadeFrames(header, working), stereoFrameBytes(header),
        sampleChange(header, [=](auto samples, std::size_t firstIndex, auto* copy) {
            copyOriginal(copy, std::span<const typename decltype(samples)::element_type>(samples));
            crossFadeSamples(samples, firstIndex / 2, 1.0, frames, leftFades);
        }) };
}

FilterStatus fadeChannels(WaveDocument& document, CrossFade direction, const FilterControl& control)
{
    const char* undoText
        = direction == CrossFade::LeftToRight ? "Fade Channels Left To Right" : "Fade Channels Right To Left";
    return changeByBlocks(
        document, crossFadeChange(document.header, workingRange(document), direction), undoText, control);
}

} // namespace kx
