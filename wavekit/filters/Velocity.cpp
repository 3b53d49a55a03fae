#include "Velocity.h"

#include "Avx2Scaling.h"
#include "MovingAverage.h"
#include "SampleAccess.h"
#include "SampleScaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kx {

namespace {

    /// Frame i of the output reads this frame of the input; double precision keeps the mapping exact
    /// beyond 2^24 frames, the clamp keeps single-precision rounding of the stretch inside the input.
    /// Signed conversions: the unsigned ones cost a branch each way on x86-64, and no frame count
    /// comes near 2^63.
    inline std::size_t sourceFrame(std::size_t i, double speed, std::size_t inputFrames)
    {
        return std::min(std::size_t(int64_t(double(int64_t(i)) * speed)), inputFrames - 1);
    }

    template <class Frame>
    void stretchFrames(uint8_t* bytes, std::size_t inputFrames, std::size_t outputFrames, double speed)
    {
        auto* frames = reinterpret_cast<Frame*>(bytes);
        // Growing runs backwards and shrinking forwards, so every read finds an unchanged frame.
        if (outputFrames > inputFrames) {
            for (std::size_t i = outputFrames - 1; i > 0; --i)
                frames[i] = frames[sourceFrame(i, speed, inputFrames)];
        } else {
            for (std::size_t i = 0; i < outputFrames; ++i)
                frames[i] = frames[sourceFrame(i, speed, inputFrames)];
        }
    }

#if defined(__x86_64__)
    constexpr std::size_t kChunk = 256;

    /// sourceFrame for frames [first, first + kChunk), four at a time: the truncating conversions
    /// agree below 2^31.
    __attribute__((target("avx2"))) void sourceFrames(
        int32_t* sources, std::size_t first, double speed, std::size_t inputFrames)
    {
        const __m256d scale = _mm256_set1_pd(speed);
        const __m128i last = _mm_set1_epi32(int32_t(inputFrames - 1));
        for (std::size_t j = 0; j < kChunk; j += 4) {
            const __m256d position = _mm256_mul_pd(avx2::indices(first + j), scale);
            const __m128i source = _mm_min_epi32(_mm256_cvttpd_epi32(position), last);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(sources + j), source);
        }
    }

    /// Growing 4-byte frames: eight output frames read at most eight neighbouring input frames (the
    /// source index rises by 0 or 1 per frame when speed < 1), so one load and a lane permutation
    /// make them. Every frame read lies below the ones written so far.
    __attribute__((target("avx2"))) std::size_t growFramesAvx2(
        uint32_t* frames, std::size_t inputFrames, std::size_t outputFrames, double speed)
    {
        const __m256d scale = _mm256_set1_pd(speed);
        const __m256i last = _mm256_set1_epi32(int32_t(inputFrames - 1));
        std::size_t i = outputFrames;
        for (; i >= 16; i -= 8) {
            const std::size_t first = i - 8;
            const __m128i low = _mm256_cvttpd_epi32(_mm256_mul_pd(avx2::indices(first), scale));
            const __m128i high = _mm256_cvttpd_epi32(_mm256_mul_pd(avx2::indices(first + 4), scale));
            const __m256i sources = _mm256_min_epi32(_mm256_set_m128i(high, low), last);
            const int32_t base = _mm256_cvtsi256_si32(sources);
            const __m256i read = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(frames + base));
            const __m256i lanes = _mm256_sub_epi32(sources, _mm256_set1_epi32(base));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(frames + first), _mm256_permutevar8x32_epi32(read, lanes));
        }
        return i;
    }

    /// stretchFrames with the source indices computed by the vector unit a chunk at a time; the
    /// frames move in the same order as there.
    template <class Frame>
    void stretchChunked(uint8_t* bytes, std::size_t inputFrames, std::size_t outputFrames, double speed)
    {
        auto* frames = reinterpret_cast<Frame*>(bytes);
        int32_t sources[kChunk];
        if (outputFrames > inputFrames) {
            std::size_t i = outputFrames;
            if constexpr (sizeof(Frame) == 4)
                i = growFramesAvx2(frames, inputFrames, outputFrames, speed);
            for (; i > kChunk; i -= kChunk) {
                sourceFrames(sources, i - kChunk, speed, inputFrames);
                for (std::size_t j = kChunk; j-- > 0;)
                    frames[i - kChunk + j] = frames[sources[j]];
            }
            for (--i; i > 0; --i)
                frames[i] = frames[sourceFrame(i, speed, inputFrames)];
        } else {
            std::size_t i = 0;
            for (; i + kChunk <= outputFrames; i += kChunk) {
                sourceFrames(sources, i, speed, inputFrames);
                for (std::size_t j = 0; j < kChunk; ++j)
                    frames[i + j] = frames[sources[j]];
            }
            for (; i < outputFrames; ++i)
                frames[i] = frames[sourceFrame(i, speed, inputFrames)];
        }
    }
#endif

    void stretchOddFrames(
        uint8_t* bytes, std::size_t frameSize, std::size_t inputFrames, std::size_t outputFrames, double speed)
    {
        auto copy = [&](std::size_t i) {
            std::memmove(bytes + i * frameSize, bytes + sourceFrame(i, speed, inputFrames) * frameSize, frameSize);
        };
        if (outputFrames > inputFrames) {
            for (std::size_t i = outputFrames - 1; i > 0; --i)
                copy(i);
        } else {
            for (std::size_t i = 0; i < outputFrames; ++i)
                copy(i);
        }
    }

    void stretch(uint8_t* bytes, std::size_t frameSize, std::size_t inputFrames, std::size_t outputFrames, double speed)
    {
#if defined(__x86_64__)
        if (std::max(inputFrames, outputFrames) < (std::size_t(1) << 30) && cpuHasAvx2()) {
            if (frameSize == 4)
                return stretchChunked<uint32_t>(bytes, inputFrames, outputFrames, speed);
            if (frameSize == 2)
                return stretchChunked<uint16_t>(bytes, inputFrames, outputFrames, speed);
            if (frameSize == 1)
                return stretchChunked<uint8_t>(bytes, inputFrames, outputFrames, speed);
        }
#endif
        switch (frameSize) {
        case 1:
            return stretchFrames<uint8_t>(bytes, inputFrames, outputFrames, speed);
        case 2:
            return stretchFrames<uint16_t>(bytes, inputFrames, outputFrames, speed);
        case 4:
            return stretchFrames<uint32_t>(bytes, inputFrames, outputFrames, speed);
        default:
            return stretchOddFrames(bytes, frameSize, inputFrames, outputFrames, speed);
        }
    }

    uint32_t scaledToFrames(uint32_t offset, float stretchFactor, uint32_t frameSize, uint32_t limit)
    {
        const auto scaled = uint64_t(double(offset) * double(stretchFactor));
        return uint32_t(std::min<uint64_t>(scaled / frameSize * frameSize, limit));
    }

} // namespace

VelocityPlan planVelocity(const WaveHeader& header, std::size_t dataBytes, uint32_t percent)
{
    VelocityPlan plan;
    if (percent == 0)
        return plan;
    const float speed = percentFactor(percent);
    plan.speed = double(speed);
    plan.stretch = float(1.0 / double(speed));
    if (plan.stretch == 1.0f)
        return plan;
    const bool mono = header.nChannels <= 1;
    plan.frameSize = mono ? sampleBytes(header) : frameBytes(header);
    plan.channels = mono ? 1 : header.nChannels;
    plan.inputFrames = dataBytes / plan.frameSize;
    plan.outputFrames = std::size_t(double(plan.inputFrames) * double(plan.stretch));
    plan.status = uint64_t(plan.outputFrames) * plan.frameSize > UINT32_MAX - 36 ? FilterStatus::OutOfMemory
                                                                                 : FilterStatus::Done;
    return plan;
}

std::size_t velocitySource(const VelocityPlan& plan, std::size_t i)
{
    return sourceFrame(i, plan.speed, plan.inputFrames);
}

void gatherFrames(const VelocityPlan& plan, uint8_t* out, std::size_t first, std::size_t count, const uint8_t* in,
    std::size_t firstInput)
{
    const std::size_t size = plan.frameSize;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* from = in + (velocitySource(plan, first + i) - firstInput) * size;
        switch (size) {
        case 1:
            out[i] = *from;
            break;
        case 2:
            std::memcpy(out + 2 * i, from, 2);
            break;
        case 4:
            std::memcpy(out + 4 * i, from, 4);
            break;
        default:
            std::memcpy(out + i * size, from, size);
        }
    }
}

FilterStatus changeVelocity(WaveDocument& document, const VelocityParameters& parameters, const FilterControl& control)
{
    WaveHeader& header = document.header;
    const VelocityPlan plan
        = planVelocity(header, std::min<std::size_t>(header.dataSize, document.samples.size()), parameters.percent);
    if (plan.status == FilterStatus::Refused)
        return FilterStatus::Refused;
    if (control.stopRequested())
        return FilterStatus::Cancelled;
    if (plan.inputFrames == 0)
        return FilterStatus::Done;
    if (plan.status != FilterStatus::Done)
        return plan.status;
    const float speed = float(plan.speed);
    const float stretchFactor = plan.stretch;
    const uint32_t frame = uint32_t(plan.frameSize);
    const std::size_t inputFrames = plan.inputFrames;
    const std::size_t outputFrames = plan.outputFrames;
    const uint64_t newSize = uint64_t(outputFrames) * frame;

    const uint32_t oldSize = uint32_t(std::min<std::size_t>(header.dataSize, document.samples.size()));
    const bool recorded = UndoStore::saveReplace(document, 0, oldSize, uint32_t(newSize), "Change Velocity");
    if (outputFrames > inputFrames && !document.samples.resize(newSize)) {
        UndoStore::finish(document, recorded, false);
        return FilterStatus::OutOfMemory;
    }
    stretch(document.samples.data(), frame, inputFrames, outputFrames, double(speed));
    if (outputFrames <= inputFrames && !document.samples.resize(newSize))
        document.samples.truncate(newSize);
    header.setDataSize(uint32_t(newSize));
    UndoStore::finish(document, recorded, true);

    MarkRecord& mark = document.mark;
    if (mark.markLength != 0) {
        mark.markStart = scaledToFrames(mark.markStart, stretchFactor, frame, uint32_t(newSize));
        mark.markLength = scaledToFrames(mark.markLength, stretchFactor, frame, uint32_t(newSize) - mark.markStart);
    }

    if (parameters.smooth) {
        const std::size_t window = smoothingWindow(parameters.smoothStrength);
        visitSamples(document, { 0, uint32_t(newSize) },
            [&](auto samples) { return movingAverage(samples, plan.channels, window); });
    }
    if (control.progress)
        control.progress(100);
    return FilterStatus::Done;
}

} // namespace kx
