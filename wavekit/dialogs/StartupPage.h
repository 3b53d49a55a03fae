#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace kx {

class QualitySlider;

/// The "Startup" page of the options sheet: the start assistant, the wave windows' drawing
/// quality and the zoom new windows open with.
class StartupPage : public QWidget {
public:
    explicit StartupPage(QWidget* parent);

    void apply();

private:
    QCheckBox* m_displayAssistant;
    QualitySlider* m_quality;
    QSpinBox* m_zoom;
};

} // namespace kx
