// A small RGB image filled with one colour and a plain (non-antialiased) painter on it, with a
// character map of its pixels so that expected figures can be written down as pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <map>
#include <string>
#include <vector>

namespace kx::test {

inline const QColor kCanvasColor(1, 2, 3);

class DrawingCanvas {
public:
    DrawingCanvas(int width, int height)
        : m_image(width, height, QImage::Format_RGB32)
    {
        m_image.fill(kCanvasColor);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }

    QPainter* painter() { return &m_painter; }

    QColor pixel(int x, int y) const { return m_image.pixelColor(x, y); }

    /// The image, finished: painting ends here.
    const QImage& image()
    {
        if (m_painter.isActive())
            m_painter.end();
        return m_image;
    }

    /// One string per row; '.' for the untouched canvas, the legend's letter for its colours and
    /// '?' for anything else.
    std::vector<std::string> map(const std::map<char, QColor>& legend)
    {
        const QImage& done = image();
        std::vector<std::string> rows;
        for (int y = 0; y < done.height(); ++y) {
            std::string row;
            for (int x = 0; x < done.width(); ++x)
                row += letterFor(done.pixel(x, y), legend);
            rows.push_back(row);
        }
        return rows;
    }

    /// Pixels that differ from the canvas colour.
    int changedPixels(const QRect& area)
    {
        const QImage& done = image();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += done.pixel(x, y) != kCanvasColor.rgb();
        }
        return count;
    }

private:
    static char letterFor(QRgb pixel, const std::map<char, QColor>& legend)
    {
        if (pixel == kCanvasColor.rgb())
            return '.';
        for (const auto& [letter, color] : legend) {
            if (color.rgb() == pixel)
                return letter;
        }
        return '?';
    }

    QImage m_image;
    QPainter m_painter;
};

} // namespace kx::test
