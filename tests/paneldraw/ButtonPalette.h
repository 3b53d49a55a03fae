// Distinct button colours for the figures that read the platform's, so that a test can tell
// every colour apart; the application's palette comes back when the test ends.
#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <map>

namespace kx::test {

struct ButtonLegend {
    QColor face, highlight, shadow, light;

    /// Letters of the pixel maps: F face, H highlight, S shadow, K black.
    std::map<char, QColor> letters() const
    {
        return { { 'F', face }, { 'H', highlight }, { 'S', shadow }, { 'K', QColor(0, 0, 0) } };
    }
};

inline const ButtonLegend kClassicGrays { QColor(192, 192, 192), QColor(255, 255, 255), QColor(128, 128, 128),
    QColor(223, 223, 223) };

class ScopedButtonPalette {
public:
    explicit ScopedButtonPalette(const ButtonLegend& colors)
        : m_saved(QGuiApplication::palette())
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Button, colors.face);
        palette.setColor(QPalette::Light, colors.highlight);
        palette.setColor(QPalette::Dark, colors.shadow);
        palette.setColor(QPalette::Midlight, colors.light);
        QGuiApplication::setPalette(palette);
    }
    ~ScopedButtonPalette() { QGuiApplication::setPalette(m_saved); }
    ScopedButtonPalette(const ScopedButtonPalette&) = delete;
    ScopedButtonPalette& operator=(const ScopedButtonPalette&) = delete;

private:
    QPalette m_saved;
};

inline const ButtonLegend kTestColors { QColor(200, 180, 0), QColor(250, 250, 210), QColor(60, 60, 120),
    QColor(230, 220, 100) };

} // namespace kx::test
