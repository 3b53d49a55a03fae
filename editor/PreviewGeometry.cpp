#include "PreviewGeometry.h"

#include <algorithm>

namespace kx {

PreviewGeometry::PreviewGeometry(uint32_t dataSize, uint16_t blockAlign, uint16_t bitsPerSample, int width, int height)
    : m_dataSize(dataSize)
    , m_blockAlign(std::max<uint16_t>(blockAlign, 1))
    , m_bits(bitsPerSample)
    , m_width(width)
    , m_height(height)
{
}

int PreviewGeometry::drawingWidth() const
{
    return std::max(0, m_width - 26);
}

bool PreviewGeometry::showsWave() const
{
    return drawingWidth() > 0 && m_dataSize > uint32_t(drawingWidth());
}

uint32_t PreviewGeometry::bytesPerPixel() const
{
    return drawingWidth() > 0 ? m_dataSize / uint32_t(drawingWidth()) : 0;
}

uint32_t PreviewGeometry::valuesPerPixel() const
{
    const uint32_t total = m_bits == 16 ? m_dataSize / 2 : m_dataSize;
    return drawingWidth() > 0 ? total / uint32_t(drawingWidth()) : 0;
}

int PreviewGeometry::columnOf(uint64_t byte) const
{
    const uint32_t perPixel = std::max<uint32_t>(bytesPerPixel(), 1);
    return kLeft + int(std::min<uint64_t>(byte / perPixel, uint64_t(drawingWidth())));
}

int PreviewGeometry::effectiveColumn(int x) const
{
    return std::clamp(x, kLeft, std::max(kLeft, right()));
}

uint32_t PreviewGeometry::wholeFrames(uint64_t bytes) const
{
    const uint64_t inside = std::min<uint64_t>(bytes, m_dataSize);
    return uint32_t(inside - inside % m_blockAlign);
}

uint32_t PreviewGeometry::positionAt(int x) const
{
    const int column = effectiveColumn(x);
    if (column >= right())
        return wholeFrames(m_dataSize);
    return wholeFrames(uint64_t(column - kLeft) * bytesPerPixel());
}

uint32_t PreviewGeometry::dropTargetAt(int x) const
{
    return wholeFrames(uint64_t(effectiveColumn(x) - kLeft) * bytesPerPixel());
}

int PreviewGeometry::playMarkerColumn(uint64_t playedBytes, uint32_t rangeStart, uint32_t rangeLength) const
{
    const uint64_t frames = uint64_t(m_dataSize) / m_blockAlign;
    const uint64_t framesPerPixel = std::max<uint64_t>(1, drawingWidth() > 0 ? frames / uint64_t(drawingWidth()) : 1);
    uint64_t position = playedBytes / m_blockAlign;
    if (rangeLength != 0)
        position += rangeStart / m_blockAlign;
    return kLeft + int(std::min<uint64_t>(position / framesPerPixel, uint64_t(drawingWidth())));
}

int limitPreviewHeight(int requested, int frameHeight)
{
    return std::max(PreviewGeometry::kMinimumHeight, std::min(requested, frameHeight / 3));
}

} // namespace kx
