#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

namespace kx {

/// A row of picture buttons in the style of a media player's controls: 40-pixel buttons with an
/// optional picture, 9-pixel gaps and 40-pixel spaces. Pressing a button shows it pressed and asks
/// the owner to show the command's hint; releasing it over the same button sends the command.
class MultimediaButtonRow : public QWidget {
    Q_OBJECT
public:
    enum Kind : int {
        Button = 1, ///< 40 pixels, drawn and clickable
        Gap = 2, ///< 9 pixels of nothing
        Space = 32, ///< 40 pixels of nothing
    };
    struct Item {
        QImage image;
        int command = 0;
        int kind = 0; ///< any other kind takes no room
    };

    /// The row at (x, y) in `parent`, as wide as its items plus one pixel and 23 pixels high.
    MultimediaButtonRow(QWidget* parent, int x, int y, std::vector<Item> items);

    /// The left edge of every item: the widths of the items before it added up.
    static std::vector<int> itemPositions(const std::vector<Item>& items);
    /// The item index of a kind-1 button whose bounds hold `x` strictly; -1 for none.
    int buttonAt(int x) const;

signals:
    /// A button is held: show the hint of `command`, as for a menu item.
    void hintRequested(int command);
    /// The button was let go: remove the hint.
    void hintClosed();
    /// The button was let go over itself.
    void commandTriggered(int command, int kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<Item> m_items;
    std::vector<int> m_positions;
    int m_pressed = -1;
};

} // namespace kx
