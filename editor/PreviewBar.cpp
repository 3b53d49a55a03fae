#include "PreviewBar.h"

#include "BarMessages.h"
#include "CommandIds.h"
#include "EditorCursors.h"
#include "PreviewGeometry.h"
#include "PreviewPainter.h"
#include "RollDownFields.h"
#include "WaveView.h"
#include "WaveViewGeometry.h"
#include "WaveWindow.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"
#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <mutex>
#include <shared_mutex>

namespace kx {

namespace {

    constexpr int kRetryPaintMs = 30;
    /// The play-position cadence: the animation step, 50 ms, the marker, 20 ms.
    constexpr int kBeforePosition = 50;
    constexpr int kAfterPosition = 20;
    /// Rows of the top sizing border.
    constexpr int kSizingBorder = 5;

    struct MenuItem {
        int id;
        const char* text;
    };
    constexpr MenuItem kPreviewMenu[] = { { CmdPlay, "&Play" }, { CmdStop, "&Stop" }, { CmdPause, "P&ause" },
        { 0, nullptr }, { CmdMarkAll, "Mark &all" }, { CmdDestroyMark, "&Destroy Mark" }, { 0, nullptr },
        { CmdCopy, "&Copy" }, { CmdPaste, "&Paste" }, { 0, nullptr }, { CmdRebuildPreview, "&Rebuild Preview" } };

} // namespace

PreviewBar::PreviewBar(HWND frame, QWidget* parent)
    : QWidget(parent)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("Preview"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(editorCursor("PREVIEWCURSOR"));
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(m_handle,
        [this](uint32_t message, uintptr_t wParam, intptr_t lParam) { return handleMessage(message, wParam, lParam); });
    m_retryPaint.setSingleShot(true);
    m_retryPaint.setInterval(kRetryPaintMs);
    connect(&m_retryPaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_playTimer.setSingleShot(true);
    connect(&m_playTimer, &QTimer::timeout, this, &PreviewBar::playPositionTick);
    m_truePeaks = RegGetBool("Kestrix\\Settings\\Boolean\\TruePeaks", 1);
    handleMessage(MsgReadPreviewQuality, 0, 0);
}

PreviewBar::~PreviewBar()
{
    m_playTimer.stop();
    WindowRegistry::remove(m_handle);
}

void PreviewBar::setTruePeaks(bool truePeaks)
{
    m_truePeaks = truePeaks;
    update();
}

intptr_t PreviewBar::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgInvalidate:
    case MsgRedrawOutline:
        update();
        return 0;
    case MsgReadPreviewQuality:
        readQuality();
        return 0;
    case MsgPlaybackRuns:
        startPlayPosition(uint32_t(wParam), uint32_t(lParam));
        return 0;
    case MsgPlaybackHalted:
        stopPlayPosition();
        return 0;
    }
    return 0;
}

void PreviewBar::readQuality()
{
    const int32_t quality = RegGetDWord("Kestrix\\Settings\\Preview\\Quality", 200);
    // A step of 0 or less would never leave the drawing loop.
    m_step = quality > 0 ? float(quality) * 0.001f : 0.2f;
    update();
}

HWND PreviewBar::activeWindow() const
{
    return reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetActiveWave, 0, 0));
}

std::shared_ptr<SharedDocument> PreviewBar::activeDocument() const
{
    return WindowRegistry::document(activeWindow());
}

QRect PreviewBar::stripRect() const
{
    return QRect(QPoint(PreviewGeometry::kLeft, height() - 10), QPoint(width() - 7, height() - 7));
}

bool PreviewBar::renderPicture()
{
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    const auto shared = activeDocument();
    QPainter painter(&m_picture);
    if (!shared) {
        paintPreview(painter, width(), height(), PreviewScene {}, m_step, palette());
        m_outlineLeft = m_outlineRight = -1;
        return true;
    }
    std::shared_lock lock(shared->lock, std::try_to_lock);
    if (!lock.owns_lock())
        return false;
    const WaveDocument& document = shared->document;
    std::shared_ptr<const PeakSummary> peaks;
    if (m_truePeaks && !shared->busy()) {
        peaks = shared->peaks.current(&document.header);
        if (!peaks && document.header.dataSize != 0 && m_requestSummary)
            m_requestSummary(shared);
    }
    PreviewScene scene { &document.header, document.samples.data(), shared->busy(), peaks.get() };
    try {
        paintPreview(painter, width(), height(), scene, m_step, palette());
    } catch (...) {
        if (!m_faultReported) {
            m_faultReported = true;
            // The message box runs its own event loop; never from inside a paint.
            QTimer::singleShot(0, this, [this] {
                ExceptionBox(m_handle, "Preview WM_PAINT");
                m_faultReported = false;
            });
        }
    }
    const PreviewGeometry geometry(
        document.header.dataSize, document.header.nBlockAlign, document.header.wBitsPerSample, width(), height());
    if (scene.working || !geometry.showsWave()) {
        m_outlineLeft = m_outlineRight = -1;
    } else if (!m_marking) {
        m_outlineLeft = geometry.columnOf(document.mark.markStart);
        m_outlineRight = geometry.columnOf(uint64_t(document.mark.markStart) + document.mark.markLength);
    }
    return true;
}

void PreviewBar::paintEvent(QPaintEvent* event)
{
    // The play-position timer repaints only its strip; the waveform stays as it was drawn.
    const bool stripOnly = !m_picture.isNull() && m_picture.size() == size() && stripRect().contains(event->rect());
    if (!stripOnly && !renderPicture())
        m_retryPaint.start();
    QPainter painter(this);
    if (m_picture.size() != size()) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    painter.drawImage(0, 0, m_picture);
    if (m_outlineLeft >= 0) {
        const int left = std::min(m_outlineLeft, m_outlineRight);
        const int right = std::max(m_outlineLeft, m_outlineRight);
        painter.save();
        painter.setClipRect(QRect(QPoint(PreviewGeometry::kLeft, 6), QPoint(width() - 7, height() - 15)));
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QColor(255, 255, 0));
        if (left == right)
            painter.drawLine(left, 6, left, height() - 14);
        else
            painter.drawRect(left, 6, right - left, height() - 20);
        painter.restore();
    }
    if (m_markerX >= 0 && m_playRuns) {
        painter.setClipRect(stripRect());
        const char* marker = QImage(1, 1, QImage::Format_RGB32).depth() > 8 ? "POSITION24" : "POSITION";
        ShowResourceBitmap(&painter, ":/wavedesk", marker, m_markerX - 4, height() - 10);
    }
}

void PreviewBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_picture = QImage();
}

void PreviewBar::startPlayPosition(uint32_t rangeStart, uint32_t rangeLength)
{
    m_playStart = rangeStart;
    m_playLength = rangeLength;
    m_markerX = -1;
    m_playRuns = true;
    m_positionPhase = false;
    m_playTimer.start(0);
}

void PreviewBar::stopPlayPosition()
{
    m_playRuns = false;
    m_playTimer.stop();
    m_playingFrame = 0;
    emit playingFrameChanged(0);
    update(stripRect());
}

void PreviewBar::playPositionTick()
{
    if (!m_playRuns)
        return;
    const HWND active = activeWindow();
    const HWND playing = reinterpret_cast<HWND>(SendMessage(m_frame, MsgGetPlayingWindow, 0, 0));
    if (!m_positionPhase) {
        if (playing) {
            m_playingFrame = m_playingFrame % 9 + 1;
            emit playingFrameChanged(m_playingFrame);
        }
        m_positionPhase = true;
        m_playTimer.start(kBeforePosition);
        return;
    }
    m_positionPhase = false;
    m_playTimer.start(kAfterPosition);
    const auto output = reinterpret_cast<HWAVEOUT>(SendMessage(m_frame, MsgGetOutputDevice, 0, 0));
    if (!active || active != playing || !output)
        return;
    const auto shared = activeDocument();
    if (!shared)
        return;
    WaveHeader header;
    {
        std::shared_lock lock(shared->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return; // the next pass tries again
        header = shared->document.header;
    }
    const PreviewGeometry geometry(header.dataSize, header.nBlockAlign, header.wBitsPerSample, width(), height());
    const int x = geometry.playMarkerColumn(GetOutputPosition(output), m_playStart, m_playLength);
    if (x != m_markerX) {
        m_markerX = x;
        update(stripRect());
    }
}

void PreviewBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (at.y() <= kSizingBorder) {
        m_resizing = true;
        m_resizeBottom = mapToGlobal(QPoint(0, height())).y();
        return;
    }
    const auto shared = activeDocument();
    if (!shared || shared->busy())
        return;
    const int x = at.x();
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        const PreviewGeometry geometry(
            document.header.dataSize, document.header.nBlockAlign, document.header.wBitsPerSample, width(), height());
        if (!geometry.showsWave())
            return;
        const int column = geometry.effectiveColumn(x);
        if (m_outlineLeft >= 0 && m_outlineLeft != m_outlineRight && column > std::min(m_outlineLeft, m_outlineRight)
            && column < std::max(m_outlineLeft, m_outlineRight)) {
            m_draggingOut = true;
        } else {
            document.mark.markStart = geometry.positionAt(column);
            document.mark.markLength = 0;
            m_marking = true;
            m_anchorX = column;
            m_currentX = column;
            m_outlineLeft = m_outlineRight = column;
        }
    }
    if (m_draggingOut) {
        setFocus();
        setCursor(editorCursor("DRAGCURSOR"));
        return;
    }
    setCursor(editorCursor("PREVIEWMOVE"));
    update();
}

void PreviewBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_resizing) {
        const int wanted = m_resizeBottom - event->globalPosition().toPoint().y();
        const int limited = limitPreviewHeight(wanted, window()->height());
        if (limited != height())
            SendMessage(m_frame, MsgPreviewHeight, uintptr_t(limited), 0);
        return;
    }
    if (m_draggingOut) {
        showDragCursor(event->globalPosition().toPoint(), event->modifiers() & Qt::ControlModifier);
        return;
    }
    const auto shared = activeDocument();
    if (!m_marking) {
        if (at.y() <= kSizingBorder)
            setCursor(Qt::SizeVerCursor);
        else if (m_outlineLeft >= 0 && at.x() > std::min(m_outlineLeft, m_outlineRight)
            && at.x() < std::max(m_outlineLeft, m_outlineRight))
            setCursor(editorCursor("DRAGFROMCURSOR"));
        else
            setCursor(editorCursor("PREVIEWCURSOR"));
    }
    if (!shared || shared->busy())
        return;
    uint32_t position = 0;
    {
        std::shared_lock lock(shared->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        const WaveHeader& header = shared->document.header;
        const PreviewGeometry geometry(header.dataSize, header.nBlockAlign, header.wBitsPerSample, width(), height());
        if (!geometry.showsWave())
            return;
        position = geometry.positionAt(at.x());
        if (m_marking) {
            m_currentX = geometry.effectiveColumn(at.x());
            m_outlineLeft = m_anchorX;
            m_outlineRight = m_currentX;
        }
    }
    emit mousePosition(m_marking, position);
    if (m_marking)
        update();
}

void PreviewBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_resizing) {
        m_resizing = false;
        return;
    }
    if (m_draggingOut) {
        m_draggingOut = false;
        setCursor(editorCursor("PREVIEWCURSOR"));
        finishDragOut(event->globalPosition().toPoint(), event->position().toPoint());
        return;
    }
    if (!m_marking)
        return;
    m_marking = false;
    setCursor(editorCursor("PREVIEWCURSOR"));
    const auto shared = activeDocument();
    if (!shared)
        return;
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        const PreviewGeometry geometry(
            document.header.dataSize, document.header.nBlockAlign, document.header.wBitsPerSample, width(), height());
        const uint32_t end = geometry.positionAt(event->position().toPoint().x());
        // The data may have shrunk under the mouse.
        const uint32_t start = std::min(document.mark.markStart, geometry.positionAt(geometry.right()));
        document.mark.markStart = std::min(start, end);
        document.mark.markLength = start < end ? end - start : start - end;
    }
    update();
    emit markChanged();
}

PreviewBar::DropTarget PreviewBar::dropTargetAt(QPoint global) const
{
    DropTarget target;
    target.widget = QApplication::widgetAt(global);
    if (!target.widget)
        return target;
    if (target.widget == this || isAncestorOf(target.widget)) {
        target.allowed = true;
    } else if (WaveWindow::containing(target.widget)) {
        target.allowed = true;
    } else if (target.widget->objectName() == QLatin1String("SELECTBAR") && parentWidget()) {
        target.allowed = rollDownFieldAt(target.widget->mapFromGlobal(global).x(), target.widget->width())
            == RollDownField::Clipboard;
    }
    return target;
}

void PreviewBar::showDragCursor(QPoint global, bool control)
{
    setCursor(dropCursor(dropTargetAt(global).allowed, control));
}

void PreviewBar::keyPressEvent(QKeyEvent* event)
{
    if (m_draggingOut)
        showDragCursor(QCursor::pos(), event->key() == Qt::Key_Control || (event->modifiers() & Qt::ControlModifier));
    else
        QWidget::keyPressEvent(event);
}

void PreviewBar::keyReleaseEvent(QKeyEvent* event)
{
    if (m_draggingOut)
        showDragCursor(QCursor::pos(), false);
    else
        QWidget::keyReleaseEvent(event);
}

void PreviewBar::finishDragOut(QPoint global, QPoint local)
{
    const DropTarget target = dropTargetAt(global);
    if (!target.widget || !target.allowed)
        return;
    if (target.widget->objectName() == QLatin1String("SELECTBAR")) {
        emit commandRequested(CmdCopy);
        return;
    }
    const auto shared = activeDocument();
    if (!shared)
        return;
    if (target.widget == this || isAncestorOf(target.widget)) {
        uint32_t dropAt = 0;
        {
            std::shared_lock lock(shared->lock);
            const WaveHeader& header = shared->document.header;
            dropAt = PreviewGeometry(header.dataSize, header.nBlockAlign, header.wBitsPerSample, width(), height())
                         .dropTargetAt(local.x());
        }
        emit dropRequested(activeWindow(), dropAt);
        return;
    }
    WaveWindow* wave = WaveWindow::containing(target.widget);
    if (!wave)
        return;
    if (wave->handle() != activeWindow()) {
        // Another wave window is only brought forward; nothing is pasted into it.
        wave->mdiArea()->setActiveSubWindow(wave);
        return;
    }
    const std::shared_ptr<SharedDocument>& document = wave->document();
    uint32_t dropAt = 0;
    {
        std::shared_lock lock(document->lock);
        const WaveDocument& d = document->document;
        if (d.header.dataSize == 0)
            return;
        QWidget* viewport = wave->view()->viewport();
        const WaveViewGeometry geometry(d.header, d.mark, viewport->width(), viewport->height());
        dropAt = geometry.positionAt(geometry.effectiveColumn(viewport->mapFromGlobal(global).x(), true));
    }
    emit dropRequested(wave->handle(), dropAt);
}

std::unique_ptr<QMenu> PreviewBar::createContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("PREVIEWMENU"));
    for (const MenuItem& item : kPreviewMenu) {
        if (!item.text) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        action->setData(item.id);
        if (item.id == CmdPlay)
            menu->setDefaultAction(action);
        connect(action, &QAction::triggered, this, [this, id = item.id] { emit commandRequested(id); });
    }
    menu->addSeparator();
    QAction* peaks = menu->addAction(QStringLiteral("&True Peaks"));
    peaks->setCheckable(true);
    peaks->setChecked(m_truePeaks);
    connect(peaks, &QAction::triggered, this, [this] { emit commandRequested(CmdTruePeaks); });
    return menu;
}

void PreviewBar::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu = createContextMenu();
    menu->exec(event->globalPos());
}

} // namespace kx
