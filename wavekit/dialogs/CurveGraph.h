#pragma once

#include "filters/Drawtone.h"

#include <QWidget>

#include <vector>

namespace kx {

/// The Drawtone graph: 300 x 200 units inside a sunken frame, the reference lines, the pins joined
/// by straight lines, and a pin that follows the mouse while it is dragged.
class CurveGraph : public QWidget {
    Q_OBJECT
public:
    explicit CurveGraph(QWidget* parent);

    const std::vector<CurvePin>& pins() const { return m_pins; }
    void setPins(std::vector<CurvePin> pins);
    /// Index of the pin being dragged, -1 when none.
    int dragged() const { return m_dragged; }

signals:
    /// The percentage of the pin just picked up or moved.
    void valueShown(int percent);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint graphPoint(const QPoint& position) const;

    std::vector<CurvePin> m_pins;
    int m_dragged = -1;
};

} // namespace kx
