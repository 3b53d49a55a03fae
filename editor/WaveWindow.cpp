#include "WaveWindow.h"

#include "CloseConfirmation.h"
#include "WaveView.h"
#include "documents/SharedDocument.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include <QCloseEvent>

namespace kx {

WaveWindow* WaveWindow::containing(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* wave = qobject_cast<WaveWindow*>(w))
            return wave;
    }
    return nullptr;
}

WaveWindow::WaveWindow(std::shared_ptr<SharedDocument> document, HWND frame, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_document(std::move(document))
    , m_frame(frame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_handle = WindowRegistry::add(this, m_document);
    WindowRegistry::setMessageHandler(m_handle, [this](uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return handleMessage(message, wParam, lParam);
    });
    m_view = new WaveView(m_document, this);
    setWidget(m_view);
    connect(this, &WaveWindow::dataLengthChanged, m_view, &WaveView::recomputeScrollRange);
    refreshTitle();
}

WaveWindow::~WaveWindow()
{
    WindowRegistry::remove(m_handle);
}

QSize WaveWindow::sizeHint() const
{
    // New windows, and those the MDI area cascades, take two thirds of the area.
    if (const QWidget* area = parentWidget())
        return QSize(area->width() * 2 / 3, area->height() * 2 / 3);
    return QMdiSubWindow::sizeHint();
}

void WaveWindow::refreshTitle()
{
    std::shared_lock lock(m_document->lock);
    setWindowTitle(QString::fromStdString(m_document->document.info.fileName));
}

void WaveWindow::closeWithoutAsking()
{
    m_confirmed = true;
    close();
}

void WaveWindow::closeEvent(QCloseEvent* event)
{
    // A document that is still loading cannot be closed by the user.
    if (!m_confirmed && IsFileWorking(m_handle)) {
        event->ignore();
        return;
    }
    if (!m_confirmed && !confirmClose(m_frame, m_handle)) {
        event->ignore();
        return;
    }
    m_confirmed = true;
    emit closing(m_handle);
    WindowRegistry::remove(m_handle);
    QMdiSubWindow::closeEvent(event);
}

intptr_t WaveWindow::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgSetText:
        if (lParam)
            setWindowTitle(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
        else
            refreshTitle();
        return 0;
    case MsgInvalidate:
        // The view paints in its viewport; updating the scroll area alone leaves it as it was.
        m_view->viewport()->update();
        update();
        return 0;
    case MsgClose:
        closeWithoutAsking();
        return 0;
    case MsgRecomputeScroll:
        emit dataLengthChanged();
        return 0;
    case MsgGetFrame:
        return reinterpret_cast<intptr_t>(m_frame);
    case MM_WOM_DONE: // the frame keeps the output state
        return SendMessage(m_frame, message, wParam, lParam);
    }
    return 0;
}

} // namespace kx
