#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

class QPainter;

namespace kx {

struct WaveHeader;
struct MarkRecord;
class PeakSummary;

/// What one paint of a wave view reads from its document, taken under the document's shared lock.
struct WaveScene {
    const WaveHeader& header;
    const uint8_t* samples; ///< header.dataSize bytes, or null without data
    const MarkRecord& mark;
    bool working;
    /// The document's peak summary when every column is to show its true peaks and it is current;
    /// null draws sampled values.
    const PeakSummary* peaks = nullptr;
};

/// Paints a document's waveform, mark, cursor and labels into a client area of the given size:
/// the picture a wave view shows. Reads only the sample values it draws, so painting a huge
/// document costs no more than a small one at the same size.
class WaveRenderer {
public:
    /// Colours, font and pen spacing shared by all wave views. The 3D frames take the platform's
    /// button colours themselves.
    struct Style {
        QColor face;
        QColor shadow;
        QFont font;
        /// Distance in pixels between two drawn points when a column holds several values.
        float step = 0.2f;
    };

    static constexpr QColor kMonoColour { 0x00, 0x00, 0x60 };
    static constexpr QColor kRightColour { 0x55, 0x00, 0x00 };

    explicit WaveRenderer(Style style);

    /// Paints the scene over (0, 0, width, height) and returns the index after the last sample
    /// value shown (the mark's viewEnd as it is when nothing is drawn).
    uint32_t paint(QPainter& painter, int width, int height, const WaveScene& scene) const;

private:
    Style m_style;
};

} // namespace kx
