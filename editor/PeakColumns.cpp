#include "PeakColumns.h"

#include "documents/PeakSummary.h"

#include <QPainter>

#include <algorithm>

namespace kx {

void PeakColumns::draw(QPainter& painter, int firstColumn, int columns, QColor colour) const
{
    int previousTop = -1;
    int previousBottom = -1;
    for (int i = 0; i < columns; ++i) {
        const uint64_t begin = boundary(i);
        const uint64_t end = std::max(begin + 1, boundary(i + 1));
        if (begin >= summary.frames())
            break;
        const auto [low, high]
            = summary.peaks(samples, uint32_t(begin), uint32_t(std::min<uint64_t>(end, summary.frames())), channel);
        int top = yOf(high);
        int bottom = yOf(low);
        if (previousTop >= 0) {
            // Reach the neighbour's span, as a line through both columns would.
            top = std::min(top, previousBottom);
            bottom = std::max(bottom, previousTop);
        }
        previousTop = yOf(high);
        previousBottom = yOf(low);
        painter.fillRect(firstColumn + i, std::min(top, bottom), 1, std::abs(bottom - top) + 1, colour);
    }
}

uint32_t rawSampleOf(int value, uint16_t bits)
{
    return bits == 16 ? uint32_t(uint16_t(int16_t(value))) : uint32_t(value + 128);
}

} // namespace kx
