#pragma once

#include <QWidget>

class QCheckBox;
class QSlider;

namespace kx {

/// The "Threads" page of the options sheet: the tone at the end of an operation and how much of
/// the processor operations may take from the rest of the desktop.
class ThreadsPage : public QWidget {
public:
    explicit ThreadsPage(QWidget* parent);

    void apply();

private:
    QCheckBox* m_playTone;
    QSlider* m_speed;
};

} // namespace kx
