#pragma once

#include <QWidget>

class QSlider;

namespace kx {

/// A "low" to "high" track bar (3 to 9) over a drawing-quality setting, which holds the distance
/// between two drawn points in thousandths of a pixel: position = (1000 - setting) / 100.
class QualitySlider : public QWidget {
public:
    static constexpr int kLow = 3;
    static constexpr int kHigh = 9;

    QualitySlider(const char* setting, int defaultQuality, QWidget* parent);

    static int positionOf(int quality);
    static int qualityOf(int position);

    QSlider* slider() const { return m_slider; }
    /// Writes the position's quality to the setting.
    void apply();

private:
    const char* m_setting;
    QSlider* m_slider;
};

} // namespace kx
