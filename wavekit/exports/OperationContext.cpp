#include "OperationContext.h"

#include <unistd.h>

namespace kx {

namespace {
thread_local OperationContext* t_context = nullptr;
}

OperationContext* OperationContext::current()
{
    return t_context;
}

void OperationContext::setCurrent(OperationContext* context)
{
    t_context = context;
}

bool OperationContext::stopRequested()
{
    return t_context && t_context->stop->load(std::memory_order_relaxed);
}

void OperationContext::announceEnd(HWND frame)
{
    const uint32_t id = t_context ? t_context->threadId : uint32_t(::gettid());
    if (t_context) {
        if (t_context->endAnnounced)
            return;
        t_context->endAnnounced = true;
    }
    SendMessage(frame, MsgOperationEnds, id, 0);
}

} // namespace kx
