#pragma once

#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>

namespace kx {

/// The transfer dialog's animation: packets travel from the globe to the computer in an endless
/// loop while the transfer runs.
class TransferAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TransferAnimation(QWidget* parent = nullptr);
    QSize sizeHint() const override { return { 200, 48 }; }
    void stop();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_globe;
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace kx
