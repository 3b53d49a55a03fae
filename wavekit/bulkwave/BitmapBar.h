#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <map>
#include <string>

class QPainter;

namespace kx {

/// A small window inside the frame, 321 by 126 pixels on black, painted entirely from the
/// editor's bitmaps and answering clicks at fixed places; it is dragged by its top strip.
class BitmapBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 321;
    static constexpr int kHeight = 126;

protected:
    BitmapBar(QWidget* parent, const QString& name, const QString& title);

    /// The editor's bitmap `name`, loaded once.
    const QImage& bitmap(const QString& name);
    /// Draws `text` from the digit bitmaps: 16 pixels a digit, 6 for a colon or a point.
    void drawDigits(QPainter& painter, int x, int y, const std::string& text);
    /// A press or a release of the left button anywhere but on the top strip.
    virtual void click(QPoint point, bool press) = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::map<QString, QImage> m_bitmaps;
    QPoint m_dragFrom;
    bool m_dragging = false;
};

} // namespace kx
