#pragma once

#include "wavekit/wavekit.h"

#include <QWidget>

namespace kx {

/// The bar at the bottom of the frame: the active document's name, size, rate, format and length,
/// or the program's banner when no document is open.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    StatusBar(HWND frame, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HWND m_frame;
};

} // namespace kx
