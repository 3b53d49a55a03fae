#include "Volume.h"

#include "SampleAccess.h"
#include "SampleScaling.h"
#include "ScaleTable.h"

namespace kx {

FilterStatus changeVolume(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    const float factor = percentFactor(percent);
    const ByteRange range = wholeSamples(document.header, workingRange(document));
    const ScaleTable table(factor);
    return changeAndCopySamples(document, range, "Change Volume", control,
        [&table](auto block, std::size_t, auto* copy) { table.apply(block, copy); });
}

} // namespace kx
