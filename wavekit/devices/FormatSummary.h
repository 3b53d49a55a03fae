#pragma once

#include <cstdint>
#include <string>

namespace kx {

/// The twelve standard formats as bits of a device's format mask: rate class (1, 2, 4 meaning
/// 11025, 22050, 44100 Hz), mono or stereo, 8 or 16 bit.
enum StandardFormat : uint32_t {
    Format1M08 = 1,
    Format1S08 = 2,
    Format1M16 = 4,
    Format1S16 = 8,
    Format2M08 = 16,
    Format2S08 = 32,
    Format2M16 = 64,
    Format2S16 = 128,
    Format4M08 = 256,
    Format4S08 = 512,
    Format4M16 = 1024,
    Format4S16 = 2048,
};

/// The standard format that `rate` Hz, `channels` and `bits` name, or 0 when it is none of them.
uint32_t standardFormatBit(uint32_t rate, uint16_t channels, uint16_t bits);

/// The "best" format a device reports, decoded from its format mask.
struct FormatSummary {
    uint16_t bits = 8;
    uint16_t rateClass = 0; ///< 1, 2 or 4; 0 when the mask has none of the mono bits
    bool stereo = false;
};

FormatSummary summarizeFormats(uint32_t mask);
/// "16 Bit 44100 Hz STEREO", "8 Bit 11025 Hz MONO"; "No standard format" when the rate is undetermined.
std::string formatSummaryText(uint32_t mask);
/// A version word shown as "high byte.low byte" ("1.4" for 0x0104).
std::string driverVersionText(uint16_t version);

} // namespace kx
