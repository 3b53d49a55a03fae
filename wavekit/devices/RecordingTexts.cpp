#include "RecordingTexts.h"

#include <cinttypes>
#include <cstdio>

namespace kx::recordingtexts {

namespace {

    std::string formatLine(const PcmFormat& format, const char* separator)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%d Bit, %u Hz%s%s", int(format.bits), format.rate, separator,
            format.channels == 1 ? "MONO" : "STEREO");
        return text;
    }

} // namespace

std::string setupFormat(const PcmFormat& format)
{
    return formatLine(format, ", ");
}

std::string recordingFormat(const PcmFormat& format)
{
    return formatLine(format, " ");
}

std::string clock(uint64_t milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02" PRIu64 ":%02" PRIu64, milliseconds / 60000, milliseconds % 60000 / 1000);
    return text;
}

std::string size(uint64_t milliseconds, uint32_t bytesPerSecond)
{
    char text[32];
    std::snprintf(text, sizeof text, "%6" PRIu64, milliseconds / 1000 * bytesPerSecond / 1000);
    return text;
}

std::string cdPosition(int track, int minutes, int seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "Track %d, Position %02d:%02d", track, minutes, seconds);
    return text;
}

} // namespace kx::recordingtexts
