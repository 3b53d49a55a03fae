#pragma once

#include <cstdint>
#include <optional>

namespace kx {

struct WaveHeader;
struct MarkRecord;

/// How a wave view maps its columns to sample values and byte offsets, and how scrolling and
/// zooming move it. Plain arithmetic over one snapshot of the document and the view's size, so
/// the mouse, the scroll bar and the painter all agree on one mapping.
///
/// Columns 0..2 and W-3..W-1 are the frame; column 3 shows the value at viewStart.
class WaveViewGeometry {
public:
    enum class Scroll { LineLeft, LineRight, PageLeft, PageRight };

    WaveViewGeometry(const WaveHeader& header, const MarkRecord& mark, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool stereo() const { return m_stereo; }
    uint16_t bits() const { return m_bits; }
    uint32_t dataSize() const { return m_dataSize; }
    /// Number of sample values of the document.
    uint32_t total() const { return m_total; }
    uint32_t viewStart() const { return m_viewStart; }
    uint32_t bytesPerValue() const { return m_bits == 16 ? 2 : 1; }

    /// Samples per pixel as the zoom defines it: the zoom, or for zoom 0 the whole file over
    /// the drawing width, which is 0 when the file is shorter than the window.
    uint32_t zoomSpp() const;
    /// Samples per pixel for drawing and for the mouse. For zoom 0 the whole file over the drawing
    /// width rounded up, so that the whole file fits, and at least 1, so that a short file is drawn
    /// one value per column instead of dividing by zero. The scroll steps keep zoomSpp.
    uint32_t spp() const;

    /// Index after the last sample value the view shows.
    uint32_t viewEnd() const;
    /// How many sample values the drawing width shows: the page of the scroll bar.
    uint32_t visibleValues() const;
    /// Column at which the sample value `value` (at least viewStart) is drawn.
    int64_t columnOf(uint64_t value) const;

    /// The mouse column as the handlers use it: 3 for anything left of the drawing area, and
    /// with `limitRight` at most W - 3.
    int effectiveColumn(int x, bool limitRight) const;
    /// Byte offset under the mouse column `x` (already made effective): between the view start
    /// and dataSize, at the start of a frame so that a mark never splits a frame.
    uint32_t positionAt(int x) const;
    /// Column at which a rubber band dragged to `x` ends: `x` itself, or the end of the data when
    /// the mouse is past it.
    int bandEndColumn(int x) const;

    /// The view start after a scroll-bar step, clamped to 0..total; nothing when the step
    /// changes nothing at all (a line right that lands exactly on 0). A page moves by the visible
    /// width, so that paging shows every part of the file.
    std::optional<uint32_t> scrolled(Scroll step) const;
    /// The view start after `notches` wheel notches (positive away from the user).
    std::optional<uint32_t> wheeled(int notches) const;
    /// The zoom after `notches` Ctrl+wheel notches (positive away from the user), 1..30000:
    /// zooming from "whole file" starts at the spp the window shows.
    uint32_t zoomedBy(int notches) const;

private:
    uint32_t clampToTotal(int64_t viewStart) const;

    int m_width;
    int m_height;
    bool m_stereo;
    uint16_t m_bits;
    uint16_t m_blockAlign;
    uint32_t m_dataSize;
    uint32_t m_total;
    uint32_t m_viewStart;
    uint32_t m_zoom;
};

} // namespace kx
