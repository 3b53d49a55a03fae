#pragma once

#include "ExtensionButton.h"

#include <QList>
#include <QMap>
#include <QWidget>

class QAction;
class QToolButton;

namespace kx {

/// The bar of sound operations ("FuncBar"): sixteen buttons two abreast, then one button per
/// extension. Docked it fills the frame's strip left of the documents; undocked it floats over
/// them with a small caption whose close box only hides it. Its commands go to the frame, except
/// Dock / Undock (923), which it carries out itself and keeps in "Kestrix\Settings\FuncBar\Docked".
class FunctionBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kInsideWidth = 48;
    static constexpr int kButtonSize = 23;
    static constexpr int kCaptionHeight = 14;

    explicit FunctionBar(QWidget* parent = nullptr);

    /// The entry sending `command`, extension buttons included; null when there is none.
    QAction* action(int command) const;
    /// The area the buttons take: 48 wide, 189 high and 23 more for every two extension buttons shown.
    QSize insideSize() const;

    bool isDocked() const { return m_docked; }
    void setDocked(bool docked);
    /// The frame's place for the docked bar; the undocked bar stays inside the frame.
    void setDockSlot(const QRect& slot);

    /// Enables the entries that need a document while one is open.
    void setDocumentOpen(bool open);

    /// The buttons of the loaded extensions, shown after the sixteen while extensions are shown.
    void setExtensionButtons(const QList<ExtensionButton>& buttons);
    /// Adds (true) or removes the extension buttons and shows the state on button 755.
    void setExtensionButtonsShown(bool shown);
    bool extensionButtonsShown() const { return m_extensionsShown; }

signals:
    void commandRequested(int id);
    /// The mouse is over the entry of `id`; 0 when it left.
    void hintRequested(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QToolButton* addButton(QAction* action);
    void placeButtons();
    void placeFloating(QPoint topLeft);
    QRect closeBox() const;
    QPoint insideOrigin() const;

    QList<QToolButton*> m_buttons; ///< the sixteen, then the extensions'
    QMap<int, QAction*> m_actions;
    QList<ExtensionButton> m_extensions;
    QList<QToolButton*> m_extensionButtons;
    QRect m_dockSlot;
    bool m_docked = false;
    bool m_placed = false; ///< the floating bar has its place on a shown frame and stays there
    bool m_extensionsShown = false;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace kx
