#include "Soften.h"

#include "MovingAverage.h"
#include "SampleAccess.h"

namespace kx {

FilterStatus soften(WaveDocument& document, uint32_t strength, const FilterControl& control)
{
    const std::size_t window = smoothingWindow(strength);
    const std::size_t channels = document.header.nChannels;
    const ByteRange range = wholeFrames(document.header, workingRange(document));
    return changeInPlace(document, range, "Soften", control, [&](const FilterControl& effective) {
        return visitSamples(
            document, range, [&](auto samples) { return movingAverage(samples, channels, window, effective); });
    });
}

} // namespace kx
