#include "UndoThread.h"

#include "ActiveDocument.h"
#include "OperationCodes.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"

#include <mutex>
#include <thread>

namespace kx {

namespace {

    /// Takes the step under the document's exclusive lock, let go between pieces so that the windows
    /// paint and answer the mouse meanwhile, as they do while a filter runs.
    int32_t runStep(HWND argument, int code, bool (*step)(WaveDocument&, const std::function<void()>&))
    {
        const OperationTarget target = operationTarget(argument);
        SendMessage(target.frame, MsgOperationStarts, reinterpret_cast<uintptr_t>(target.wave), code);
        bool changed = false;
        // Held until the end: closing the window must not free the samples under the step.
        if (std::shared_ptr<SharedDocument> shared = WindowRegistry::document(target.wave)) {
            std::unique_lock lock(shared->lock);
            changed = step(shared->document, [&lock] {
                lock.unlock();
                std::this_thread::yield();
                lock.lock();
            });
        }
        if (changed) {
            SendMessage(target.wave, MsgRecomputeScroll, 0, 0);
            PostMessage(target.wave, MsgInvalidate, 0, 0);
            for (uint32_t bar : { uint32_t(MsgGetPreviewBar), uint32_t(MsgGetStatusBar) })
                PostMessage(reinterpret_cast<HWND>(SendMessage(target.frame, bar, 0, 0)), MsgInvalidate, 0, 0);
        }
        OperationContext::announceEnd(target.frame);
        return 1;
    }

} // namespace

int32_t UndoOperation(HWND argument)
{
    return runStep(argument, OpUndo, UndoStore::restore);
}

int32_t RedoOperation(HWND argument)
{
    return runStep(argument, OpRedo, UndoStore::redo);
}

} // namespace kx
