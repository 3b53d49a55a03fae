#include "PreviewPainter.h"

#include "PeakColumns.h"
#include "PreviewGeometry.h"
#include "devices/PixelCalculate.h"
#include "documents/PeakSummary.h"
#include "documents/WaveHeader.h"
#include "paneldraw/drawing.h"

#include <QPainter>
#include <QPolygon>

namespace kx {

namespace {

    constexpr QColor kLeftColour { 0, 0, 255 };
    constexpr QColor kRightColour { 255, 0, 0 };

    uint32_t sampleAt(const uint8_t* samples, uint64_t index, bool sixteenBit)
    {
        if (!sixteenBit)
            return samples[index];
        return uint32_t(samples[index * 2]) | uint32_t(samples[index * 2 + 1]) << 8;
    }

    /// One channel's band in the waveform area: a value is drawn at centre - offset.
    struct Band {
        int centre;
        int height;
    };

} // namespace

void paintPreview(QPainter& painter, int w, int h, const PreviewScene& scene, float step, const QPalette& palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(0, 0, w, h, palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(0, 1, w - 1, 1);
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(0, h - 1, w - 1, h - 1);
    if (scene.header && scene.working) {
        Down3Drectangle(&painter, 5, 5, w - 5, h - 5);
        FilledBox(&painter, 6, 6, w - 6, h - 6, 0);
        painter.restore();
        return;
    }
    Down3Drectangle(&painter, 19, 5, w - 5, h - 13);
    FilledBox(&painter, 20, 6, w - 6, h - 14, 0);
    Down3Drectangle(&painter, 19, h - 11, w - 5, h - 5);
    FilledBox(&painter, 20, h - 10, w - 6, h - 6, 0);
    if (!scene.header || !scene.samples) {
        painter.restore();
        return;
    }
    const WaveHeader& header = *scene.header;
    const PreviewGeometry geometry(header.dataSize, header.nBlockAlign, header.wBitsPerSample, w, h);
    if (!geometry.showsWave()) {
        painter.restore();
        return;
    }
    const bool stereo = header.nChannels == 2;
    const uint16_t bits = header.wBitsPerSample;
    const int k = h - 20;
    if (stereo) {
        ShowResourceBitmap(&painter, ":/wavedesk", "LEFTCHANNEL", 6, 7);
        ShowResourceBitmap(&painter, ":/wavedesk", "RIGHTCHANNEL", 6, h - 55);
    } else {
        ShowResourceBitmap(&painter, ":/wavedesk", "MONOCHANNEL", 6, h / 2 - 33);
    }
    painter.setClipRect(PreviewGeometry::kLeft, 6, geometry.drawingWidth(), k);
    const Band bands[2]
        = { stereo ? Band { 6 + k / 4, k / 2 } : Band { 6 + k / 2, h - 24 }, Band { 6 + 3 * k / 4, k / 2 } };
    const QColor colours[2] = { kLeftColour, kRightColour };
    const int channels = stereo ? 2 : 1;

    if (scene.peaks) {
        const uint64_t frames = scene.peaks->frames();
        const int columns = geometry.drawingWidth();
        for (int c = 0; c < channels; ++c) {
            const Band band = bands[c];
            const PeakColumns peakColumns { *scene.peaks, scene.samples, c,
                [&](int i) { return uint64_t(i) * frames / uint64_t(columns); },
                [&](int value) { return band.centre - pixelCalculate(rawSampleOf(value, bits), bits, band.height); } };
            peakColumns.draw(painter, PreviewGeometry::kLeft, columns, colours[c]);
        }
        painter.restore();
        return;
    }

    // Sampled: one value every `step` pixels, joined by lines.
    const double valuesPerPixel = double(geometry.valuesPerPixel());
    const uint64_t total = bits == 16 ? header.dataSize / 2 : header.dataSize;
    const bool sixteenBit = bits == 16;
    for (int c = 0; c < channels; ++c) {
        QPolygon line;
        line.reserve(int(float(geometry.drawingWidth()) / step) + 2);
        line.append(QPoint(PreviewGeometry::kLeft, bands[c].centre));
        for (float x = float(PreviewGeometry::kLeft); x < float(geometry.right()); x += step) {
            uint64_t index = uint64_t(double(x - float(PreviewGeometry::kLeft)) * valuesPerPixel);
            if (stereo && int(index & 1) != c)
                ++index;
            if (index >= total)
                break;
            line.append(QPoint(int(x),
                bands[c].centre - pixelCalculate(sampleAt(scene.samples, index, sixteenBit), bits, bands[c].height)));
        }
        painter.setPen(colours[c]);
        painter.drawPolyline(line);
    }
    painter.restore();
}

} // namespace kx
