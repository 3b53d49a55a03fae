#pragma once

#include "BlockChange.h"
#include "FilterControl.h"
#include "WorkingRange.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kx {

/// One pin of a drawn curve in graph units: x 0 (start of the range) to 300 (end), y 0 (top, 200 %)
/// to 200 (bottom, 0 %).
struct CurvePin {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const CurvePin&) const = default;
};

namespace curve {
    inline constexpr int32_t kWidth = 300;
    inline constexpr int32_t kHeight = 200;
    inline constexpr int kMinPins = 3;
    inline constexpr int kMaxPins = 20;
    /// Ranges of this many bytes or fewer are left alone.
    inline constexpr uint32_t kShortRange = 300;
} // namespace curve

/// A pin count brought into 3..20.
int clampPinCount(int count);
/// Pins at x = i * (300 / (n - 1)) with the last at exactly 300, all at the 100 % line.
std::vector<CurvePin> defaultPins(int count);
/// A graph y near one of the five reference lines (200 %, 150 %, 100 %, 50 %, 0 %) moved onto it.
int32_t snapToLine(int32_t y);
/// The first pin within 4 units of (x, y) on both axes; -1 when none.
int hitPin(std::span<const CurvePin> pins, int32_t x, int32_t y);
/// Drags pin `index` to (x, y): y snaps to the lines; the end pins keep their x, the others take it
/// only strictly between their neighbours. False (nothing moved) for a point outside the graph's
/// inner columns or rows.
bool dragPin(std::span<CurvePin> pins, int index, int32_t x, int32_t y);
/// What is wrong with a pin list given from outside, null when nothing: 3 to 20 pins, x rising
/// strictly from 0 to 300, y within 0..200.
const char* pinListFault(std::span<const CurvePin> pins);
/// The percentage a pin's height stands for (200 - y).
inline int32_t pinPercent(const CurvePin& pin)
{
    return curve::kHeight - pin.y;
}

/// The range a curve applies to: the mark with `markedArea` (a short mark gives an empty range for
/// the volume curve and the whole file for the channel curve), else the whole file; empty when the
/// data is 300 bytes or shorter.
ByteRange curveRange(const WaveDocument& document, bool markedArea, bool shortMarkMeansWholeFile);
/// The same for data of `size` bytes that is not in memory.
ByteRange curveRange(uint32_t size, const MarkRecord& mark, bool markedArea, bool shortMarkMeansWholeFile);

/// Frame-aligned segment starts, counted in samples from the start of a range of `frames` frames:
/// one per pin, the last at the end of the range.
std::vector<std::size_t> curveSegmentStarts(std::span<const CurvePin> pins, std::size_t frames, std::size_t channels);

/// Scales the range along the curve, piecewise linearly: the sample i (from 1) of a segment of m
/// samples between pins of a and b gets a + i * (b - a) / m. Undo: "Drawtone Volume". Refused
/// (nothing changed, no undo) for a bad pin list or a range of 300 bytes or fewer.
FilterStatus drawtoneVolume(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control = {});

/// drawtoneVolume's and drawtoneFadeChannels' changes of the curve's range `range` (curveRange);
/// nullopt where they refuse.
std::optional<BlockChange> drawtoneVolumeChange(
    const WaveHeader& header, ByteRange range, std::span<const CurvePin> pins);
std::optional<BlockChange> drawtoneFadeChange(
    const WaveHeader& header, ByteRange range, std::span<const CurvePin> pins);

/// Cross-fades each segment of the range fully, left to right where the curve rises by two units
/// or more, right to left where it stays level or falls, not at all where it rises by one. Undo:
/// "Drawtone Fade Channels". Refused (nothing changed, no undo) for a bad pin list, a file that is
/// not stereo or one of 300 bytes or fewer.
FilterStatus drawtoneFadeChannels(
    WaveDocument& document, std::span<const CurvePin> pins, bool markedArea, const FilterControl& control = {});

} // namespace kx
