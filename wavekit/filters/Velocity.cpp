#include "Velocity.h"

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
    inline std::size_t sourceFrame(std::size_t i, double speed, std::size_t inputFrames)
    {
        return std::min(std::size_t(double(i) * speed), inputFrames - 1);
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

FilterStatus changeVelocity(WaveDocument& document, const VelocityParameters& parameters, const FilterControl& control)
{
    if (parameters.percent == 0)
        return FilterStatus::Refused;
    const float speed = percentFactor(parameters.percent);
    const float stretchFactor = float(1.0 / double(speed));
    if (stretchFactor == 1.0f)
        return FilterStatus::Refused;
    if (control.stopRequested())
        return FilterStatus::Cancelled;

    WaveHeader& header = document.header;
    const bool mono = header.nChannels <= 1;
    const uint32_t frame = mono ? sampleBytes(header) : frameBytes(header);
    const std::size_t inputFrames = std::min<std::size_t>(header.dataSize, document.samples.size()) / frame;
    if (inputFrames == 0)
        return FilterStatus::Done;
    const auto outputFrames = std::size_t(double(inputFrames) * double(stretchFactor));
    const uint64_t newSize = uint64_t(outputFrames) * frame;
    if (newSize > UINT32_MAX - 36)
        return FilterStatus::OutOfMemory;

    if (outputFrames > inputFrames && !document.samples.resize(newSize))
        return FilterStatus::OutOfMemory;
    stretch(document.samples.data(), frame, inputFrames, outputFrames, double(speed));
    if (outputFrames <= inputFrames && !document.samples.resize(newSize))
        document.samples.truncate(newSize);
    header.setDataSize(uint32_t(newSize));
    // The old undo record describes data that no longer exists.
    UndoStore::forbid(document);

    MarkRecord& mark = document.mark;
    if (mark.markLength != 0) {
        mark.markStart = scaledToFrames(mark.markStart, stretchFactor, frame, uint32_t(newSize));
        mark.markLength = scaledToFrames(mark.markLength, stretchFactor, frame, uint32_t(newSize) - mark.markStart);
    }

    if (parameters.smooth) {
        const std::size_t window = smoothingWindow(parameters.smoothStrength);
        visitSamples(document, { 0, uint32_t(newSize) },
            [&](auto samples) { return movingAverage(samples, mono ? 1 : header.nChannels, window); });
    }
    if (control.progress)
        control.progress(100);
    return FilterStatus::Done;
}

} // namespace kx
