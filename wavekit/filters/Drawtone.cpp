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
    return curveRange(presentData(document), document.mark, markedArea, shortMarkMeansWholeFile);
}

ByteRange curveRange(uint32_t size, const MarkRecord& mark, bool markedArea, bool shortMarkMeansWholeFile)
{
    if (size <= curve::kShortRange)
        return {};
    const ByteRange whole = { 0, size };
    if (!markedArea)
        return whole;
    const ByteRange marked = markRange(size, mark);
    if (marked.length > curve::kShortRange)
        return marked;
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

std::optional<BlockChange> drawtoneVolumeChange(
    const WaveHeader& header, ByteRange curveRange, std::span<const CurvePin> pins)
{
    if (pinListFault(pins))
        return std::nullopt;
    const ByteRange range = wholeFrames(header, curveRange);
    if (range.length == 0)
        return std::nullopt;
    const std::size_t channels = samplesPerFrame(header);
    const std::size_t frames = range.length / sampleBytes(header) / channels;
    const std::vector<std::size_t> starts = curveSegmentStarts(pins, frames, channels);
    std::vector<double> levels;
    for (const CurvePin& pin : pins)
        levels.push_back(percentFactor(uint32_t(pinPercent(pin))));
    // Each factor comes from the sample's place in its segment, not from a running sum, which stalls
    // on long segments.
    return BlockChange { range, sampleBytes(header),
        sampleChange(header, [starts, levels](auto block, std::size_t first, auto* copy) {
            for (std::size_t done = 0; done < block.size();) {
                const std::size_t index = first + done;
                const std::size_t j
                    = std::size_t(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
                const std::size_t count = std::min(starts[j + 1], first + block.size()) - index;
                rampSamples(block.subspan(done, count), index - starts[j] + 1, levels[j], levels[j + 1] - levels[j],
                    double(starts[j + 1] - starts[j]), copy ? copy + done : nullptr);
                done += count;
            }
        }) };
}

FilterStatus drawtoneVolume(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control)
{
    const auto change = drawtoneVolumeChange(document.header, curveRange(document, markedArea, false), pins);
    if (!change)
        return FilterStatus::Refused;
    return changeByBlocks(document, *change, "Drawtone Volume", control);
}

std::optional<BlockChange> drawtoneFadeChange(
    const WaveHeader& header, ByteRange curveRange, std::span<const CurvePin> pins)
{
    if (pinListFault(pins) || header.nChannels != 2)
        return std::nullopt;
    const ByteRange range = wholeFrames(header, curveRange);
    if (range.length == 0)
        return std::nullopt;
    const uint32_t frameSize = frameBytes(header);
    const std::vector<std::size_t> starts = curveSegmentStarts(pins, range.length / frameSize, 1);
    // Each segment is a full cross-fade of its own: left to right where the curve rises by two units
    // or more, none where it rises by one, right to left otherwise.
    std::vector<int> directions;
    for (std::size_t j = 0; j + 1 < pins.size(); ++j) {
        const int32_t rise = pins[j + 1].y - pins[j].y;
        directions.push_back(rise == -1 ? 0 : rise <= -2 ? 1 : -1);
    }
    return BlockChange { range, frameSize, sampleChange(header, [=](auto samples, std::size_t firstIndex, auto* copy) {
                            copyOriginal(copy, std::span<const typename decltype(samples)::element_type>(samples));
                            const std::size_t first = firstIndex / 2;
                            const std::size_t end = first + samples.size() / 2;
                            for (std::size_t j = 0; j < directions.size(); ++j) {
                                const std::size_t from = std::max(first, starts[j]);
                                const std::size_t to = std::min(end, starts[j + 1]);
                                if (directions[j] == 0 || from >= to)
                                    continue;
                                crossFadeSamples(samples.subspan(2 * (from - first), 2 * (to - from)), from - starts[j],
                                    1.0, double(starts[j + 1] - starts[j]), directions[j] > 0);
                            }
                        }) };
}

FilterStatus drawtoneFadeChannels(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control)
{
    const auto change = drawtoneFadeChange(document.header, curveRange(document, markedArea, true), pins);
    if (!change)
        return FilterStatus::Refused;
    return changeByBlocks(document, *change, "Drawtone Fade Channels", control);
}

} // namespace kx
