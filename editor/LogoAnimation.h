#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace kx {

/// The emblem at the right end of the icon bar: it turns once when the editor starts and keeps
/// turning while operations run. Driven by a timer of the interface thread.
class LogoAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFramesPerTurn = 24;

    explicit LogoAnimation(QWidget* parent = nullptr);

    /// One turn, then rest on the first frame (a running spin is left as it is).
    void playOnce();
    /// Turns until stop().
    void spin();
    /// Rests on the first frame.
    void stop();

    bool isTurning() const { return m_timer.isActive(); }
    bool isSpinning() const { return m_timer.isActive() && m_looping; }
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void advance();

    QPixmap m_emblem;
    QTimer m_timer;
    int m_frame = 0;
    bool m_looping = false;
};

} // namespace kx
