#pragma once

#include "RollDownFields.h"
#include "wavekit/wavekit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QMenuBar;

namespace kx {

class WaveWindow;

/// The 18-pixel strip below the tool bars: drop-down menus of the recent files, the extensions
/// and the windows, the sound clipboard (its state, its menu, and a drag source that pastes or,
/// with Ctrl, mixes it into a wave window or at a place of the preview bar), the header dialog,
/// the active document's zoom, and a clock of the running operations.
///
/// Everything here runs on the interface thread; the clock is a timer.
class RollDownPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClockMs = 400;
    /// The roll-down tool tip over the recent-files field.
    static constexpr const char* kRecentFilesTip = "Eine der zuletzt benutzten Dateien laden";

    RollDownPanel(HWND frame, QWidget* parent = nullptr);
    ~RollDownPanel() override;

    HWND handle() const { return m_handle; }

    /// Where the extensions' and the windows' menus come from; a source may give null.
    using MenuSource = std::function<QMenu*()>;
    void setMenuSources(MenuSource extensions, MenuSource windows);

    /// The panel's menus as they would open now. Commands below 9999 go to the frame.
    std::unique_ptr<QMenu> createRecentFilesMenu();
    std::unique_ptr<QMenu> createZoomMenu();
    std::unique_ptr<QMenu> createClipboardMenu();
    std::unique_ptr<QMenu> createContextMenu();

    /// The texts the zoom, clipboard and Threads fields show.
    QString zoomText() const { return m_zoomText; }
    QString clipboardText() const;
    QString threadsText() const { return m_threadsText; }
    /// The tool tip at column `x`; empty where there is none.
    static QString toolTipAt(int x);

    /// Lets a dragged clipboard go at the global position `global`, as a release there does.
    void dropClipboard(QPoint global, bool control);

signals:
    /// A command for the frame.
    void commandRequested(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    WaveWindow* activeWave() const;
    QWidget* previewBar() const;
    /// Whether `widget` is the preview bar or a part of it.
    bool isPreviewBar(QWidget* widget) const;
    /// Whether a drop at `global` lands on a wave window or the preview bar.
    bool isDropTarget(QPoint global) const;
    void showDragCursor(QPoint global, bool control);
    void endDrag();
    /// Opens `menu` below the field `field`, drawn pressed while it is open.
    void popUp(RollDownField field, QMenu& menu, int x);
    /// Opens a frame menu, or a disabled stand-in saying why there is none.
    void popUpFrameMenu(RollDownField field, const MenuSource& source, const QString& missing, int x);
    void changeZoom(uint32_t (*step)(uint32_t));
    void showHeader();
    void tick();
    void paintRaised(class QPainter& painter, int left, int right, bool pressed);
    void paintDropDown(QPainter& painter, RollDownField field, int left, int right, const char* text);

    HWND m_frame;
    HWND m_handle;
    MenuSource m_extensionsMenu;
    MenuSource m_windowsMenu;
    RollDownField m_pressed = RollDownField::None;
    bool m_dragging = false;
    QString m_zoomText;
    QString m_threadsText;
    QTimer m_clock;
    QElapsedTimer m_runningSince;
    int m_running = 0;
};

/// The menu of `bar` titled `title`; null when it has none.
QMenu* menuOfBar(const QMenuBar& bar, const QString& title);

} // namespace kx
