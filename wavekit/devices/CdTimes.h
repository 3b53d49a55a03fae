#pragma once

#include <string>

namespace kx::cdtimes {

/// The answers the CD bar's display is built from, each in the minute format "mm:ss:ff".
struct Readings {
    std::string position; ///< where the disc is
    std::string length; ///< of the disc
    std::string trackPosition; ///< where the current track starts
    std::string trackLength;
};

/// Seconds of a "mm:ss..." answer: minutes from its first two characters, seconds from the
/// fourth and fifth, each as far as they are digits.
int seconds(const std::string& answer);
/// The track of a "tt:mm:ss:ff" answer (its first two characters).
int track(const std::string& answer);
/// Minutes and seconds into the track of a "tt:mm:ss:ff" answer.
int trackMinutes(const std::string& answer);
int trackSeconds(const std::string& answer);

/// The display's five characters for time mode 1 to 7: elapsed in track, position on the disc,
/// disc length, track length, track start, left in track, left on the disc.
std::string timeText(int mode, const Readings& readings);

constexpr int kStripLeft = 150;
constexpr int kMarkerY = 110;
/// The position marker's x over the current track; at the strip's start when the track has no length.
int markerX(const Readings& readings);
/// The second a click at `x` in the position strip seeks to (a 155th of the track per pixel).
int seekTarget(int x, const Readings& readings);

} // namespace kx::cdtimes
