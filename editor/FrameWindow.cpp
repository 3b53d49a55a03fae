#include "FrameWindow.h"

#include "Accelerators.h"
#include "BarMessages.h"
#include "CdPlayerBar.h"
#include "CloseConfirmation.h"
#include "CommandIds.h"
#include "CompletionSignal.h"
#include "ExtensionHost.h"
#include "FileDrops.h"
#include "FunctionBar.h"
#include "HelpWindow.h"
#include "HelpWindowSwitch.h"
#include "IconBar.h"
#include "MdiArrangement.h"
#include "MenuLists.h"
#include "PeakSummaryWorker.h"
#include "PlaybackController.h"
#include "PositionBar.h"
#include "PreviewBar.h"
#include "PreviewGeometry.h"
#include "PreviewSwitch.h"
#include "ProgramLaunchers.h"
#include "RecentFiles.h"
#include "RecoveryKeeper.h"
#include "RollDownPanel.h"
#include "StartAssistant.h"
#include "StatusBar.h"
#include "ThreadCommands.h"
#include "ThreadManager.h"
#include "ToolActions.h"
#include "ViewCommands.h"
#include "VirtualDesktop.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "clipboard/ClipboardLocation.h"
#include "documents/PrivateDirectory.h"
#include "documents/SharedDocument.h"
#include "exports/DocumentWindows.h"
#include "exports/ExportFile.h"
#include "exports/FileOpener.h"
#include "exports/InterfaceThread.h"
#include "exports/MessageBoxes.h"
#include "exports/MixerLauncher.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "media/SoundFileOpener.h"

#include "paneldraw/settings.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

// The pictures, cursors and sounds are linked in with the frame's static library, whose resource
// object nothing else references.
static void initEditorResources()
{
    Q_INIT_RESOURCE(editor);
}

namespace kx {

namespace {

    /// The project's web page, opened by "Kestrix2000 Homepage...".
    constexpr const char* kHomepageAddress = "https://kestrix2000.quellwerk.example/";

    intptr_t asResult(HWND handle)
    {
        return reinterpret_cast<intptr_t>(handle);
    }

    /// A bar that only needs to repaint when asked (its content comes with its own window class).
    HWND registerBar(QWidget* bar)
    {
        HWND handle = WindowRegistry::add(bar, nullptr);
        WindowRegistry::setMessageHandler(handle, [bar](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
            if (message == MsgInvalidate)
                bar->update();
            return 0;
        });
        return handle;
    }

    /// The threaded opener with the path at hand: the setting it would read cannot hold every path.
    OperationThreads::Routine openerOf(std::string path)
    {
        return [path = std::move(path)](HWND frame) { return openFileInWindow(frame, path); };
    }

} // namespace

FrameWindow::FrameWindow()
{
    initEditorResources();
    setWindowTitle(QStringLiteral("Kestrix2000"));
    setMinimumSize(650, 380);
    setAcceptDrops(true); // files dragged from a file manager open
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(
        m_handle, [this](uint32_t m, uintptr_t w, intptr_t l) { return handleMessage(m, w, l); });
    m_operations = new OperationThreads(m_handle, this);
    m_playback = new PlaybackController(m_handle, this);
    m_peakWorker = new PeakSummaryWorker(this);
    m_truePeaks = RegGetBool("Kestrix\\Settings\\Boolean\\TruePeaks", 1);

    m_central = new QWidget(this);
    setCentralWidget(m_central);
    m_mdi = new QMdiArea(m_central);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_clientHandle = WindowRegistry::add(m_mdi, nullptr);
    WindowRegistry::setMessageHandler(
        m_clientHandle, [this](uint32_t m, uintptr_t w, intptr_t l) { return handleClientMessage(m, w, l); });
    m_recovery = new RecoveryKeeper(m_clientHandle, this);

    if (RegGetBool("Kestrix\\Settings\\VirtualDesktop\\Visible", 1))
        connect(new VirtualDesktop(m_mdi), &VirtualDesktop::commandRequested, this, [this](int id) { runCommand(id); });
    m_iconBar = new IconBar(m_central);
    registerBar(m_iconBar);
    connect(m_iconBar, &IconBar::commandRequested, this, [this](int id) { runCommand(id); });
    connect(m_operations, &OperationThreads::runningCountChanged, m_iconBar, &IconBar::setRunningCount);
    // The document is free again only once its worker has returned.
    connect(m_operations, &OperationThreads::threadReturned, this, [this](int, HWND window) {
        updateUndoEntries();
        // Painted while the thread was ending, the views showed the document as busy.
        if (WindowRegistry::document(window)) {
            SendMessage(window, MsgInvalidate, 0, 0);
            m_previewBar->update();
        }
    });
    auto* rollDown = new RollDownPanel(m_handle, m_central);
    rollDown->setMenuSources(
        [this] { return menuOfBar(*menuBar(), "E&xtensions"); }, [this] { return menuOfBar(*menuBar(), "&Window"); });
    connect(rollDown, &RollDownPanel::commandRequested, this, [this](int id) { runCommand(id); });
    m_rollDownPanel = rollDown;
    m_previewBar = new PreviewBar(m_handle, m_central);
    m_previewBar->setSummaryRequester(
        [this](const std::shared_ptr<SharedDocument>& document) { m_peakWorker->request(document); });
    connect(m_peakWorker, &PeakSummaryWorker::summaryReady, this, [this] {
        m_previewBar->update();
        for (WaveWindow* wave : waveWindows())
            wave->view()->viewport()->update();
    });
    connect(m_previewBar, &PreviewBar::commandRequested, this, [this](int id) { runCommand(id); });
    connect(m_previewBar, &PreviewBar::dropRequested, this, &FrameWindow::pasteCopyAt);
    connect(m_previewBar, &PreviewBar::markChanged, this, [this] {
        if (WaveWindow* wave = activeWaveWindow())
            wave->view()->viewport()->update();
    });
    m_previewSwitch = new PreviewSwitch(m_central);
    m_previewSwitch->setObjectName(QStringLiteral("Switch"));
    registerBar(m_previewSwitch);
    connect(m_previewSwitch, &PreviewSwitch::threadManagerRequested, this, [this](bool shown) {
        if (shown != m_threadManagerShown)
            toggleThreadManager();
    });
    m_positionBar = new PositionBar(m_handle, m_central);
    connect(m_previewBar, &PreviewBar::mousePosition, m_positionBar, &PositionBar::showMousePosition);
    connect(m_previewBar, &PreviewBar::markChanged, m_positionBar, &PositionBar::showMark);
    connect(m_positionBar, &PositionBar::commandRequested, this, [this](int id) { runCommand(id); });
    connect(m_positionBar, &PositionBar::markChanged, this, [this] {
        m_previewBar->update();
        if (WaveWindow* wave = activeWaveWindow())
            wave->view()->viewport()->update();
    });
    m_functionBar = new FunctionBar(m_central);
    registerBar(m_functionBar);
    connect(m_functionBar, &FunctionBar::commandRequested, this, [this](int id) { runCommand(id); });
    m_statusBar = new StatusBar(m_handle, m_central);
    connect(m_previewBar, &PreviewBar::playingFrameChanged, m_statusBar, &StatusBar::setPlayingFrame);
    const auto showHint = [this](int id) {
        if (id)
            m_statusBar->showMenuText(menuHelpText(id));
        else
            m_statusBar->clearMenuText();
    };
    connect(m_positionBar, &PositionBar::hintRequested, m_statusBar, showHint);
    connect(m_iconBar, &IconBar::hintRequested, m_statusBar, showHint);
    connect(m_functionBar, &FunctionBar::hintRequested, m_statusBar, showHint);
    m_help = new HelpWindowSwitch(m_central, this);
    connect(m_help, &HelpWindowSwitch::shownChanged, this, [this](bool shown) {
        layoutBars();
        m_cdPlayer->raise();
        if (QWidget* loader = WindowRegistry::window(m_bulkwave))
            loader->raise();
        m_iconBar->setChecked(CmdHelpContents, shown);
        emit helpShownChanged(shown);
    });
    m_cdPlayer = CdPlayerBar::create(m_handle, m_central);
    connect(m_cdPlayer, &CdPlayerBar::commandRequested, this, [this](int id) { runCommand(id); });
    connect(m_cdPlayer, &CdPlayerBar::optionsRequested, this,
        [this](int page) { ShowOptionsPropertySheetNum(m_handle, page); });
    connect(m_cdPlayer, &CdPlayerBar::cdFrameChanged, m_statusBar, &StatusBar::setCdFrame);
    m_iconBar->followVisibility(CmdCdPlayer, m_cdPlayer);
    m_threadManager = new ThreadManager(*m_operations, m_central);
    m_threadManager->hide();
    connect(m_operations, &OperationThreads::registryChanged, m_threadManager, &ThreadManager::refresh);
    connect(m_threadManager, &ThreadManager::commandRequested, this, [this](int id) { runCommand(id); });

    m_extensions = new ExtensionHost(
        m_handle,
        [this](const OperationThreads::Routine& filter, HWND wave) {
            m_playback->stopPlaybackOf(wave);
            startOperation(filter, m_handle, OpExtensionFilter, wave);
        },
        this);
    connect(m_extensions, &ExtensionHost::hintRequested, m_statusBar, [this](const QString& text) {
        if (text.isEmpty())
            m_statusBar->clearMenuText();
        else
            m_statusBar->showMenuText(text);
    });
    m_extensions->loadAll();
    m_functionBar->setExtensionButtons(m_extensions->buttons());
    m_functionBar->setExtensionButtonsShown(m_extensions->buttonsShown());
    connect(m_extensions, &ExtensionHost::buttonsShownChanged, m_functionBar, &FunctionBar::setExtensionButtonsShown);
    buildMenus();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        updateMenus();
        m_statusBar->update();
        m_previewBar->update();
        m_positionBar->setTimesEnabled(activeWaveWindow() != nullptr);
        m_positionBar->showMark();
        m_rollDownPanel->update();
    });
    updateMenus();
    m_help->setShown(RegGetBool("Kestrix\\Settings\\Boolean\\HelpWinActive", 1));
}

FrameWindow::~FrameWindow()
{
    // The MDI area reports activations while it takes its windows down; the menus are gone by then.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (WaveWindow* wave : waveWindows())
        disconnect(wave, nullptr, this, nullptr);
    WindowRegistry::remove(m_clientHandle);
    WindowRegistry::remove(m_handle);
}

QMenu* FrameWindow::addCommands(QList<QMenu*>& bar, const QString& title, const QList<std::pair<int, QString>>& items)
{
    auto* menu = new QMenu(title, this);
    bar.append(menu);
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        if (action->data().isValid())
            m_statusBar->showMenuText(menuHelpText(action->data().toInt()));
    });
    connect(menu, &QMenu::aboutToHide, this, [this] { m_statusBar->clearMenuText(); });
    for (const auto& [id, text] : items) {
        if (id == 0) {
            menu->addSeparator();
            continue;
        }
        const QString keys = acceleratorText(id);
        QAction* action = menu->addAction(keys.isEmpty() ? text : text + QLatin1Char('\t') + keys);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id = id] { runCommand(id); });
        if (id == CmdUndo)
            m_undoAction = action;
        if (id == CmdRedo)
            m_redoAction = action;
        if (id == CmdThreadManager) {
            action->setCheckable(true);
            m_threadManagerActions.append(action);
        }
        if (id == CmdHelpWindow)
            m_help->bindCheck(action);
        if (id == CmdTruePeaks) {
            action->setCheckable(true);
            action->setChecked(m_truePeaks);
            connect(this, &FrameWindow::truePeaksChanged, action, &QAction::setChecked);
        }
    }
    return menu;
}

void FrameWindow::buildMenus()
{
    const QList<std::pair<int, QString>> help = { { CmdHelpContents, "&Contents" }, { CmdUseHelp, "&Use Help" },
        { CmdUseMenus, "Use &Menus" }, { 0, {} }, { CmdTipsAndTricks, "&Display Tips && Tricks..." },
        { CmdHomepage, "Kestrix2000 H&omepage..." }, { 0, {} }, { CmdAbout, "&About Kestrix2000..." } };
    const QList<std::pair<int, QString>> windows = { { CmdHelpWindow, "Help Window" },
        { CmdThreadManager, "Thread Manager" }, { CmdCdPlayer, "Compact Disc Player" },
        { CmdBulkwave, "Bulkwave Loader" }, { CmdFunctionBar, "Function Bar" } };

    QMenu* startFile = addCommands(m_startMenu, "&File",
        { { CmdNew, "&New" }, { CmdOpen, "&Open..." }, { 0, {} }, { CmdOptions, "&Options..." },
            { CmdSelectOutput, "&Select Output Device..." }, { 0, {} } });
    m_recentMenu = startFile->addMenu(QStringLiteral("&Recent Files"));
    startFile->addSeparator();
    QAction* exitStart = startFile->addAction(QStringLiteral("E&xit"));
    connect(exitStart, &QAction::triggered, this, [this] { runCommand(CmdExit); });
    addCommands(m_startMenu, "&Window", windows);
    addCommands(m_startMenu, "&Help", help);

    QMenu* file = addCommands(m_documentMenu, "&File",
        { { CmdNew, "&New" }, { CmdOpen, "&Open..." }, { CmdSave, "&Save" }, { CmdSaveAs, "Save &as..." },
            { CmdClose, "&Close" }, { CmdRevert, "&Revert" }, { 0, {} }, { CmdConvert, "&Convert..." },
            { CmdHeaderSettings, "&Settings..." }, { 0, {} } });
    // A busy document cannot be saved, and one without changes since its file was saved has
    // nothing to revert to. The commands check that themselves, so the items only show it while
    // the menu is open and never keep a shortcut of theirs from reaching it.
    auto enableFileItems = [file](bool saving, bool reverting) {
        for (QAction* action : file->actions()) {
            if (action->data() == CmdSave || action->data() == CmdSaveAs)
                action->setEnabled(saving);
            else if (action->data() == CmdRevert)
                action->setEnabled(reverting);
        }
    };
    connect(file, &QMenu::aboutToShow, this, [this, enableFileItems] {
        const WaveWindow* wave = activeWaveWindow();
        const bool idle = wave && !wave->document()->busy();
        enableFileItems(idle, idle && wave->document()->document.info.hasFile && !IsFileSaved(wave->handle()));
    });
    connect(file, &QMenu::aboutToHide, this, [enableFileItems] { enableFileItems(true, true); });
    QMenu* recent = file->addMenu(QStringLiteral("&Recent Files"));
    const CommandRunner run = [this](int id) { runCommand(id); };
    for (QMenu* list : { m_recentMenu, recent })
        connect(list, &QMenu::aboutToShow, this, [list, run] { fillRecentFiles(*list, run); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this, [this] { runCommand(CmdExit); });
    addCommands(m_documentMenu, "&Edit",
        { { CmdUndo, "&Undo not possible" }, { CmdRedo, "&Redo not possible" }, { 0, {} }, { CmdCut, "C&ut" },
            { CmdCopy, "&Copy" }, { CmdPaste, "&Paste" }, { CmdMix, "&Mix" }, { CmdDelete, "&Delete" },
            { CmdCrop, "C&rop" }, { 0, {} }, { CmdMarkAll, "Mark &all" }, { CmdDestroyMark, "&Destroy Mark" } });
    addCommands(m_documentMenu, "&View",
        { { CmdPlay, "&Play" }, { CmdStop, "&Stop" }, { CmdPause, "P&ause" }, { CmdRecord, "&Record..." }, { 0, {} },
            { CmdRebuildPreview, "&Rebuild Preview" }, { CmdTruePeaks, "&True Peaks" }, { CmdWholeFile, "&Whole File" },
            { CmdZoomBy, "&Zoom..." }, { CmdOptions, "&Options..." },
            { CmdSelectOutput, "&Select Output Device..." } });
    QMenu* filters = addCommands(m_documentMenu, "F&ilters",
        { { CmdVolume, "&Volume..." }, { CmdMaxVolume, "&Set Maximum Volume" }, { CmdFadeIn, "Fade &In..." },
            { CmdFadeOut, "Fade &Out..." }, { CmdFadeLeftToRight, "Fade &left to right channel" },
            { CmdFadeRightToLeft, "Fade r&ight to left channel" }, { 0, {} }, { CmdReverse, "&Reverse" },
            { CmdZeroize, "&Zeroize" }, { CmdSoften, "Sof&ten..." }, { CmdVelocity, "Change vel&ocity..." },
            { CmdInsertSilence, "Insert &Silence..." }, { CmdDrawtoneVolume, "Drawtone Volu&me..." } });
    if (m_extensions->count() > 0) {
        filters->addSeparator();
        filters->addMenu(m_extensions->menu());
    }
    QMenu* window = addCommands(m_documentMenu, "&Window",
        { { CmdCascade, "C&ascade" }, { CmdTile, "&Tile" }, { CmdArrangeSymbols, "&Arrange Symbols" },
            { CmdRestore, "&Restore" }, { CmdCloseAll, "&Close all" }, { 0, {} } });
    for (const auto& [id, text] : windows) {
        QAction* action = window->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id = id] { runCommand(id); });
        if (id == CmdThreadManager) {
            action->setCheckable(true);
            m_threadManagerActions.append(action);
        }
        if (id == CmdBulkwave) {
            action->setCheckable(true);
            m_bulkwaveAction = action;
        }
        if (id == CmdHelpWindow)
            m_help->bindCheck(action);
        if (id == CmdCdPlayer) {
            action->setCheckable(true);
            m_cdPlayerAction = action;
        }
    }
    connect(window, &QMenu::aboutToShow, this, [this, window, run] {
        // The loader hides itself with its close button.
        const QWidget* loader = WindowRegistry::window(m_bulkwave);
        m_bulkwaveAction->setChecked(loader && loader->isVisible());
        fillWindowList(*window, m_windowListActions, *m_mdi, run);
    });
    addCommands(m_documentMenu, "&Help", help);
    connect(m_documentMenu.at(1), &QMenu::aboutToShow, this, [this] { updateUndoEntries(); });

    for (const Accelerator& accelerator : accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, id = accelerator.id] { runCommand(id); });
    }
}

QMenu* FrameWindow::extensionsPopup() const
{
    return m_extensions->menu();
}

WaveWindow* FrameWindow::activeWaveWindow() const
{
    return qobject_cast<WaveWindow*>(m_mdi->activeSubWindow());
}

QList<WaveWindow*> FrameWindow::waveWindows() const
{
    QList<WaveWindow*> list;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (auto* wave = qobject_cast<WaveWindow*>(sub))
            list.append(wave);
    }
    return list;
}

void FrameWindow::updateMenus()
{
    // The document menu while a wave window is open, the start menu otherwise.
    const bool document = !m_mdi->subWindowList().isEmpty();
    m_iconBar->setDocumentOpen(document);
    m_functionBar->setDocumentOpen(document);
    updateUndoEntries();
    if (document == m_documentMenuShown && !menuBar()->actions().isEmpty())
        return;
    m_documentMenuShown = document;
    menuBar()->clear();
    for (QMenu* menu : document ? m_documentMenu : m_startMenu)
        menuBar()->addMenu(menu);
}

void FrameWindow::updateUndoEntries()
{
    WaveWindow* wave = activeWaveWindow();
    // A busy document is locked by its operation for long: nothing to undo meanwhile anyway.
    if (wave && wave->document()->busy())
        wave = nullptr;
    const char* description = wave && IsUndoPossible(wave->handle()) ? UndoDescription(wave->handle()) : nullptr;
    if (description) {
        m_undoAction->setText(QStringLiteral("&Undo: %1\tCtrl + Z").arg(QString::fromUtf8(description)));
        m_undoAction->setEnabled(true);
    } else {
        m_undoAction->setText(QStringLiteral("&Undo not possible\tCtrl + Z"));
        m_undoAction->setEnabled(false);
    }
    const char* redo = wave && IsRedoPossible(wave->handle()) ? RedoDescription(wave->handle()) : nullptr;
    const QString keys = QLatin1Char('\t') + acceleratorText(CmdRedo);
    m_redoAction->setText(redo ? QStringLiteral("&Redo: %1").arg(QString::fromUtf8(redo)) + keys
                               : QStringLiteral("&Redo not possible") + keys);
    m_redoAction->setEnabled(redo != nullptr);
    // With no document the bar already says to open one.
    if (m_mdi->subWindowList().isEmpty())
        return;
    m_iconBar->setAvailable(CmdUndo, description != nullptr, QStringLiteral("nothing to undo"));
    const bool hasFile = wave && wave->document()->document.info.hasFile;
    const QString notRevertable = !wave ? QStringLiteral("not while the file is busy")
        : hasFile                       ? QStringLiteral("no changes since the file was saved")
                                        : QStringLiteral("the file was never saved");
    m_iconBar->setAvailable(CmdRevert, hasFile && !IsFileSaved(wave->handle()), notRevertable);
}

void FrameWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutBars();
}

void FrameWindow::layoutBars()
{
    // A stored height out of the user's reach (another screen, a hand-edited setting) is limited
    // like a dragged one, so the wave windows keep their room.
    const int preview = limitPreviewHeight(RegGetDWord("Kestrix\\Settings\\PreviewSize", 100), height());
    m_layout = computeFrameLayout(m_central->size(), preview, m_help->isShown());
    m_mdi->setGeometry(m_layout.mdiClient);
    m_iconBar->setGeometry(m_layout.iconBar);
    m_rollDownPanel->setGeometry(m_layout.rollDownPanel);
    m_previewBar->setGeometry(m_layout.previewBar);
    m_previewSwitch->setGeometry(m_layout.previewSwitch);
    m_threadManager->setGeometry(m_layout.threadManager);
    m_positionBar->setGeometry(m_layout.positionBar);
    m_statusBar->setGeometry(m_layout.statusBar);
    m_functionBar->setDockSlot(m_layout.functionBar);
    if (HelpWindow* help = m_help->window())
        help->setGeometry(m_layout.helpWindow);
}

intptr_t FrameWindow::handleClientMessage(uint32_t message, uintptr_t, intptr_t lParam)
{
    if (message != MsgMdiCreate || !lParam)
        return 0;
    const auto* request = reinterpret_cast<const CreateWaveWindowRequest*>(lParam);
    auto* window = new WaveWindow(request->document, m_handle);
    if (!request->scrollBarEnabled)
        window->view()->recomputeScrollRange();
    connect(window->view(), &WaveView::commandRequested, this, [this](int id) { runCommand(id); });
    connect(window->view(), &WaveView::markChanged, m_statusBar, qOverload<>(&QWidget::update));
    connect(window->view(), &WaveView::markChanged, m_previewBar, qOverload<>(&QWidget::update));
    connect(window->view(), &WaveView::markChanged, m_positionBar, &PositionBar::showMark);
    connect(window->view(), &WaveView::mousePosition, m_positionBar, &PositionBar::showMousePosition);
    connect(window->view(), &WaveView::zoomChanged, m_rollDownPanel, qOverload<>(&QWidget::update));
    window->view()->setTruePeaks(m_truePeaks);
    window->view()->setSummaryRequester(
        [this](const std::shared_ptr<SharedDocument>& document) { m_peakWorker->request(document); });
    connect(window, &WaveWindow::closing, this, [this](HWND handle) {
        m_operations->stopOperationsOf(handle);
        QTimer::singleShot(0, this, [this] {
            updateMenus();
            m_statusBar->update();
        });
    });
    m_mdi->addSubWindow(window);
    if (!window->testAttribute(Qt::WA_Resized))
        window->resize(window->sizeHint());
    window->show();
    keepInside(*m_mdi, *window);
    m_mdi->setActiveSubWindow(window);
    updateMenus();
    return reinterpret_cast<intptr_t>(window->handle());
}

intptr_t FrameWindow::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgGetActiveWave: {
        WaveWindow* wave = activeWaveWindow();
        return wave ? asResult(wave->handle()) : 0;
    }
    case MsgGetStatusBar:
        return asResult(WindowRegistry::handleOf(m_statusBar));
    case MsgGetPreviewBar:
        return asResult(WindowRegistry::handleOf(m_previewBar));
    case MsgGetRollDown:
        return asResult(WindowRegistry::handleOf(m_rollDownPanel));
    case MsgGetIconBar:
        return asResult(WindowRegistry::handleOf(m_iconBar));
    case MsgGetPositionBar:
        return asResult(WindowRegistry::handleOf(m_positionBar));
    case MsgGetHelpWindow:
        return asResult(m_help->handle());
    case MsgGetWindowPopup: // menus are not windows here
    case MsgGetExtensionsPopup:
    case MsgGetStartMenu:
        return 0;
    case MsgGetPlayingWindow:
        return asResult(m_playback->playingWindow());
    case MsgGetOutputDevice:
        return reinterpret_cast<intptr_t>(m_playback->output());
    case MM_WOM_DONE:
        m_playback->playbackDone(reinterpret_cast<HWAVEOUT>(wParam));
        return 0;
    case MsgGetMdiClient:
        return asResult(m_clientHandle);
    case MsgGetThreadManager:
        return asResult(WindowRegistry::handleOf(m_threadManager));
    case MsgGetRunningCount:
        return m_operations->runningCount();
    case MsgOperationStarts:
        m_operations->operationStarted();
        return 0;
    case MsgOperationEnds:
        if (HWND window = m_operations->operationEnded(uint32_t(wParam)))
            signalCompletion(window);
        return 0;
    case MsgPasteOnWindow:
    case MsgPasteMixOnWindow: {
        const HWND target = reinterpret_cast<HWND>(wParam);
        auto document = WindowRegistry::document(target);
        if (!document || IsFileWorking(target) || document->operationRunning)
            return 0;
        m_playback->stopPlaybackOf(target);
        if (message == MsgPasteOnWindow)
            startOperation(PasteFromClipboard, target, OpPaste, target);
        else
            startOperation(PasteMixFromClipboard, target, OpMix, target);
        return 0;
    }
    case MsgOpenFileFromSetting:
        openInNewWindow(QString::fromUtf8(RegGetString("Kestrix\\NewFile\\FileOpen", "")), m_newFileCounter);
        return 0;
    case MsgPreviewHeight:
        RegWriteString("Kestrix\\Settings\\PreviewSize", std::to_string(int(wParam)).c_str());
        layoutBars();
        return 0;
    case MsgOptionsStored:
        // The drawing qualities; everything else the options set is read where it is used.
        SendMessage(WindowRegistry::handleOf(m_previewBar), MsgReadPreviewQuality, 0, 0);
        for (WaveWindow* wave : waveWindows())
            wave->view()->readDisplayQuality();
        return 0;
    case MsgDestroyWindow:
        if (auto* wave = qobject_cast<WaveWindow*>(WindowRegistry::window(reinterpret_cast<HWND>(lParam))))
            wave->closeWithoutAsking();
        return 0;
    }
    return 0;
}

void FrameWindow::signalCompletion(HWND window)
{
    m_recovery->noteChanged(window);
    if (QWidget* widget = WindowRegistry::window(window))
        QApplication::alert(widget->window(), 500);
    if (RegGetBool("Kestrix\\Settings\\Boolean\\PlayThreadComplete", 1))
        playCompletionSignal();
    emit operationCompleted(window);
}

void FrameWindow::startOperation(const OperationThreads::Routine& routine, HWND argument, int code, HWND window)
{
    // Starting makes the document's peak summary stale.
    m_operations->start(routine, argument, code, window);
    updateUndoEntries();
}

void FrameWindow::samplesChanged(HWND window)
{
    if (auto document = WindowRegistry::document(window))
        document->peaks.samplesChanged();
    updateUndoEntries();
}

void FrameWindow::pasteCopyAt(HWND window, uint32_t target)
{
    auto document = WindowRegistry::document(window);
    // Never into a document that is loading or under an operation.
    if (!document || IsFileWorking(window) || document->operationRunning)
        return;
    m_playback->stopPlaybackOf(window);
    SetMouseWait(nullptr);
    CopyAndPaste(window, target);
    samplesChanged(window);
    SetMouseActive();
    m_previewBar->update();
    m_statusBar->update();
}

void FrameWindow::setTruePeaks(bool truePeaks)
{
    m_truePeaks = truePeaks;
    RegWriteString("Kestrix\\Settings\\Boolean\\TruePeaks", truePeaks ? "1" : "0");
    m_previewBar->setTruePeaks(truePeaks);
    for (WaveWindow* wave : waveWindows())
        wave->view()->setTruePeaks(truePeaks);
    emit truePeaksChanged(truePeaks);
}

void FrameWindow::openInNewWindow(const QString& path, int number)
{
    // A file too large for a document goes to the Bulkwave loader if the user wants.
    if (OfferBulkwave(m_handle, path.toUtf8().constData()))
        return;
    RegWriteString("Kestrix\\NewFile\\FileOpen", path.toUtf8().constData());
    HWND wave = NewFile(m_handle, m_clientHandle, number);
    m_statusBar->update();
    startOperation(openerOf(path.toStdString()), wave, OpOpenFile, wave);
}

void FrameWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrameWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(*event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Each file on an opener thread of its own; the file-open lock has them load one by one.
    for (const QString& file : files) {
        openInNewWindow(file, m_newFileCounter);
        RecentFiles::add(file.toStdString());
    }
}

void FrameWindow::openPath(const QString& path)
{
    runCommand(CmdOpenPath, reinterpret_cast<intptr_t>(&path));
}

void FrameWindow::saveActive(bool askForName)
{
    WaveWindow* wave = activeWaveWindow();
    if (!wave || wave->document()->busy())
        return;
    std::string path;
    {
        std::shared_lock lock(wave->document()->lock);
        path = wave->document()->document.info.fileName;
        // Its name alone would put the file into whatever directory the editor was started from.
        askForName = askForName || !wave->document()->document.info.hasFile;
    }
    bool exporting = false;
    if (askForName) {
        path = SaveAsBox(m_handle);
        if (path == "FALSE")
            return;
        exporting = std::string(RegGetString("Kestrix\\Directories\\WaveSaveFormat", "wav")) != "wav";
    }
    SaveAnswers answers;
    if (!exporting) {
        // The questions come now; the writing goes to a worker.
        const std::optional<SaveAnswers> asked = askBeforeSaving(m_handle, wave->handle());
        if (!asked)
            return;
        answers = *asked;
    }
    const HWND handle = wave->handle();
    const HWND frame = m_handle;
    QPointer<FrameWindow> self(this);
    const auto saver = [=](HWND) -> int32_t {
        SendMessage(
            frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(handle), exporting ? OpExportFile : OpSaveFile);
        std::string name = path;
        const bool written = exporting ? exportOnWorker(frame, handle, name, OperationContext::stopFlag())
                                       : saveOnWorker(frame, handle, name, answers);
        if (written)
            postToThreadOf(self, [self, name] { self->fileSaved(name); });
        OperationContext::announceEnd(frame);
        return written ? 1 : 0;
    };
    startOperation(saver, handle, exporting ? OpExportFile : OpSaveFile, handle);
}

void FrameWindow::fileSaved(const std::string& path)
{
    RecentFiles::add(path);
    for (WaveWindow* wave : waveWindows())
        wave->refreshTitle();
    m_statusBar->update();
    updateUndoEntries();
}

namespace {

    // The commands runCommand's own switch answers; the rest go through the tables.
    constexpr int kFrameCommands[] = { CmdNew, CmdOpen, CmdOpenPath, CmdSave, CmdSaveAs, CmdClose, CmdRevert,
        CmdCascade, CmdTile, CmdArrangeSymbols, CmdRebuildPreview, CmdTruePeaks, CmdMarkAll, CmdDestroyMark, CmdOptions,
        CmdTipsAndTricks, CmdHomepage, CmdRestore, CmdCloseAll, CmdThreadManager, CmdBulkwave, CmdCdPlayer, CmdCdTrack,
        CmdRecord, CmdPlay, CmdPlayOrStop, CmdStop, CmdPause, CmdPlayLoop, CmdVolumeUp, CmdVolumeDown, CmdDeviceCaps,
        CmdSelectOutput, CmdAbout, CmdFunctionBar, CmdDockFunctionBar, CmdTonedeck, CmdVolumeControl, CmdExit,
        CmdExtensionButtons, CmdSilence };

} // namespace

bool FrameWindow::handlesCommand(int id) const
{
    return std::ranges::find(kFrameCommands, id) != std::end(kFrameCommands) || HelpWindowSwitch::handles(id)
        || m_extensions->isCommand(id) || isViewCommand(id) || findThreadCommand(id) || findDirectCommand(id)
        || (id >= CmdWindowFirst && id <= CmdWindowLast) || (id >= CmdRecentFirst && id <= CmdRecentLast);
}

void FrameWindow::runCommand(int id, intptr_t lParam)
{
    WaveWindow* wave = activeWaveWindow();
    const HWND active = wave ? wave->handle() : nullptr;
    if (m_help->runCommand(id))
        return;
    switch (id) {
    case CmdNew:
        NewFile(m_handle, m_clientHandle, ++m_newFileCounter);
        m_statusBar->update();
        return;
    case CmdOpen: {
        const std::string path = OpenBox(m_handle);
        if (path == "FALSE")
            return;
        openInNewWindow(QString::fromStdString(path), m_newFileCounter);
        RecentFiles::add(path);
        return;
    }
    case CmdOpenPath: {
        const QString& path = *reinterpret_cast<const QString*>(lParam);
        if (path.isEmpty() || OfferBulkwave(m_handle, path.toUtf8().constData()))
            return;
        // Whatever the file, it is read on a worker as File Open reads it: the window comes at
        // once and the menus stay alive while a large file loads.
        openInNewWindow(path, m_newFileCounter);
        RecentFiles::add(path.toStdString());
        return;
    }
    case CmdSave:
        saveActive(false);
        return;
    case CmdSaveAs:
        saveActive(true);
        return;
    case CmdClose:
        if (wave)
            wave->close();
        return;
    case CmdRevert:
        // A document that never had a file has no saved version to go back to.
        if (!wave || IsFileSaved(active) || wave->document()->busy() || !wave->document()->document.info.hasFile)
            return;
        if (MessageBoxes::show({ this, QStringLiteral("Confirmation"),
                QStringLiteral("Do you really want to revert\rto the previoulsy saved version?"), QMessageBox::Question,
                QMessageBox::Yes | QMessageBox::No })
            != QMessageBox::Yes)
            return;
        {
            std::string path;
            {
                std::shared_lock lock(wave->document()->lock);
                path = wave->document()->document.info.fileName;
            }
            RegWriteString("Kestrix\\NewFile\\FileOpen", path.c_str());
            startOperation(openerOf(path), active, OpOpenFile, active);
        }
        return;
    case CmdCascade:
        m_mdi->cascadeSubWindows();
        return;
    case CmdTile:
        m_mdi->tileSubWindows();
        return;
    case CmdArrangeSymbols:
        arrangeMinimizedWindows(*m_mdi);
        return;
    case CmdRebuildPreview:
        m_previewBar->update();
        return;
    case CmdTruePeaks:
        setTruePeaks(!m_truePeaks);
        return;
    case CmdMarkAll:
    case CmdDestroyMark:
        if (!wave || IsFileWorking(active) || wave->document()->operationRunning)
            return;
        // The position bar marks and shows the mark, as when its own buttons are pressed.
        if (m_positionBar->runCommand(id == CmdMarkAll ? PositionBar::MarkAll : PositionBar::DestroyMark))
            m_statusBar->update();
        return;
    case CmdOptions:
        ShowOptionsPropertySheet(m_handle);
        return;
    case CmdTipsAndTricks:
        StartAssistant::open(this, [this](int command) { runCommand(command); });
        return;
    case CmdHomepage:
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepageAddress)));
        return;
    case CmdRestore:
        if (wave)
            wave->showNormal();
        return;
    case CmdCloseAll:
        closeAllWaveWindows();
        return;
    case CmdThreadManager:
        toggleThreadManager();
        return;
    case CmdBulkwave:
        // Made on first use: it opens its file and starts its display only when wanted.
        if (!WindowRegistry::window(m_bulkwave))
            m_bulkwave = ShowBulkwave(m_handle);
        if (QWidget* loader = WindowRegistry::window(m_bulkwave)) {
            m_iconBar->followVisibility(CmdBulkwave, loader);
            loader->setVisible(!loader->isVisible());
            loader->raise();
        }
        return;
    case CmdCdPlayer:
    case CmdCdTrack:
        m_cdPlayer->setVisible(id == CmdCdTrack || !m_cdPlayer->isVisible());
        m_cdPlayerAction->setChecked(m_cdPlayer->isVisible());
        m_cdPlayer->raise();
        if (id == CmdCdTrack)
            m_cdPlayer->playTrack(int(lParam));
        return;
    case CmdRecord:
        if (!wave || IsFileWorking(active) || wave->document()->operationRunning)
            return;
        m_playback->stopPlaybackOf(active);
        ShowRecord(m_handle);
        m_statusBar->update();
        return;
    case CmdPlay:
    case CmdPlayOrStop:
    case CmdStop:
    case CmdPause:
    case CmdPlayLoop:
    case CmdVolumeUp:
    case CmdVolumeDown:
    case CmdDeviceCaps:
    case CmdSelectOutput:
        m_playback->runCommand(id, wave);
        return;
    case CmdAbout:
        ShowAbout(m_handle);
        return;
    case CmdFunctionBar:
        m_functionBar->setVisible(m_functionBar->isHidden());
        m_functionBar->raise();
        return;
    case CmdDockFunctionBar:
        m_functionBar->setDocked(!m_functionBar->isDocked());
        return;
    case CmdTonedeck:
        startTonedeck(m_handle);
        return;
    case CmdVolumeControl:
        startMixer(m_handle);
        return;
    case CmdExit:
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    case CmdExtensionButtons:
        m_extensions->setButtonsShown(!m_extensions->buttonsShown());
        return;
    }
    if (m_extensions->isCommand(id)) {
        m_extensions->run(id);
        return;
    }
    if (runViewCommand(id, m_handle, wave))
        return;
    if (id == CmdSilence) {
        // Silence over the mark, or new silence at the cursor when nothing is marked.
        if (IsFileWorking(active) || wave->document()->operationRunning)
            return;
        bool marked = false;
        {
            std::shared_lock lock(wave->document()->lock);
            marked = wave->document()->document.mark.markLength != 0;
        }
        m_playback->stopPlaybackOf(active);
        if (marked)
            startOperation(SetSilence, active, OpSilence, active);
        else if (ShowSilence(m_handle))
            startOperation(InsertSilence, active, OpInsertSilence, active);
        return;
    }
    if (const ThreadCommand* command = findThreadCommand(id)) {
        // Nothing to work on, a document still loading or one busy with another operation.
        if (IsFileWorking(active) || wave->document()->operationRunning)
            return;
        if (command->dialog && !command->dialog(m_handle))
            return;
        // The play position would no longer mean anything once the data changes under it.
        m_playback->stopPlaybackOf(active);
        startOperation(command->routine, active, command->operationCode, active);
        return;
    }
    if (const DirectCommand* command = findDirectCommand(id)) {
        if (command->guarded && (IsFileWorking(active) || wave->document()->operationRunning))
            return;
        if (command->guarded)
            m_playback->stopPlaybackOf(active);
        SetMouseWait(nullptr);
        const bool changed = command->action(m_handle, active);
        if (command->guarded)
            samplesChanged(active);
        if (changed && wave) {
            m_recovery->noteChanged(active);
            SendMessage(active, MsgRecomputeScroll, 0, 0);
            wave->view()->viewport()->update();
            m_previewBar->update();
            m_statusBar->update();
        }
        SetMouseActive();
        return;
    }
    if (QMdiSubWindow* listed = listedWindow(*m_mdi, id)) {
        m_mdi->setActiveSubWindow(listed);
        return;
    }
    if (id >= CmdRecentFirst && id <= CmdRecentLast) {
        const auto entries = RecentFiles::entries();
        const std::size_t index = std::size_t(id - CmdRecentFirst);
        if (index < entries.size() && !entries[index].empty())
            openInNewWindow(QString::fromStdString(entries[index]), 1);
    }
}

bool FrameWindow::helpShown() const
{
    return m_help->isShown();
}

void FrameWindow::toggleThreadManager()
{
    m_threadManagerShown = !m_threadManagerShown;
    m_threadManager->setVisible(m_threadManagerShown);
    m_previewSwitch->setThreadManagerShown(m_threadManagerShown);
    for (QAction* action : m_threadManagerActions)
        action->setChecked(m_threadManagerShown);
    if (m_threadManagerShown) {
        m_threadManager->raise();
        m_threadManager->refresh();
    }
}

bool FrameWindow::closeAllWaveWindows()
{
    for (WaveWindow* wave : waveWindows()) {
        if (!confirmClose(m_handle, wave->handle()))
            return false;
        wave->closeWithoutAsking();
    }
    return true;
}

void FrameWindow::showWithSavedPlacement()
{
    const int x = RegGetDWord("Kestrix\\Settings\\Main\\X", 0);
    const int y = RegGetDWord("Kestrix\\Settings\\Main\\Y", 0);
    const int w = RegGetDWord("Kestrix\\Settings\\Main\\Width", 0);
    const int h = RegGetDWord("Kestrix\\Settings\\Main\\Height", 0);
    if (w > 0 && h > 0)
        setGeometry(x, y, w, h);
    else
        resize(900, 640);
    switch (RegGetWord("Kestrix\\Settings\\Main\\ShowState", 5)) {
    case 3:
        showMaximized();
        break;
    case 2:
        showMinimized();
        break;
    default:
        show();
    }
}

void FrameWindow::savePlacement()
{
    const QRect normal = normalGeometry();
    RegWriteString("Kestrix\\Settings\\Main\\ShowState", isMaximized() ? "3" : isMinimized() ? "2" : "5");
    RegWriteString("Kestrix\\Settings\\Main\\X", std::to_string(normal.x()).c_str());
    RegWriteString("Kestrix\\Settings\\Main\\Y", std::to_string(normal.y()).c_str());
    RegWriteString("Kestrix\\Settings\\Main\\Width", std::to_string(normal.width()).c_str());
    RegWriteString("Kestrix\\Settings\\Main\\Height", std::to_string(normal.height()).c_str());
}

void FrameWindow::closeEvent(QCloseEvent* event)
{
    if (m_exiting) {
        // Asked again while the operations are still stopping: the editor leaves only after them.
        event->setAccepted(m_operations->liveThreads() == 0);
        return;
    }
    if (m_operations->anyRegistered()) {
        const auto answer = MessageBoxes::show({ this, QStringLiteral("Close Kestrix2000"),
            QStringLiteral("Not all running actions have been terminated.\rNevertheless, do you want to close "
                           "Kestrix2000?"),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No });
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        m_operations->stopAll();
    }
    savePlacement();
    if (!closeAllWaveWindows()) {
        event->ignore();
        return;
    }
    RegWriteString("Kestrix\\Settings\\Boolean\\HelpWinActive", m_help->isShown() ? "1" : "0");
    RegWriteString("Kestrix\\Settings\\Boolean\\ShowExtensions", m_extensions->buttonsShown() ? "1" : "0");
    std::remove(privateFilePath(kRecordingFileName).c_str());
    // The clipboard outlives the editor unless the user asked otherwise.
    if (RegGetBool("Kestrix\\Settings\\Boolean\\DeleteTempClipboard", 0))
        std::remove(ClipboardLocation::filePath().c_str());
    // The operations were asked to stop; no thread may outlive the editor, so wait for every one
    // without blocking the interface, saying which, then go.
    if (m_operations->liveThreads() > 0) {
        event->ignore();
        m_exiting = true;
        auto showWaiting = [this] {
            m_statusBar->showMenuText(QStringLiteral("Waiting for %1 to stop...")
                                          .arg(m_operations->liveDescriptions().join(QStringLiteral(", "))));
        };
        showWaiting();
        connect(m_operations, &OperationThreads::threadReturned, this, [this, showWaiting](int live) {
            if (live > 0)
                showWaiting();
            else
                QTimer::singleShot(0, this, &QWidget::close);
        });
        return;
    }
    m_exiting = true;
    event->accept();
}

} // namespace kx
