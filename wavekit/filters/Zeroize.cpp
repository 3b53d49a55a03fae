#include "Zeroize.h"

#include "SampleAccess.h"
#include "Silence.h"

#include <type_traits>

namespace kx {

GateThresholds gateThresholds(uint32_t tenths)
{
    const double level = double(tenths) * 0.1;
    return { int32_t(level * double(1.27f)), int32_t(level * double(327.67f)) };
}

FilterStatus zeroize(WaveDocument& document, uint32_t tenths, const FilterControl& control)
{
    const GateThresholds gate = gateThresholds(tenths);
    const ByteRange range = wholeSamples(document.header, workingRange(document));
    return changeSamples(document, range, "Zeroize", control, [&](auto block, std::size_t) {
        using Sample = typename decltype(block)::element_type;
        constexpr bool eightBit = std::is_same_v<Sample, uint8_t>;
        constexpr int32_t centre = eightBit ? kSilenceByte8 : 0;
        const int32_t threshold = eightBit ? gate.eightBit : gate.sixteenBit;
        for (Sample& sample : block) {
            const int32_t value = int32_t(sample) - centre;
            sample = (value > -threshold && value < threshold) ? Sample(centre) : sample;
        }
    });
}

} // namespace kx
