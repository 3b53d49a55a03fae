#include "BulkwaveMarks.h"

#include <cinttypes>
#include <cstdio>

namespace kx {

void BulkwaveMarks::setStart(uint64_t ms, uint64_t bytes)
{
    startMs = ms;
    startBytes = bytes;
    if (startBytes >= endBytes) {
        endMs = 0;
        endBytes = 0;
        lengthBytes = 0;
    } else {
        lengthBytes = endBytes - startBytes;
    }
}

void BulkwaveMarks::setEnd(uint64_t ms, uint64_t bytes)
{
    endMs = ms;
    if (endMs < startMs)
        startMs = 0;
    endBytes = bytes;
    if (endBytes < startBytes)
        startBytes = 0;
    lengthBytes = endBytes - startBytes;
}

namespace bulkwave {

    uint64_t seekMilliseconds(uint64_t lengthMs, int pixel)
    {
        // The factors are single-precision constants; the products are taken in the extended
        // precision of the floating-point unit, which is what puts pixel 31 just below 120.
        const long double tenths = (long double)lengthMs * (long double)0.01f * pixel * (long double)0.006451613f;
        return uint64_t(tenths) * 100;
    }

    int markerX(uint64_t positionMs, uint64_t lengthMs)
    {
        // Under a tenth of a second there is nothing to move along.
        if (lengthMs / 100 == 0)
            return 150;
        const uint64_t x = positionMs / 100 * 150 / (lengthMs / 100);
        return 150 + int(x > 150 ? 150 : x);
    }

    std::string timeText(uint64_t ms)
    {
        char text[40];
        std::snprintf(
            text, sizeof text, "%02" PRIu64 ":%02" PRIu64 ".%1" PRIu64, ms / 60000, ms % 60000 / 1000, ms % 1000 / 100);
        return text;
    }

    std::string partTitle(const std::string& fileName, uint32_t counter)
    {
        return "Part of " + fileName + " (" + std::to_string(counter) + ")";
    }

} // namespace bulkwave

} // namespace kx
