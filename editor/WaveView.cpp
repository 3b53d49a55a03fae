#include "WaveView.h"

#include "WaveViewGeometry.h"
#include "dialogs/OptionSettings.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRegistry.h"
#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"
#include "wavekit/wavekit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <limits>
#include <mutex>
#include <shared_mutex>

namespace kx {

namespace {

    constexpr int kRetryPaintMs = 30;
    /// How soon a change the document could not take at once is tried again.
    constexpr int kLockRetryMs = 10;

    WaveRenderer::Style styleFor(const QWidget& widget)
    {
        WaveRenderer::Style style;
        const QPalette& palette = widget.palette();
        style.face = palette.color(QPalette::Button);
        style.shadow = palette.color(QPalette::Dark);
        // The suite's common small interface font.
        if (QFont* font = ZorGetStockObject(2)) {
            style.font = *font;
            ZorDeleteFont(font);
        }
        const int32_t quality = RegGetDWord(kWindowQualitySetting, kDefaultWindowQuality);
        // A step of 0 or less would never leave the drawing loop.
        style.step = quality > 0 ? float(quality) * 0.001f : 0.2f;
        return style;
    }

    struct MenuItem {
        int id;
        const char* text;
    };

    constexpr MenuItem kWaveFileMenu[] = { { 501, "&Play" }, { 502, "&Stop" }, { 503, "P&ause" }, { 0, nullptr },
        { 302, "&Copy" }, { 303, "&Paste" }, { 304, "&Mix" }, { 305, "&Delete" }, { 306, "C&rop" }, { 0, nullptr },
        { 225, "Mark &all" }, { 221, "&Destroy Mark" }, { 0, nullptr }, { 510, "&Settings..." } };
    constexpr MenuItem kEmptyWaveFileMenu[]
        = { { 505, "&Record..." }, { 303, "&Paste" }, { 0, nullptr }, { 510, "&Settings..." } };

} // namespace

WaveView::WaveView(std::shared_ptr<SharedDocument> document, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_document(std::move(document))
    , m_renderer(styleFor(*this))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    // Every pixel is painted from the picture; no background erase between paints.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    m_retryPaint.setSingleShot(true);
    m_retryPaint.setInterval(kRetryPaintMs);
    connect(&m_retryPaint, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));

    QScrollBar* bar = horizontalScrollBar();
    connect(bar, &QScrollBar::actionTriggered, this, &WaveView::onScrollAction);
    connect(bar, &QScrollBar::sliderReleased, this, &WaveView::onSliderReleased);
    recomputeScrollRange();
}

WaveView::~WaveView() = default;

WaveViewGeometry WaveView::geometryOf(const WaveDocument& document) const
{
    return WaveViewGeometry(document.header, document.mark, viewport()->width(), viewport()->height());
}

void WaveView::recomputeScrollRange()
{
    uint32_t total = 0;
    uint32_t viewStart = 0;
    uint32_t visible = 0;
    {
        // The interface never waits for an operation that holds the document: it tries again.
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(kLockRetryMs, this, &WaveView::recomputeScrollRange);
            return;
        }
        const WaveViewGeometry geometry = geometryOf(m_document->document);
        total = geometry.total();
        viewStart = geometry.viewStart();
        visible = geometry.visibleValues();
    }
    m_thumbShift = 0;
    while ((total >> m_thumbShift) > uint32_t(std::numeric_limits<int>::max()))
        ++m_thumbShift;
    // The range 0..total holds the visible page, as the thumb shows it; the view itself may
    // still scroll on to total.
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, int((total - visible) >> m_thumbShift));
    bar->setPageStep(std::max(1, int(visible >> m_thumbShift)));
    bar->setEnabled(total != 0);
    setThumb(viewStart);
}

void WaveView::setThumb(uint32_t viewStart)
{
    horizontalScrollBar()->setSliderPosition(int(viewStart >> m_thumbShift));
}

uint32_t WaveView::viewStartOfThumb(int position) const
{
    return uint32_t(std::max(0, position)) << m_thumbShift;
}

void WaveView::moveView(uint32_t viewStart, bool repaint)
{
    {
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(kLockRetryMs, this, [this, viewStart, repaint] { moveView(viewStart, repaint); });
            return;
        }
        m_document->document.mark.viewStart = viewStart;
    }
    setThumb(viewStart);
    if (repaint)
        viewport()->update();
}

void WaveView::scrollContentsBy(int, int)
{
}

void WaveView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The page of the scroll bar is the visible width.
    recomputeScrollRange();
}

void WaveView::onScrollAction(int action)
{
    QScrollBar* bar = horizontalScrollBar();
    std::optional<WaveViewGeometry> geometry;
    {
        // While an operation holds the document the view stays where it is.
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        geometry.emplace(geometryOf(m_document->document));
    }
    using Scroll = WaveViewGeometry::Scroll;
    std::optional<Scroll> step;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        step = Scroll::LineLeft;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        step = Scroll::LineRight;
        break;
    case QAbstractSlider::SliderPageStepSub:
        step = Scroll::PageLeft;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        step = Scroll::PageRight;
        break;
    case QAbstractSlider::SliderMove:
        // At one value per column the view follows the thumb while it is dragged (it is cheap);
        // otherwise it moves when the thumb is let go.
        if (geometry->zoomSpp() == 1 && bar->isSliderDown())
            moveView(std::min(viewStartOfThumb(bar->sliderPosition()), geometry->total()), true);
        return;
    default:
        // Jumps to either end only put the thumb back on the view.
        setThumb(std::min(geometry->viewStart(), geometry->total()));
        return;
    }
    const std::optional<uint32_t> viewStart = geometry->scrolled(*step);
    if (!viewStart) {
        setThumb(geometry->viewStart());
        return;
    }
    moveView(*viewStart, true);
}

void WaveView::onSliderReleased()
{
    uint32_t total = 0;
    {
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(kLockRetryMs, this, &WaveView::onSliderReleased);
            return;
        }
        total = geometryOf(m_document->document).total();
    }
    moveView(std::min(viewStartOfThumb(horizontalScrollBar()->sliderPosition()), total), true);
}

bool WaveView::renderPicture()
{
    const QSize size = viewport()->size();
    if (m_picture.size() != size)
        m_picture = QImage(size, QImage::Format_RGB32);
    uint32_t viewEnd = 0;
    {
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return false;
        const WaveDocument& document = m_document->document;
        std::shared_ptr<const PeakSummary> peaks;
        if (m_truePeaks && !m_document->busy()) {
            peaks = m_document->peaks.current(&document.header);
            if (!peaks && document.header.dataSize != 0 && m_requestSummary)
                m_requestSummary(m_document);
        }
        const WaveScene scene { document.header, document.samples.data(), document.mark, document.info.working != 0,
            peaks.get() };
        QPainter painter(&m_picture);
        try {
            viewEnd = m_renderer.paint(painter, size.width(), size.height(), scene);
        } catch (...) {
            // The picture holds whatever was drawn; it is shown all the same.
            reportPaintFault();
            return true;
        }
    }
    // viewEnd is the view's own field; storing it must not wait for an operation either.
    std::unique_lock lock(m_document->lock, std::try_to_lock);
    if (lock.owns_lock())
        m_document->document.mark.viewEnd = viewEnd;
    return true;
}

void WaveView::reportPaintFault()
{
    if (m_faultReported)
        return;
    m_faultReported = true;
    // The message box runs its own event loop; never from inside a paint.
    QTimer::singleShot(0, this, [this] {
        HWND handle = WindowRegistry::handleOf(this);
        if (!handle && parentWidget())
            handle = WindowRegistry::handleOf(parentWidget());
        ExceptionBox(handle, "Main window");
        m_faultReported = false;
    });
}

void WaveView::paintEvent(QPaintEvent*)
{
    if (!renderPicture()) {
        m_retryPaint.start();
        if (m_picture.size() != viewport()->size())
            m_picture = QImage(); // a stale picture of another size would be misplaced
    }
    QPainter painter(viewport());
    if (m_picture.isNull())
        painter.fillRect(viewport()->rect(), palette().color(QPalette::Button));
    else
        painter.drawImage(0, 0, m_picture);
    if (m_dragging && m_dragStartColumn != m_dragEndColumn) {
        // The rubber band of the mark being dragged, shown inverted over the picture.
        const int left = std::min(m_dragStartColumn, m_dragEndColumn);
        const int right = std::max(m_dragStartColumn, m_dragEndColumn);
        painter.setClipRect(3, 3, viewport()->width() - 6, viewport()->height() - 6);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(left, 4, right - left, viewport()->height() - 8, Qt::black);
    }
}

void WaveView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = int(event->position().x());
    uint32_t markStart = 0;
    {
        // A press while an operation holds the document (an undo that moves the data, say) is
        // not waited for: the mark stays as it is, as it does for the zoom.
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        WaveDocument& document = m_document->document;
        if (document.header.dataSize == 0)
            return;
        const WaveViewGeometry geometry = geometryOf(document);
        const int column = geometry.effectiveColumn(x, true);
        markStart = geometry.positionAt(column);
        document.mark.markStart = markStart;
        document.mark.markLength = 0;
        m_dragStartColumn = column;
        m_dragEndColumn = column;
    }
    m_dragging = true;
    viewport()->update();
    emit mousePosition(false, markStart);
    emit markChanged();
}

void WaveView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && RegGetBool(kDoubleClickMarksAllSetting, 1))
        emit commandRequested(kMarkAllCommand);
    else
        mousePressEvent(event);
}

void WaveView::mouseMoveEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    uint32_t position = 0;
    {
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return; // the next move comes soon enough
        const WaveDocument& document = m_document->document;
        if (document.header.dataSize == 0)
            return;
        const WaveViewGeometry geometry = geometryOf(document);
        const int column = geometry.effectiveColumn(x, true);
        position = geometry.positionAt(column);
        if (m_dragging)
            m_dragEndColumn = geometry.bandEndColumn(column);
    }
    emit mousePosition(m_dragging, position);
    if (m_dragging) {
        viewport()->setCursor(Qt::SizeHorCursor);
        viewport()->update();
    }
}

void WaveView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    finishDrag(int(event->position().x()));
}

void WaveView::finishDrag(int x)
{
    {
        // The end of a drag is not lost while an operation holds the document: it waits on a timer.
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(kLockRetryMs, this, [this, x] { finishDrag(x); });
            return;
        }
        m_dragging = false;
        WaveDocument& document = m_document->document;
        const WaveViewGeometry geometry = geometryOf(document);
        const int column = geometry.effectiveColumn(x, true);
        const uint32_t end = geometry.positionAt(column);
        // Moves skipped while an operation held the document leave the band short of here.
        m_dragEndColumn = geometry.bandEndColumn(column);
        // The data may have shrunk under the drag.
        const uint32_t start = std::min(document.mark.markStart, document.header.dataSize);
        document.mark.markStart = std::min(start, end);
        document.mark.markLength = start < end ? end - start : start - end;
        if (m_dragStartColumn == m_dragEndColumn)
            document.mark.markLength = 0;
    }
    m_dragStartColumn = 0;
    m_dragEndColumn = 0;
    recomputeScrollRange();
    viewport()->update();
    viewport()->setCursor(Qt::CrossCursor);
    emit markChanged();
}

void WaveView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    // Fine-grained wheels send fractions of a notch; they add up to whole notches.
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        {
            // An operation holding the document keeps its zoom; the interface does not wait for it.
            std::unique_lock lock(m_document->lock, std::try_to_lock);
            if (!lock.owns_lock())
                return;
            WaveDocument& document = m_document->document;
            document.mark.zoom = geometryOf(document).zoomedBy(notches);
        }
        showZoom();
        return;
    }
    std::optional<uint32_t> viewStart;
    {
        std::shared_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        viewStart = geometryOf(m_document->document).wheeled(notches);
    }
    if (viewStart)
        moveView(*viewStart, true);
}

std::optional<uint32_t> WaveView::zoom() const
{
    std::shared_lock lock(m_document->lock, std::try_to_lock);
    if (!lock.owns_lock())
        return std::nullopt;
    return m_document->document.mark.zoom;
}

bool WaveView::setZoom(uint32_t zoom)
{
    {
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock())
            return false;
        m_document->document.mark.zoom = zoom;
    }
    showZoom();
    return true;
}

void WaveView::showZoom()
{
    recomputeScrollRange();
    viewport()->update();
    emit zoomChanged();
}

void WaveView::placeCursorAtEdge(bool end)
{
    uint32_t viewStart = 0;
    {
        std::unique_lock lock(m_document->lock, std::try_to_lock);
        if (!lock.owns_lock() || m_document->busy())
            return;
        WaveDocument& document = m_document->document;
        const WaveViewGeometry geometry = geometryOf(document);
        const uint32_t block = std::max<uint32_t>(1, document.header.nBlockAlign);
        const uint32_t channels = geometry.stereo() ? 2 : 1;
        if (end) {
            // The last page, starting on a frame.
            const uint32_t visible = std::min(geometry.visibleValues(), geometry.total());
            viewStart = geometry.total() - visible;
            viewStart -= viewStart % channels;
        }
        document.mark.markStart = end ? document.header.dataSize - document.header.dataSize % block : 0;
        document.mark.markLength = 0;
        document.mark.viewStart = viewStart;
    }
    setThumb(viewStart);
    viewport()->update();
    emit markChanged();
}

std::unique_ptr<QMenu> WaveView::createContextMenu()
{
    bool hasData = false;
    {
        std::shared_lock lock(m_document->lock);
        hasData = m_document->document.header.dataSize != 0;
    }
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(hasData ? QStringLiteral("WAVEFILEMENU") : QStringLiteral("EMPTYWAVEFILEMENU"));
    const int defaultId = hasData ? kPlayCommand : kRecordCommand;
    auto add = [&](const auto& items) {
        for (const MenuItem& item : items) {
            if (item.text == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.text));
            action->setData(item.id);
            if (item.id == defaultId)
                menu->setDefaultAction(action);
            connect(action, &QAction::triggered, this, [this, id = item.id] { sendCommand(id); });
        }
    };
    if (hasData)
        add(kWaveFileMenu);
    else
        add(kEmptyWaveFileMenu);
    return menu;
}

void WaveView::readDisplayQuality()
{
    m_renderer = WaveRenderer(styleFor(*this));
    viewport()->update();
}

void WaveView::setTruePeaks(bool truePeaks)
{
    m_truePeaks = truePeaks;
    viewport()->update();
}

void WaveView::sendCommand(int id)
{
    if (id >= 100 && id <= 998)
        emit commandRequested(id);
}

void WaveView::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu = createContextMenu();
    menu->exec(event->globalPos());
}

} // namespace kx
