#include "RollDownPanel.h"

#include "CommandIds.h"
#include "EditorCursors.h"
#include "PreviewGeometry.h"
#include "ViewCommands.h"
#include "WaveView.h"
#include "WaveViewGeometry.h"
#include "WaveWindow.h"
#include "ZoomSteps.h"
#include "clipboard/ClipboardLocation.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/drawing.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

#include <mutex>
#include <span>

namespace kx {

namespace {

    constexpr int kHeight = 18;
    /// Our pictures have transparent edges: they are blended onto the face, not copied.
    void drawArt(QPainter& painter, const char* name, int x, int y)
    {
        // Screens of twice the density get the pictures drawn at twice the size.
        const bool dense = painter.device()->devicePixelRatioF() > 1.0;
        QPixmap picture(QStringLiteral(":/wavedesk/%1%2.png").arg(QLatin1String(name), dense ? "@2x" : ""));
        if (dense)
            picture.setDevicePixelRatio(2.0);
        painter.drawPixmap(x, y, picture);
    }

    struct MenuItem {
        int id;
        const char* text;
    };
    constexpr MenuItem kZoomMenu[] = { { 10001, "Original Size" }, { CmdZoomBy, "User Defined..." }, { 0, nullptr },
        { 10002, "  50  x" }, { 10003, "  100 x" }, { 10004, "  500 x" }, { 10005, "1.000 x" }, { 10006, "1.500 x" },
        { 10007, "2.000 x" }, { 0, nullptr }, { CmdWholeFile, "Whole File" } };
    constexpr MenuItem kClipboardMenu[] = { { 307, "Delete..." }, { 310, "Information..." }, { 0, nullptr },
        { 309, "Import From File..." }, { 308, "Export To File..." } };
    constexpr MenuItem kContextMenu[] = { { CmdNew, "&New\tCtrl + N" }, { CmdOpen, "&Open...\tCtrl + O" },
        { 0, nullptr }, { CmdExit, "Close Kestrix2000" }, { 0, nullptr }, { CmdOptions, "&Options..." } };

    QWidget* windowOf(HWND handle)
    {
        return WindowRegistry::window(handle);
    }

} // namespace

RollDownPanel::RollDownPanel(HWND frame, QWidget* parent)
    : QWidget(parent)
    , m_frame(frame)
    , m_zoomText(zoomFieldText(std::nullopt))
    , m_threadsText(QStringLiteral("Threads"))
{
    setObjectName(QStringLiteral("SELECTBAR"));
    setFixedHeight(kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(m_handle, [this](uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        // 1025: the active document or its zoom changed.
        if (message == MsgInvalidate || message == 1025)
            update();
        return 0;
    });
    connect(&m_clock, &QTimer::timeout, this, &RollDownPanel::tick);
    m_clock.start(kClockMs);
}

RollDownPanel::~RollDownPanel()
{
    WindowRegistry::remove(m_handle);
}

void RollDownPanel::setMenuSources(MenuSource extensions, MenuSource windows)
{
    m_extensionsMenu = std::move(extensions);
    m_windowsMenu = std::move(windows);
}

WaveWindow* RollDownPanel::activeWave() const
{
    return qobject_cast<WaveWindow*>(windowOf(reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0))));
}

QWidget* RollDownPanel::previewBar() const
{
    return windowOf(reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetPreviewBar, 0, 0)));
}

QString RollDownPanel::clipboardText() const
{
    const ClipboardSlot slot = clipboardSlotOf(ClipboardLocation::filePath());
    return slot.full ? clipboardSlotText(slot) : QStringLiteral("Clipboard");
}

QString RollDownPanel::toolTipAt(int x)
{
    return x >= 0 && x < 80 ? QString::fromUtf8(kRecentFilesTip) : QString();
}

bool RollDownPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos().x());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this, QRect(0, 0, 80, height()));
        return true;
    }
    return QWidget::event(event);
}

// Painting

void RollDownPanel::paintRaised(QPainter& painter, int left, int right, bool pressed)
{
    const QPalette& p = palette();
    painter.fillRect(QRect(QPoint(left, 1), QPoint(right - 1, kHeight - 1)), p.button());
    const QColor top = pressed ? p.dark().color() : p.light().color();
    const QColor bottom = pressed ? p.light().color() : p.dark().color();
    painter.setPen(top);
    painter.drawLine(left, 1, right - 1, 1);
    painter.setPen(bottom);
    painter.drawLine(right - 1, 1, right - 1, kHeight - 1);
    painter.drawLine(left, kHeight - 1, right - 1, kHeight - 1);
    painter.setPen(p.buttonText().color());
}

void RollDownPanel::paintDropDown(QPainter& painter, RollDownField field, int left, int right, const char* text)
{
    const bool pressed = m_pressed == field;
    const int shift = pressed ? 1 : 0;
    if (field == RollDownField::RecentFiles)
        paintRaised(painter, left, right, pressed);
    else if (pressed)
        Down3Dbox(&painter, left, 1, right, kHeight);
    else
        Flat3Dbox(&painter, left, 1, right, kHeight);
    Text(&painter, left + 2 + shift, 2 + shift, text);
    drawArt(painter, pressed ? "ROLLUP" : "ROLLDOWN", right - 14 + shift, 4 + shift);
}

void RollDownPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (QFont* font = ZorGetStockObject(2)) {
        painter.setFont(*font);
        ZorDeleteFont(font);
    }
    painter.setBackgroundMode(Qt::TransparentMode);
    const int w = width();
    painter.fillRect(rect(), palette().button());
    painter.setPen(Qt::black);
    painter.drawLine(0, 0, w - 1, 0);
    painter.setPen(palette().buttonText().color());

    paintDropDown(painter, RollDownField::RecentFiles, 0, 80, "Recent Files");
    paintDropDown(painter, RollDownField::Extensions, 80, 170, "Extensions");
    paintDropDown(painter, RollDownField::ActiveWindows, 170, 275, "Active Windows");
    Flat3Dbox(&painter, 275, 1, w - 320, kHeight);

    const ClipboardSlot slot = clipboardSlotOf(ClipboardLocation::filePath());
    if (m_pressed == RollDownField::Clipboard) {
        Down3Dbox(&painter, w - 320, 1, w - 220, kHeight);
        Text(&painter, w - 316, 3, "Clipboard");
        drawArt(painter, "ROLLUP", w - 236, 5);
    } else if (slot.full) {
        Down3Dbox(&painter, w - 320, 1, w - 220, kHeight);
        drawArt(painter, "FULLCLP", w - 316, 4);
        const QString text = painter.fontMetrics().elidedText(clipboardSlotText(slot), Qt::ElideMiddle, 80);
        Text(&painter, w - 302, 3, text.toUtf8().constData());
    } else {
        Flat3Dbox(&painter, w - 319, 1, w - 220, kHeight);
        drawArt(painter, "EMPTYCLP", w - 317, 4);
        Text(&painter, w - 304, 3, "Clipboard");
    }

    auto button = [&](RollDownField field, int left, int right, const char* art, int x, int y) {
        if (m_pressed == field)
            Down3Dbox(&painter, left, 1, right, kHeight);
        else
            Flat3Dbox(&painter, left, 1, right, kHeight);
        const int shift = m_pressed == field ? 1 : 0;
        drawArt(painter, art, x + shift, y + shift);
    };
    button(RollDownField::Information, w - 219, w - 201, "INFOROLL", w - 218, 2);
    button(RollDownField::ZoomIn, w - 200, w - 184, "ZOOMIN", w - 199, 4);
    button(RollDownField::ZoomOut, w - 116, w - 100, "ZOOMOUT", w - 115, 4);

    if (m_pressed == RollDownField::Zoom)
        Down3Dbox(&painter, w - 184, 1, w - 116, kHeight);
    else
        Flat3Dbox(&painter, w - 184, 1, w - 116, kHeight);
    if (WaveWindow* wave = activeWave()) {
        // An operation holding the document leaves the last text; the next repaint reads it.
        if (const std::optional<uint32_t> zoom = wave->view()->zoom())
            m_zoomText = zoomFieldText(zoom);
    } else {
        m_zoomText = zoomFieldText(std::nullopt);
    }
    painter.drawText(QRect(QPoint(w - 184, 1), QPoint(w - 117, kHeight - 1)), Qt::AlignCenter, m_zoomText);

    paintRaised(painter, w - 100, w, false);
    Text(&painter, w - 98, 3, m_threadsText.toUtf8().constData());
    drawArt(painter, "IDTHREADS", w - 15, 4);
}

// Clock

void RollDownPanel::tick()
{
    const int running = int(SendMessage(m_frame, MsgGetRunningCount, 0, 0));
    if (running > 0 && !m_runningSince.isValid())
        m_runningSince.start();
    if (running == 0)
        m_runningSince.invalidate();
    const QString text
        = running > 0 ? threadsClockText(running, m_runningSince.elapsed() / 1000) : QStringLiteral("Threads");
    if (text != m_threadsText) {
        m_threadsText = text;
        update(QRect(width() - 100, 0, 100, kHeight));
    }
    // The list is rebuilt (and its selection lost) only when there is something new to show.
    if (running != m_running) {
        m_running = running;
        SendMessage(
            reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetThreadManager, 0, 0)), MsgRefreshThreadList, 0, 0);
    }
}

// Menus

namespace {

    std::unique_ptr<QMenu> menuOf(
        QWidget* owner, const char* name, std::span<const MenuItem> items, const std::function<void(int)>& run)
    {
        auto menu = std::make_unique<QMenu>(owner);
        menu->setObjectName(QLatin1String(name));
        for (const MenuItem& item : items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.text));
            action->setData(item.id);
            QObject::connect(action, &QAction::triggered, owner, [run, id = item.id] { run(id); });
        }
        return menu;
    }

} // namespace

std::unique_ptr<QMenu> RollDownPanel::createRecentFilesMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    for (const RollDownMenuEntry& entry : recentFilesMenu()) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.text);
        action->setData(entry.id);
        connect(action, &QAction::triggered, this, [this, id = entry.id] { emit commandRequested(id); });
    }
    return menu;
}

std::unique_ptr<QMenu> RollDownPanel::createZoomMenu()
{
    return menuOf(this, "ZOOMMENU", kZoomMenu, [this](int id) { runViewCommand(id, m_frame, activeWave()); });
}

std::unique_ptr<QMenu> RollDownPanel::createClipboardMenu()
{
    return menuOf(this, "CLIPBOARDMENU", kClipboardMenu, [this](int id) { emit commandRequested(id); });
}

std::unique_ptr<QMenu> RollDownPanel::createContextMenu()
{
    auto menu = menuOf(this, "ROLLDOWNCONTEXTMENU", kContextMenu, [this](int id) { emit commandRequested(id); });
    menu->setDefaultAction(menu->actions().constLast());
    return menu;
}

QMenu* menuOfBar(const QMenuBar& bar, const QString& title)
{
    for (QAction* action : bar.actions()) {
        if (action->menu() && action->menu()->title() == title)
            return action->menu();
    }
    return nullptr;
}

void RollDownPanel::popUp(RollDownField field, QMenu& menu, int x)
{
    m_pressed = field;
    repaint();
    menu.exec(mapToGlobal(QPoint(x, kHeight)));
    m_pressed = RollDownField::None;
    update();
}

void RollDownPanel::popUpFrameMenu(RollDownField field, const MenuSource& source, const QString& missing, int x)
{
    QMenu* menu = source ? source() : nullptr;
    if (menu && !menu->isEmpty()) {
        popUp(field, *menu, x);
        return;
    }
    QMenu standIn(this);
    standIn.addAction(missing)->setEnabled(false);
    popUp(field, standIn, x);
}

void RollDownPanel::contextMenuEvent(QContextMenuEvent* event)
{
    createContextMenu()->exec(event->globalPos());
}

// Mouse

void RollDownPanel::changeZoom(uint32_t (*step)(uint32_t))
{
    WaveWindow* wave = activeWave();
    if (!wave)
        return;
    if (const std::optional<uint32_t> zoom = wave->view()->zoom())
        wave->view()->setZoom(step(*zoom));
    update();
}

void RollDownPanel::showHeader()
{
    WaveWindow* wave = activeWave();
    if (!wave || !ShowHeader(m_frame))
        return;
    for (uint32_t bar : { uint32_t(MsgGetPreviewBar), uint32_t(MsgGetStatusBar) })
        PostMessage(reinterpret_cast<HWND>(SendMessage(m_frame, bar, 0, 0)), MsgInvalidate, 0, 0);
    wave->view()->viewport()->update();
    SendMessage(wave->handle(), MsgRecomputeScroll, 0, 0);
}

void RollDownPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x();
    const RollDownField field = rollDownFieldAt(x, width());
    WaveWindow* wave = activeWave();
    switch (field) {
    case RollDownField::ZoomIn:
    case RollDownField::ZoomOut:
        if (!wave)
            return;
        m_pressed = field;
        changeZoom(field == RollDownField::ZoomIn ? zoomsteps::buttonIn : zoomsteps::buttonOut);
        return;
    case RollDownField::Zoom:
        if (wave)
            popUp(field, *createZoomMenu(), width() - 184);
        return;
    case RollDownField::RecentFiles:
        popUp(field, *createRecentFilesMenu(), 0);
        return;
    case RollDownField::Extensions:
        popUpFrameMenu(field, m_extensionsMenu, QStringLiteral("No extensions installed"), 80);
        return;
    case RollDownField::ActiveWindows:
        popUpFrameMenu(field, m_windowsMenu, QStringLiteral("No windows"), 170);
        return;
    case RollDownField::Information:
        if (wave)
            showHeader();
        return;
    case RollDownField::Clipboard:
        if (wave && clipboardSlotOf(ClipboardLocation::filePath()).full) {
            m_dragging = true;
            setFocus();
            setCursor(editorCursor("DRAGFROMCURSOR"));
        }
        return;
    default:
        return;
    }
}

void RollDownPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !activeWave())
        return;
    const RollDownField field = rollDownFieldAt(event->position().toPoint().x(), width());
    if (field == RollDownField::ZoomIn || field == RollDownField::ZoomOut) {
        m_pressed = field;
        changeZoom(field == RollDownField::ZoomIn ? zoomsteps::doubleClickIn : zoomsteps::doubleClickOut);
    }
}

void RollDownPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint local = event->position().toPoint();
    if (m_dragging) {
        showDragCursor(event->globalPosition().toPoint(), event->modifiers() & Qt::ControlModifier);
        return;
    }
    const bool grip = rollDownFieldAt(local.x(), width()) == RollDownField::Clipboard && activeWave()
        && clipboardSlotOf(ClipboardLocation::filePath()).full;
    setCursor(grip ? editorCursor("DRAGFROMCURSOR") : QCursor(Qt::ArrowCursor));
}

void RollDownPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint local = event->position().toPoint();
    if (m_pressed == RollDownField::ZoomIn || m_pressed == RollDownField::ZoomOut) {
        m_pressed = RollDownField::None;
        update();
    }
    if (local.y() < 20 && rollDownFieldAt(local.x(), width()) == RollDownField::Clipboard) {
        endDrag();
        popUp(RollDownField::Clipboard, *createClipboardMenu(), width() - 320);
        return;
    }
    if (!m_dragging)
        return;
    endDrag();
    dropClipboard(event->globalPosition().toPoint(), event->modifiers() & Qt::ControlModifier);
}

void RollDownPanel::keyPressEvent(QKeyEvent* event)
{
    if (m_dragging)
        showDragCursor(QCursor::pos(), event->key() == Qt::Key_Control || (event->modifiers() & Qt::ControlModifier));
    else
        QWidget::keyPressEvent(event);
}

void RollDownPanel::keyReleaseEvent(QKeyEvent* event)
{
    if (m_dragging)
        showDragCursor(QCursor::pos(), event->key() != Qt::Key_Control && (event->modifiers() & Qt::ControlModifier));
    else
        QWidget::keyReleaseEvent(event);
}

// Dragging the clipboard

void RollDownPanel::endDrag()
{
    m_dragging = false;
    setCursor(Qt::ArrowCursor);
}

bool RollDownPanel::isPreviewBar(QWidget* widget) const
{
    QWidget* preview = previewBar();
    return preview && (widget == preview || preview->isAncestorOf(widget));
}

bool RollDownPanel::isDropTarget(QPoint global) const
{
    QWidget* target = QApplication::widgetAt(global);
    return target && (WaveWindow::containing(target) || isPreviewBar(target));
}

void RollDownPanel::showDragCursor(QPoint global, bool control)
{
    setCursor(dropCursor(isDropTarget(global), control));
}

namespace {

    /// Puts the cursor of `wave`'s document at the byte `position` gives, unless the document is
    /// busy; one without data keeps its cursor. False when busy.
    bool placeDropCursor(WaveWindow& wave, const std::function<uint32_t(const WaveDocument&)>& position)
    {
        const std::shared_ptr<SharedDocument>& shared = wave.document();
        std::unique_lock lock(shared->lock, std::try_to_lock);
        if (!lock.owns_lock() || shared->busy())
            return false;
        WaveDocument& document = shared->document;
        if (document.header.dataSize != 0) {
            document.mark.markStart = position(document);
            document.mark.markLength = 0;
        }
        return true;
    }

} // namespace

void RollDownPanel::dropClipboard(QPoint global, bool control)
{
    QWidget* target = QApplication::widgetAt(global);
    if (!target)
        return;
    if (isPreviewBar(target)) {
        // At the place of the whole file the preview shows, in the active document.
        QWidget* preview = previewBar();
        const int x = preview->mapFromGlobal(global).x();
        WaveWindow* wave = activeWave();
        if (!wave || !placeDropCursor(*wave, [&](const WaveDocument& d) {
                return PreviewGeometry(d.header.dataSize, d.header.nBlockAlign, d.header.wBitsPerSample,
                    preview->width(), preview->height())
                    .dropTargetAt(x);
            }))
            return;
        emit commandRequested(control ? CmdMix : CmdPaste);
        return;
    }
    WaveWindow* wave = WaveWindow::containing(target);
    if (!wave)
        return;
    wave->mdiArea()->setActiveSubWindow(wave);
    QWidget* viewport = wave->view()->viewport();
    const int x = viewport->mapFromGlobal(global).x();
    if (!placeDropCursor(*wave, [&](const WaveDocument& d) {
            const WaveViewGeometry geometry(d.header, d.mark, viewport->width(), viewport->height());
            return geometry.positionAt(geometry.effectiveColumn(x, true));
        }))
        return;
    SendMessage(
        m_frame, control ? MsgPasteMixOnWindow : MsgPasteOnWindow, reinterpret_cast<uintptr_t>(wave->handle()), 0);
}

} // namespace kx
