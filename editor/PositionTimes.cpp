#include "PositionTimes.h"

#include "documents/WaveHeader.h"

#include <algorithm>
#include <cstdio>

namespace kx::positiontimes {

uint64_t millisecondsOf(uint64_t bytes, uint32_t bytesPerSecond)
{
    if (bytesPerSecond == 0)
        return 0;
    return uint64_t(double(bytes) / double(bytesPerSecond) * 1000.0);
}

uint64_t bytesOf(uint64_t milliseconds, uint32_t bytesPerSecond, uint16_t blockAlign)
{
    const uint64_t bytes = uint64_t((unsigned __int128)milliseconds * bytesPerSecond / 1000);
    const uint16_t frame = std::max<uint16_t>(blockAlign, 1);
    return bytes - bytes % frame;
}

std::string text(uint64_t milliseconds)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02llu m %02llu.%03llu s", (unsigned long long)(milliseconds / 60000),
        (unsigned long long)(milliseconds % 60000 / 1000), (unsigned long long)(milliseconds % 1000));
    return buffer;
}

TypedMark markOf(uint64_t startMilliseconds, uint64_t lengthMilliseconds, const WaveHeader& header)
{
    const uint64_t dataSize = header.dataSize;
    uint64_t start = bytesOf(startMilliseconds, header.nAvgBytesPerSec, header.nBlockAlign);
    uint64_t length = bytesOf(lengthMilliseconds, header.nAvgBytesPerSec, header.nBlockAlign);
    TypedMark mark;
    if (start > dataSize) {
        start = dataSize;
        mark.cut = true;
    }
    if (length > dataSize - start) {
        length = dataSize - start;
        mark.cut = true;
    }
    mark.start = uint32_t(start);
    mark.length = uint32_t(length);
    return mark;
}

} // namespace kx::positiontimes
