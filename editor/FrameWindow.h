#pragma once

#include "FrameLayout.h"
#include "OperationThreads.h"
#include "exports/WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;

namespace kx {

class FunctionBar;
class IconBar;
class ExtensionHost;
class CdPlayerBar;
class PeakSummaryWorker;
class PlaybackController;
class PositionBar;
class PreviewBar;
class RecoveryKeeper;
class PreviewSwitch;
class StatusBar;
class HelpWindowSwitch;
class ThreadManager;
class WaveWindow;

/// The editor's frame: MDI area with the wave windows, the bars around it, the menus and the
/// command table, and the answers to the private messages of the library's operations.
class FrameWindow : public QMainWindow {
    Q_OBJECT
public:
    FrameWindow();
    ~FrameWindow() override;

    HWND handle() const { return m_handle; }
    HWND clientHandle() const { return m_clientHandle; }
    QMdiArea* mdiArea() const { return m_mdi; }
    OperationThreads& operations() { return *m_operations; }
    PlaybackController& playback() { return *m_playback; }
    RecoveryKeeper& recovery() { return *m_recovery; }
    WaveWindow* activeWaveWindow() const;
    QList<WaveWindow*> waveWindows() const;
    const FrameLayout& currentLayout() const { return m_layout; }
    bool threadManagerShown() const { return m_threadManagerShown; }
    bool helpShown() const;
    IconBar* iconBar() const { return m_iconBar; }
    FunctionBar* functionBar() const { return m_functionBar; }
    ExtensionHost& extensions() { return *m_extensions; }
    /// The "E&xtensions" popup, one item per loaded extension (the roll-down panel lists it).
    QMenu* extensionsPopup() const;
    CdPlayerBar* cdPlayer() const { return m_cdPlayer; }

    /// Runs the command with this id, as a menu, accelerator or tool bar would.
    void runCommand(int id, intptr_t lParam = 0);
    /// Whether runCommand or one of the tables it routes through answers `id`.
    bool handlesCommand(int id) const;
    /// Opens a file named on the command line or handed over by a second start.
    void openPath(const QString& path);
    /// Restores the saved placement and shows the frame.
    void showWithSavedPlacement();

signals:
    /// An operation ended and was signalled (its window flashed).
    void operationCompleted(HWND window);
    /// The display quality was switched between true peaks and sampled values.
    void truePeaksChanged(bool truePeaks);
    /// The help window was turned on or off (the icon bar's Help Contents button follows it).
    void helpShownChanged(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    intptr_t handleClientMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void buildMenus();
    QMenu* addCommands(QList<QMenu*>& bar, const QString& title, const QList<std::pair<int, QString>>& items);
    void updateMenus();
    void updateUndoEntries();
    void layoutBars();
    void startOperation(const OperationThreads::Routine& routine, HWND argument, int code, HWND window);
    void openInNewWindow(const QString& path, int number);
    void saveActive(bool askForName);
    /// A save or export on its worker has written `path`.
    void fileSaved(const std::string& path);
    void savePlacement();
    bool closeAllWaveWindows();
    void signalCompletion(HWND window);
    void toggleThreadManager();
    /// The samples of `window`'s document changed (or are about to): its peak summary is stale.
    void samplesChanged(HWND window);
    /// Pastes a copy of the active document's mark into `window` at byte `target`.
    void pasteCopyAt(HWND window, uint32_t target);
    void setTruePeaks(bool truePeaks);

    HWND m_handle = nullptr;
    HWND m_clientHandle = nullptr;
    HWND m_bulkwave = nullptr; ///< the Bulkwave loader, hidden until its command shows it
    QAction* m_bulkwaveAction = nullptr;
    CdPlayerBar* m_cdPlayer = nullptr;
    QAction* m_cdPlayerAction = nullptr;
    QMdiArea* m_mdi = nullptr;
    RecoveryKeeper* m_recovery = nullptr;
    QWidget* m_central = nullptr;
    StatusBar* m_statusBar = nullptr;
    ThreadManager* m_threadManager = nullptr;
    PreviewBar* m_previewBar = nullptr;
    PreviewSwitch* m_previewSwitch = nullptr;
    IconBar* m_iconBar = nullptr;
    QWidget* m_rollDownPanel = nullptr;
    PositionBar* m_positionBar = nullptr;
    FunctionBar* m_functionBar = nullptr;
    HelpWindowSwitch* m_help = nullptr;
    QList<QMenu*> m_startMenu;
    QList<QMenu*> m_documentMenu;
    bool m_documentMenuShown = false;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QList<QAction*> m_threadManagerActions;
    QMenu* m_recentMenu = nullptr;
    QList<QAction*> m_windowListActions;
    OperationThreads* m_operations = nullptr;
    ExtensionHost* m_extensions = nullptr;
    PlaybackController* m_playback = nullptr;
    PeakSummaryWorker* m_peakWorker = nullptr;
    FrameLayout m_layout;
    int m_newFileCounter = 0;
    bool m_threadManagerShown = false;
    bool m_exiting = false;
    bool m_truePeaks = true;
};

} // namespace kx
