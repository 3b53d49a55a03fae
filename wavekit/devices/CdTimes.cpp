#include "CdTimes.h"

#include <algorithm>
#include <cstdio>

namespace kx::cdtimes {

namespace {

    int number(const std::string& answer, std::size_t offset)
    {
        int value = 0;
        for (std::size_t i = offset; i < answer.size() && i < offset + 2 && answer[i] >= '0' && answer[i] <= '9'; ++i)
            value = value * 10 + (answer[i] - '0');
        return value;
    }

    std::string clockText(int seconds)
    {
        seconds = std::max(0, seconds);
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60 % 100, seconds % 60);
        return text;
    }

} // namespace

int seconds(const std::string& answer)
{
    return number(answer, 0) * 60 + number(answer, 3);
}

int track(const std::string& answer)
{
    return number(answer, 0);
}

int trackMinutes(const std::string& answer)
{
    return number(answer, 3);
}

int trackSeconds(const std::string& answer)
{
    return number(answer, 6);
}

std::string timeText(int mode, const Readings& r)
{
    const int p = seconds(r.position);
    const int s = seconds(r.trackPosition);
    const int l = seconds(r.trackLength);
    switch (mode) {
    case 1:
        return clockText(p - s);
    case 2:
        return r.position.substr(0, 5);
    case 3:
        return r.length.substr(0, 5);
    case 4:
        return r.trackLength.substr(0, 5);
    case 5:
        return r.trackPosition.substr(0, 5);
    case 6:
        return clockText(l - (p - s));
    case 7:
        return clockText(seconds(r.length) - p);
    default:
        return "00:00";
    }
}

int markerX(const Readings& r)
{
    const int l = seconds(r.trackLength);
    if (l <= 0)
        return kStripLeft;
    const int elapsed = std::clamp(seconds(r.position) - seconds(r.trackPosition), 0, l);
    return kStripLeft + elapsed * 150 / l;
}

int seekTarget(int x, const Readings& r)
{
    return seconds(r.trackPosition) + int((x - kStripLeft) * seconds(r.trackLength) * 0.006451613);
}

} // namespace kx::cdtimes
