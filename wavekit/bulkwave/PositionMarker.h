#pragma once

#include <QImage>
#include <QWidget>

namespace kx {

/// The little marker over a position strip: the bitmap "CDPOS", 6 by 12 pixels, and nothing else.
class PositionMarker final : public QWidget {
public:
    PositionMarker(QWidget* parent, QImage image, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace kx
