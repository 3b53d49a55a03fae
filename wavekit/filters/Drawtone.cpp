#include "Drawtone.h"

#include "CrossFades.h"
#include "Fades.h"
#include "SampleAccess.h"
#include "SampleScaling.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

namespace {

    constexpr int32_t kHitReach = 4;
    constexpr int32_t kSnapReach = 2;
    constexpr int32_t kLines[] = { 0, 50, 100, 150, 200 };

} // namespace

int clampPinCount(int count)
{
    return std::clamp(count, curve::kMinPins, curve::kMaxPins);
}

std::vector<CurvePin> defaultPins(int count)
{
    const int n = clampPinCount(count);
    std::vector<CurvePin> pins(std::size_t(n), CurvePin { 0, curve::kHeight / 2 });
    for (int i = 0; i < n; ++i)
        pins[std::size_t(i)].x = i * (curve::kWidth / (n - 1));
    pins.back().x = curve::kWidth;
    return pins;
}

int32_t snapToLine(int32_t y)
{
    for (const int32_t line : kLines) {
        if (std::abs(y - line) <= kSnapReach)
            return line;
    }
    return y;
}

int hitPin(std::span<const CurvePin> pins, int32_t x, int32_t y)
{
    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (std::abs(pins[i].x - x) < kHitReach && std::abs(pins[i].y - y) < kHitReach)
            return int(i);
    }
    return -1;
}

bool dragPin(std::span<CurvePin> pins, int index, int32_t x, int32_t y)
{
    if (index < 0 || std::size_t(index) >= pins.size())
        return false;
    if (x < 1 || x > curve::kWidth - 1 || y < 0 || y > curve::kHeight)
        return false;
    CurvePin& pin = pins[std::size_t(index)];
    const bool end = index == 0 || std::size_t(index) == pins.size() - 1;
    if (!end && x > pins[std::size_t(index) - 1].x && x < pins[std::size_t(index) + 1].x)
        pin.x = x;
    pin.y = snapToLine(y);
    return true;
}

const char* pinListFault(std::span<const CurvePin> pins)
{
    if (pins.size() < std::size_t(curve::kMinPins) || pins.size() > std::size_t(curve::kMaxPins))
        return "3 to 20 points are needed";
    if (pins.front().x != 0)
        return "the first point must have X 0";
    if (pins.back().x != curve::kWidth)
        return "the last point must have X 300";
    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (pins[i].y < 0 || pins[i].y > curve::kHeight)
            return "Y must lie between 0 and 200";
        if (i > 0 && pins[i].x <= pins[i - 1].x)
            return "X must rise from point to point";
    }
    return nullptr;
}

ByteRange curveRange(const WaveDocument& document, bool markedArea, bool shortMarkMeansWholeFile)
{
    if (document.header.dataSize <= curve::kShortRange)
        return {};
    const ByteRange whole = { 0, uint32_t(std::min<std::size_t>(document.header.dataSize, document.samples.size())) };
    if (!markedArea)
        return whole;
    const ByteRange mark = markRange(document);
    if (mark.length > curve::kShortRange)
        return mark;
    return shortMarkMeansWholeFile ? whole : ByteRange {};
}

std::vector<std::size_t> curveSegmentStarts(std::span<const CurvePin> pins, std::size_t frames, std::size_t channels)
{
    std::vector<std::size_t> starts;
    starts.reserve(pins.size());
    for (const CurvePin& pin : pins)
        starts.push_back(std::size_t(uint64_t(pin.x) * frames / curve::kWidth) * channels);
    return starts;
}

namespace {

    /// Samples of one frame as wholeFrames counts them.
    std::size_t samplesPerFrame(const WaveHeader& header)
    {
        if (header.nChannels <= 1)
            return 1;
        return std::max<std::size_t>(1, frameBytes(header) / sampleBytes(header));
    }

} // namespace

FilterStatus drawtoneVolume(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control)
{
    if (pinListFault(pins))
        return FilterStatus::Refused;
    const ByteRange range = wholeFrames(document.header, curveRange(document, markedArea, false));
    if (range.length == 0)
        return FilterStatus::Refused;
    const std::size_t channels = samplesPerFrame(document.header);
    const std::size_t frames = range.length / sampleBytes(document.header) / channels;
    const std::vector<std::size_t> starts = curveSegmentStarts(pins, frames, channels);
    std::vector<double> levels;
    for (const CurvePin& pin : pins)
        levels.push_back(percentFactor(uint32_t(pinPercent(pin))));
    // Each factor comes from the sample's place in its segment, not from a running sum, which stalls
    // on long segments.
    return changeAndCopySamples(
        document, range, "Drawtone Volume", control, [&](auto block, std::size_t first, auto* copy) {
            for (std::size_t done = 0; done < block.size();) {
                const std::size_t index = first + done;
                const std::size_t j
                    = std::size_t(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
                const std::size_t count = std::min(starts[j + 1], first + block.size()) - index;
                rampSamples(block.subspan(done, count), index - starts[j] + 1, levels[j], levels[j + 1] - levels[j],
                    double(starts[j + 1] - starts[j]), copy ? copy + done : nullptr);
                done += count;
            }
        });
}

FilterStatus drawtoneFadeChannels(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control)
{
    if (pinListFault(pins) || document.header.nChannels != 2)
        return FilterStatus::Refused;
    const ByteRange range = wholeFrames(document.header, curveRange(document, markedArea, true));
    if (range.length == 0)
        return FilterStatus::Refused;
    const std::size_t frameSize = frameBytes(document.header);
    const std::vector<std::size_t> starts = curveSegmentStarts(pins, range.length / frameSize, 1);
    const std::size_t frames = starts.back();
    return changeInPlace(document, range, "Drawtone Fade Channels", control, [&](const FilterControl& effective) {
        for (std::size_t j = 0; j + 1 < pins.size(); ++j) {
            const int32_t rise = pins[j + 1].y - pins[j].y;
            if (rise == -1 || starts[j + 1] == starts[j])
                continue;
            FilterControl segment { effective.stop, {}, effective.betweenBlocks };
            if (effective.progress) {
                segment.progress = [&, j](int percent) {
                    const std::size_t done = starts[j] + (starts[j + 1] - starts[j]) * std::size_t(percent) / 100;
                    effective.progress(int(done * 100 / frames));
                };
            }
            const ByteRange piece { uint32_t(range.start + starts[j] * frameSize),
                uint32_t((starts[j + 1] - starts[j]) * frameSize) };
            if (!crossFadeRange(
                    document, piece, 1.0f, rise <= -2 ? CrossFade::LeftToRight : CrossFade::RightToLeft, segment))
                return false;
        }
        return true;
    });
}

} // namespace kx
