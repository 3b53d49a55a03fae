#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>

class QSvgRenderer;

namespace kx {

/// A program's emblem that turns on a timer of the interface thread: once (when a program starts,
/// or a button is pressed) or on and on while work runs.
class SpinningLogo : public QWidget {
    Q_OBJECT
public:
    /// Draws the SVG `svgPath` afresh at every frame, filling the widget.
    SpinningLogo(const QString& svgPath, int framesPerTurn, QWidget* parent = nullptr);
    /// Turns the ready-made `emblem` about the widget's centre.
    SpinningLogo(const QPixmap& emblem, int framesPerTurn, QWidget* parent = nullptr);
    ~SpinningLogo() override;

    /// One turn from the first frame, then rest on it (a running spin is left as it is).
    void playOnce();
    /// Turns until stop().
    void spin();
    /// Rests on the first frame.
    void stop();

    bool isTurning() const { return m_timer.isActive(); }
    bool isSpinning() const { return m_timer.isActive() && m_looping; }
    int frame() const { return m_frame; }
    int framesPerTurn() const { return m_framesPerTurn; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SpinningLogo(int framesPerTurn, QWidget* parent);
    void advance();

    std::unique_ptr<QSvgRenderer> m_svg;
    QPixmap m_emblem;
    QTimer m_timer;
    int m_framesPerTurn;
    int m_frame = 0;
    bool m_looping = false;
};

} // namespace kx
