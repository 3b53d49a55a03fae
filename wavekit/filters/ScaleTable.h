#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kx {

/// Every possible sample scaled by one factor, looked up instead of computed: for a whole file a
/// lookup per sample is several times faster than the exact double-precision product, and gives
/// the same values by construction. Where AVX2 is present, 16-bit samples are computed instead,
/// sixteen at a time, which beats the lookup.
class ScaleTable {
public:
    explicit ScaleTable(float factor);

    void apply(std::span<uint8_t> samples) const;
    void apply(std::span<int16_t> samples) const;

private:
    float m_factor;
    std::array<uint8_t, 256> m_eightBit;
    std::vector<int16_t> m_sixteenBit; ///< indexed by the sample's bits as unsigned
};

} // namespace kx
