#include "FormatSummary.h"

#include <cstdio>

namespace kx {

uint32_t standardFormatBit(uint32_t rate, uint16_t channels, uint16_t bits)
{
    int rateIndex;
    switch (rate) {
    case 11025:
        rateIndex = 0;
        break;
    case 22050:
        rateIndex = 1;
        break;
    case 44100:
        rateIndex = 2;
        break;
    default:
        return 0;
    }
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16))
        return 0;
    // Within one rate the bits run mono 8, stereo 8, mono 16, stereo 16.
    const int within = (channels == 2 ? 1 : 0) + (bits == 16 ? 2 : 0);
    return 1u << (rateIndex * 4 + within);
}

FormatSummary summarizeFormats(uint32_t mask)
{
    FormatSummary summary;
    summary.bits = (mask & Format4M16) ? 16 : 8;
    // Later tests override earlier ones, so 16-bit at 11025 Hz wins over 8-bit at 44100 Hz.
    const std::pair<uint32_t, uint16_t> rateTests[] = {
        { Format1M08, 1 },
        { Format2M08, 2 },
        { Format4M08, 4 },
        { Format1M16, 1 },
        { Format2M16, 2 },
        { Format4M16, 4 },
    };
    for (const auto& [bit, rateClass] : rateTests) {
        if (mask & bit)
            summary.rateClass = rateClass;
    }
    summary.stereo = (mask & Format4S16) != 0;
    return summary;
}

std::string formatSummaryText(uint32_t mask)
{
    const FormatSummary summary = summarizeFormats(mask);
    if (summary.rateClass == 0)
        return "No standard format";
    char text[64];
    std::snprintf(text, sizeof text, "%d Bit %u Hz %s", summary.bits, unsigned(summary.rateClass) * 11025u,
        summary.stereo ? "STEREO" : "MONO");
    return text;
}

std::string driverVersionText(uint16_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", version >> 8, version & 0xFF);
    return text;
}

} // namespace kx
