#include "FilterThread.h"

#include "ActiveDocument.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/SharedDocument.h"

#include <mutex>
#include <thread>

namespace kx {

namespace {

    HWND askFrame(HWND frame, uint32_t message)
    {
        return reinterpret_cast<HWND>(SendMessage(frame, message, 0, 0));
    }

    /// Runs the change under the document's exclusive lock, which is opened between blocks so that
    /// painting and playback, which take it shared, are not held up for the whole run.
    FilterStatus changeLocked(SharedDocument& shared, const FilterRun& run, HWND progressBox)
    {
        std::unique_lock lock(shared.lock);
        OperationContext* context = OperationContext::current();
        FilterControl control;
        control.stop = context ? context->stop.get() : nullptr;
        control.betweenBlocks = [&lock] {
            lock.unlock();
            std::this_thread::yield();
            lock.lock();
        };
        // Posted, not sent: the document stays locked while the change reports.
        if (progressBox)
            control.progress
                = [progressBox](int percent) { PostMessage(progressBox, WM_USER + 2, uintptr_t(percent), 0); };
        return run.change(shared.document, control);
    }

    /// The progress box of a run, closed however the run ends.
    class ProgressBox {
    public:
        ProgressBox(HWND frame, bool shown)
            : m_handle(shown ? ShowPercentage(frame) : nullptr)
        {
        }
        ~ProgressBox()
        {
            if (m_handle)
                PostMessage(m_handle, MsgClose, 0, 0);
        }
        ProgressBox(const ProgressBox&) = delete;
        ProgressBox& operator=(const ProgressBox&) = delete;
        HWND handle() const { return m_handle; }

    private:
        HWND m_handle;
    };

} // namespace

int32_t runFilterThread(HWND argument, const FilterRun& run)
{
    const OperationTarget target = operationTarget(argument);
    const HWND frame = target.frame;
    const HWND wave = target.wave;
    HWND preview = askFrame(frame, MsgGetPreviewBar);
    HWND bar = run.changesLength ? askFrame(frame, MsgGetStatusBar) : nullptr;
    SendMessage(frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(wave), run.operationCode);
    // Held until the end: closing the window must not free the samples under the change.
    std::shared_ptr<SharedDocument> shared = WindowRegistry::document(wave);
    if (!shared) {
        OperationContext::announceEnd(frame);
        return 1;
    }

    FilterStatus status;
    {
        const ProgressBox box(frame, run.showsProgress);
        status = changeLocked(*shared, run, box.handle());
    }
    switch (status) {
    case FilterStatus::OutOfMemory:
        ErrorBox(run.memoryErrorOverFrame ? frame : wave, "Not enough memory.");
        BreakThread(frame);
    case FilterStatus::Refused:
        if (run.refusalBreaks)
            BreakThread(frame);
        break;
    case FilterStatus::Cancelled:
        // The change was taken back; the window is closing or the editor exiting.
        OperationContext::announceEnd(frame);
        return 0;
    case FilterStatus::Done:
        break;
    }

    if (run.changesLength)
        SendMessage(wave, MsgRecomputeScroll, 0, 0);
    PostMessage(wave, MsgInvalidate, 0, 0);
    PostMessage(preview, MsgInvalidate, 0, 0);
    if (bar)
        PostMessage(bar, MsgInvalidate, 0, 0);
    SetFileNotSaved(wave);
    OperationContext::announceEnd(frame);
    return 1;
}

} // namespace kx
