#include "WaveRenderer.h"

#include "PeakColumns.h"
#include "WaveViewGeometry.h"
#include "devices/PixelCalculate.h"
#include "documents/WaveDocument.h"
#include "paneldraw/drawing.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace kx {

namespace {

    ColorRef colorRef(const QColor& colour)
    {
        return ColorRef(colour.red()) | ColorRef(colour.green()) << 8 | ColorRef(colour.blue()) << 16;
    }

    /// Reads sample value `index` of 8- or 16-bit data as PixelCalculate takes it.
    uint32_t sampleAt(const uint8_t* samples, uint32_t index, bool sixteenBit)
    {
        if (!sixteenBit)
            return samples[index];
        const uint8_t* pair = samples + std::size_t(index) * 2;
        return uint32_t(pair[0]) | uint32_t(pair[1]) << 8;
    }

    /// One channel's vertical mapping: a value is drawn at base - offset.
    struct Band {
        int base;
        int height;
    };

} // namespace

WaveRenderer::WaveRenderer(Style style)
    : m_style(std::move(style))
{
}

uint32_t WaveRenderer::paint(QPainter& painter, int width, int height, const WaveScene& scene) const
{
    const int w = width;
    const int h = height;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(0, 0, w, h, m_style.face);
    Down3Drectangle(&painter, 2, 2, w - 2, h - 2);

    const WaveViewGeometry geometry(scene.header, scene.mark, w, h);
    const uint32_t total = geometry.total();
    if (scene.working || total == 0 || scene.samples == nullptr || w <= 6 || h <= 6) {
        painter.restore();
        return scene.mark.viewEnd;
    }

    painter.setFont(m_style.font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(3, 3, w - 6, h - 6);

    const bool stereo = geometry.stereo();
    const bool sixteenBit = geometry.bits() == 16;
    const uint32_t spp = geometry.spp();
    const bool oneToOne = spp == 1;
    const uint32_t viewStart = geometry.viewStart();
    const int columns = w - 6;
    const Band mono { h / 2, h - 5 };
    const int stereoHeight = oneToOne ? (h - 4) / 2 : h / 2 - 5;
    const Band left { h / 4, stereoHeight };
    const Band right { 3 * h / 4, stereoHeight };
    auto yOf = [&](const Band& band, uint32_t index) {
        return band.base - pixelCalculate(sampleAt(scene.samples, index, sixteenBit), geometry.bits(), band.height);
    };

    // Centre lines, and the divider between the channels.
    const ColorRef shadow = colorRef(m_style.shadow);
    if (!stereo) {
        LineEx(&painter, 3, h / 2, w - 3, h / 2, shadow);
    } else {
        Flat3Drectangle(&painter, 3, h / 2 - 1, w - 3, h / 2 + 1);
        LineEx(&painter, 3, h / 4, w - 3, h / 4, shadow);
        LineEx(&painter, 3, 3 * h / 4, w - 3, 3 * h / 4, shadow);
    }

    if (oneToOne) {
        // One value per column; a stereo frame covers two columns, so the mark, the cursor and the
        // mouse, which count values, line up with the waveform.
        QPolygon first;
        QPolygon second;
        first.reserve(columns);
        if (stereo)
            second.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            const uint64_t index = uint64_t(viewStart) + uint64_t(i);
            if (index >= total)
                break;
            if (!stereo) {
                first.append(QPoint(i + 3, yOf(mono, uint32_t(index))));
                continue;
            }
            const uint32_t leftIndex = uint32_t(index & ~uint64_t(1));
            first.append(QPoint(i + 3, yOf(left, leftIndex)));
            if (leftIndex + 1 < total)
                second.append(QPoint(i + 3, yOf(right, leftIndex + 1)));
        }
        painter.setPen(kMonoColour);
        painter.drawPoints(first);
        painter.setPen(kRightColour);
        painter.drawPoints(second);
    } else if (scene.peaks) {
        // Several values per column: a line from the least to the greatest of them.
        const uint32_t channels = stereo ? 2 : 1;
        auto boundary = [&](int i) { return (uint64_t(viewStart) + uint64_t(i) * spp) / channels; };
        for (uint32_t c = 0; c < channels; ++c) {
            const Band band = !stereo ? mono : c == 0 ? left : right;
            const PeakColumns peakColumns { *scene.peaks, scene.samples, int(c), boundary, [&](int value) {
                                               return band.base
                                                   - pixelCalculate(rawSampleOf(value, geometry.bits()), geometry.bits(), band.height);
                                           } };
            peakColumns.draw(painter, 3, columns, c == 1 ? kRightColour : kMonoColour);
        }
    } else {
        // Several values per column: a polyline through values picked every `step` pixels.
        const float step = m_style.step;
        auto trace = [&](QPoint from, const Band& band, int parity) {
            QPolygon line;
            line.reserve(int(float(columns) / step) + 2);
            line.append(from);
            for (float x = 0.0f; x < float(columns); x += step) {
                uint64_t index = uint64_t(viewStart) + uint64_t(double(x) * double(spp));
                if (parity >= 0 && int(index & 1) != parity)
                    ++index;
                if (index >= total)
                    break;
                line.append(QPoint(int(x) + 3, yOf(band, uint32_t(index))));
            }
            painter.drawPolyline(line);
        };
        painter.setPen(kMonoColour);
        if (!stereo) {
            trace(QPoint(3, h / 2), mono, -1);
        } else {
            trace(QPoint(6, h / 4), left, 0);
            painter.setPen(kRightColour);
            trace(QPoint(6, 3 * h / 4), right, 1);
        }
    }

    const uint32_t viewEnd = geometry.viewEnd();
    const uint32_t bytesPerValue = geometry.bytesPerValue();
    const uint64_t markStart = scene.mark.markStart / bytesPerValue;

    if (scene.mark.markLength != 0) {
        const uint64_t markEnd = (uint64_t(scene.mark.markStart) + scene.mark.markLength) / bytesPerValue;
        if (markEnd >= viewStart && markStart <= viewEnd) {
            const int x1 = int(geometry.columnOf(std::max<uint64_t>(viewStart, markStart)));
            const int x2 = int(geometry.columnOf(std::min<uint64_t>(viewEnd, markEnd)));
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            auto invert = [&](int top, int bottom) {
                if (x2 > x1 && bottom > top)
                    painter.fillRect(x1, top, x2 - x1, bottom - top, Qt::black);
            };
            if (oneToOne && !stereo) {
                invert(3, h - 3);
            } else if (oneToOne) {
                invert(4, h / 2 - 2);
                invert(h / 2 + 2, h - 4);
            } else {
                invert(4, h - 4);
            }
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }

    if (markStart >= viewStart && markStart < viewEnd) {
        const int x = int(geometry.columnOf(markStart));
        const bool inset = oneToOne && !stereo;
        LineEx(&painter, x, inset ? 4 : 3, x, inset ? h - 4 : h - 3, 0);
    }

    painter.setPen(Qt::black);
    if (!stereo) {
        Text(&painter, 4, 4, "Mono channel");
    } else {
        Text(&painter, 4, 4, "Left channel");
        Text(&painter, 4, h / 2 + 1, "Right channel");
    }
    painter.restore();
    return viewEnd;
}

} // namespace kx
