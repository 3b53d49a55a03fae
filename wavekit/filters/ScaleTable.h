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
    /// Scales the samples and puts their original values into `copy` (null: no copy) on the way,
    /// past the cache, reading each sample once.
    void apply(std::span<uint8_t> samples, uint8_t* copy) const;
    void apply(std::span<int16_t> samples, int16_t* copy) const;

private:
    /// Whether the single-precision AVX2 path gives the exact values for this factor here.
    bool fusable() const;

    float m_factor;
    std::array<uint8_t, 256> m_eightBit;
    std::vector<int16_t> m_sixteenBit; ///< indexed by the sample's bits as unsigned
};

} // namespace kx
