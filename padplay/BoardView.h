#pragma once

#include <QStringList>
#include <QWidget>

namespace kx::padplay {

/// The window's client area: paints the page tabs and the framed button area, reports clicks on
/// the tabs and files dropped beside the buttons. The tool bar, logo, buttons and status bar are
/// its children at fixed places.
class BoardView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 605;
    static constexpr int kHeight = 405;
    static constexpr int kStatusHeight = 22;

    explicit BoardView(QWidget* parent);

    void showTabs(const QStringList& names, int current);
    /// Where button n (1 to 44) stands: four columns of eleven, filled top to bottom.
    static QRect buttonRect(int button);

signals:
    void tabPressed(int page, Qt::MouseButton button, QPoint globalPosition);
    void filesDropped(const QList<QByteArray>& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QStringList m_names;
    int m_current = 0;
};

} // namespace kx::padplay
