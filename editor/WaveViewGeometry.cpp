#include "WaveViewGeometry.h"

#include "ZoomSteps.h"

#include "documents/WaveDocument.h"

#include <algorithm>

namespace kx {

WaveViewGeometry::WaveViewGeometry(const WaveHeader& header, const MarkRecord& mark, int width, int height)
    : m_width(width)
    , m_height(height)
    , m_stereo(header.nChannels == 2)
    , m_bits(header.wBitsPerSample)
    , m_blockAlign(std::max<uint16_t>(1, header.nBlockAlign))
    , m_dataSize(header.dataSize)
    , m_total(header.wBitsPerSample == 16 ? header.dataSize / 2 : header.dataSize)
    , m_viewStart(mark.viewStart)
    , m_zoom(mark.zoom)
{
}

uint32_t WaveViewGeometry::zoomSpp() const
{
    if (m_zoom != 0)
        return m_zoom;
    const int drawingWidth = m_width - 6;
    return drawingWidth > 0 ? m_total / uint32_t(drawingWidth) : m_total;
}

uint32_t WaveViewGeometry::spp() const
{
    if (m_zoom != 0)
        return m_zoom;
    // Rounded up, so the last values of the file fit too, and at least 1 for short files.
    const uint64_t drawingWidth = uint64_t(std::max(1, m_width - 6));
    return uint32_t(std::max<uint64_t>(1, (uint64_t(m_total) + drawingWidth - 1) / drawingWidth));
}

uint32_t WaveViewGeometry::viewEnd() const
{
    const uint64_t end = uint64_t(m_viewStart) + uint64_t(std::max(0, m_width - 6)) * spp();
    return uint32_t(std::min<uint64_t>(end, m_total));
}

uint32_t WaveViewGeometry::visibleValues() const
{
    return uint32_t(std::min<uint64_t>(uint64_t(std::max(0, m_width - 6)) * spp(), m_total));
}

int64_t WaveViewGeometry::columnOf(uint64_t value) const
{
    return (int64_t(value) - int64_t(m_viewStart)) / int64_t(spp()) + 3;
}

int WaveViewGeometry::effectiveColumn(int x, bool limitRight) const
{
    if (limitRight)
        x = std::min(x, m_width - 3);
    return std::max(x, 3);
}

uint32_t WaveViewGeometry::positionAt(int x) const
{
    const uint64_t value = uint64_t(m_viewStart) + uint64_t(std::max(0, x - 3)) * spp();
    // At least the view start, at most the end of the data (which wins when the data shrank).
    const uint64_t bytes = std::min<uint64_t>(value * bytesPerValue(), m_dataSize);
    return uint32_t(bytes - bytes % m_blockAlign);
}

int WaveViewGeometry::bandEndColumn(int x) const
{
    const uint64_t value = uint64_t(m_viewStart) + uint64_t(std::max(0, x - 3)) * spp();
    if (value * bytesPerValue() < m_dataSize)
        return x;
    return int(columnOf(m_total));
}

uint32_t WaveViewGeometry::clampToTotal(int64_t viewStart) const
{
    return uint32_t(std::clamp<int64_t>(viewStart, 0, m_total));
}

std::optional<uint32_t> WaveViewGeometry::scrolled(Scroll step) const
{
    const int64_t w = m_width;
    const int64_t b = m_blockAlign;
    const int64_t s = zoomSpp();
    const int64_t start = m_viewStart;
    const bool oneToOne = s == 1;
    const int64_t page = int64_t(std::max(0, m_width - 6)) * spp();
    switch (step) {
    case Scroll::LineLeft:
        return clampToTotal(oneToOne ? start - (w / 4) * b : start - s * (w / 8) * b);
    case Scroll::LineRight: {
        const int64_t next = oneToOne ? start + (w / 4) * b : start + s * (w / 8) * b;
        if (!oneToOne && next == 0)
            return std::nullopt;
        return clampToTotal(next);
    }
    case Scroll::PageLeft:
        return clampToTotal(start - page);
    case Scroll::PageRight:
        return clampToTotal(start + page);
    }
    return std::nullopt;
}

std::optional<uint32_t> WaveViewGeometry::wheeled(int notches) const
{
    const int64_t n = notches;
    const int64_t w = m_width;
    const int64_t b = m_blockAlign;
    const int64_t s = zoomSpp();
    const int64_t start = m_viewStart;
    if (s == 1)
        return clampToTotal(start - (n * w) / 4 * b);
    const int64_t next = start - n * (w / 8) * s * b;
    if (n < 0 && next == 0)
        return std::nullopt;
    return clampToTotal(next);
}

uint32_t WaveViewGeometry::zoomedBy(int notches) const
{
    return zoomsteps::wheeled(m_zoom != 0 ? m_zoom : spp(), notches);
}

} // namespace kx
