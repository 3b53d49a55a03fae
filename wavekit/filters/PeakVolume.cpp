#include "PeakVolume.h"

#include "SampleAccess.h"
#include "SampleScaling.h"
#include "ScaleTable.h"

#include <algorithm>

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

} // namespace

int32_t peakMagnitude(std::span<const uint8_t> samples)
{
    return peakOf(samples);
}

int32_t peakMagnitude(std::span<const int16_t> samples)
{
    return peakOf(samples);
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
                undo.take(first * sizeof(Sample), count * sizeof(Sample));
                peak = std::max(peak, peakMagnitude(std::span<const Sample>(samples.subspan(first, count))));
            });
        constexpr int32_t fullScale = SampleForm<Sample>::kMax;
        if (!measured || peak == 0 || peak >= fullScale)
            return measured;
        const ScaleTable table(float(double(fullScale) / double(peak)));
        return runInBlocks(samples.size(), effective,
            [&](std::size_t first, std::size_t count) { table.apply(samples.subspan(first, count)); });
    });
    return finishChange(document, undo, finished);
}

} // namespace kx
