#pragma once

#include <QColor>

#include <cstdint>
#include <functional>

class QPainter;

namespace kx {

class PeakSummary;

/// One channel's true-peak drawing: for each of `columns` columns from x = `firstColumn`, a
/// vertical line from the greatest to the least value of `channel` over the frames
/// [boundary(i), boundary(i + 1)), joined to its neighbour so that the line has no gaps. `yOf`
/// maps a signed value (8-bit data with 128 subtracted) to a row.
struct PeakColumns {
    const PeakSummary& summary;
    const uint8_t* samples;
    int channel;
    std::function<uint64_t(int)> boundary;
    std::function<int(int)> yOf;

    void draw(QPainter& painter, int firstColumn, int columns, QColor colour) const;
};

/// The value PixelCalculate takes for a signed value of `bits`-bit data.
uint32_t rawSampleOf(int value, uint16_t bits);

} // namespace kx
