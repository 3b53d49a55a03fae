#pragma once

#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>

namespace kx::padplay {

/// The spinning emblem beside the tool bar: one turn each time a sound button is pressed.
class LogoAnimation : public QWidget {
public:
    explicit LogoAnimation(QWidget* parent);

    /// Plays from the first to the last frame once, starting over if it runs.
    void playOnce();
    /// Stops and shows the first frame.
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }

    static constexpr int kFrameCount = 16;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void nextFrame();

    QSvgRenderer m_logo;
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace kx::padplay
