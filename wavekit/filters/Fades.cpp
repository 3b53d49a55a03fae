#include "Fades.h"

#include "SampleAccess.h"
#include "SampleScaling.h"

namespace kx {

namespace {

    // Each factor comes from its index in double precision: adding a single-precision step sample
    // after sample stalls once the step falls below the factor's precision.
    FilterStatus ramp(
        WaveDocument& document, double first, double change, const char* undoText, const FilterControl& control)
    {
        const ByteRange range = wholeSamples(document.header, workingRange(document));
        const double n = double(range.length / sampleBytes(document.header));
        return changeSamples(document, range, undoText, control, [&](auto block, std::size_t firstIndex) {
            scaleEach(block, firstIndex, [=](double i) { return float(first + i * change / n); });
        });
    }

} // namespace

FilterStatus fadeIn(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    const double level = double(percent) / 100.0;
    return ramp(document, level, 1.0 - level, "Fade In", control);
}

FilterStatus fadeOut(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    const double level = double(percent) / 100.0;
    return ramp(document, 1.0, -(1.0 - level), "Fade Out", control);
}

} // namespace kx
