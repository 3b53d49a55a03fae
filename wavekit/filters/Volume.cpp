#include "Volume.h"

#include "SampleAccess.h"
#include "SampleScaling.h"
#include "ScaleTable.h"

#include <memory>

namespace kx {

BlockChange scaleChange(const WaveHeader& header, ByteRange range, float factor)
{
    auto table = std::make_shared<const ScaleTable>(factor);
    return { wholeSamples(header, range), sampleBytes(header),
        sampleChange(header, [table](auto samples, std::size_t, auto* copy) { table->apply(samples, copy); }) };
}

BlockChange volumeChange(const WaveHeader& header, ByteRange working, uint32_t percent)
{
    return scaleChange(header, working, percentFactor(percent));
}

FilterStatus changeVolume(WaveDocument& document, uint32_t percent, const FilterControl& control)
{
    return changeByBlocks(
        document, volumeChange(document.header, workingRange(document), percent), "Change Volume", control);
}

} // namespace kx
