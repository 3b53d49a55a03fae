#include "ScaleTable.h"

#include "SampleScaling.h"

namespace kx {

ScaleTable::ScaleTable(float factor)
    : m_sixteenBit(65536)
{
    for (int byte = 0; byte < 256; ++byte)
        m_eightBit[byte] = uint8_t(byte);
    scaleSamples(std::span<uint8_t>(m_eightBit), factor);
    for (int bits = 0; bits < 65536; ++bits)
        m_sixteenBit[bits] = int16_t(uint16_t(bits));
    scaleSamples(std::span<int16_t>(m_sixteenBit), factor);
}

void ScaleTable::apply(std::span<uint8_t> samples) const
{
    for (uint8_t& sample : samples)
        sample = m_eightBit[sample];
}

void ScaleTable::apply(std::span<int16_t> samples) const
{
    const int16_t* table = m_sixteenBit.data();
    for (int16_t& sample : samples)
        sample = table[uint16_t(sample)];
}

} // namespace kx
