#include "CrossFades.h"

#include "SampleAccess.h"
#include "SampleScaling.h"

#include <algorithm>

namespace kx {

namespace {

    uint32_t stereoFrameBytes(const WaveHeader& header)
    {
        return 2 * sampleBytes(header);
    }

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
            auto* frame = samples.data() + 2 * firstFrame;
            for (std::size_t k = firstFrame; k < firstFrame + count; ++k, frame += 2) {
                const double fading = first - double(k) / frames;
                const float out = float(fading);
                const float in = float(1.0 - fading);
                frame[0] = scaleSample(frame[0], leftFades ? out : in);
                frame[1] = scaleSample(frame[1], leftFades ? in : out);
            }
        });
    });
}

FilterStatus fadeChannels(WaveDocument& document, CrossFade direction, const FilterControl& control)
{
    const char* undoText
        = direction == CrossFade::LeftToRight ? "Fade Channels Left To Right" : "Fade Channels Right To Left";
    const ByteRange range = workingRange(document);
    if (document.header.nChannels != 2 || range.length == 0) {
        UndoStore::save(document, range.start, range.length, UndoChanged, undoText);
        return FilterStatus::Done;
    }
    const ByteRange touched = crossFadeFrames(document.header, range);
    return changeInPlace(document, touched, undoText, control,
        [&](const FilterControl& effective) { return crossFadeRange(document, range, 1.0f, direction, effective); });
}

} // namespace kx
