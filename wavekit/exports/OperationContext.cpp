#include "OperationContext.h"

#include <unistd.h>
#include <utility>

namespace kx {

namespace {
    thread_local OperationContext* t_context = nullptr;
    thread_local uint32_t t_messageSender = 0;
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

uint32_t OperationContext::messageSender()
{
    return t_messageSender;
}

uint32_t OperationContext::setMessageSender(uint32_t threadId)
{
    return std::exchange(t_messageSender, threadId);
}

const std::atomic<bool>* OperationContext::stopFlag()
{
    return t_context ? t_context->stop.get() : nullptr;
}

void OperationContext::noteStartAnnounced()
{
    if (t_context)
        t_context->startAnnounced = true;
}

void OperationContext::announceEnd(HWND frame)
{
    const uint32_t id = t_context ? t_context->threadId : uint32_t(::gettid());
    if (t_context) {
        if (t_context->endAnnounced)
            return;
        t_context->endAnnounced = true;
        // Its registry entry goes when the thread returns; there is no count to lower.
        if (!t_context->startAnnounced)
            return;
    }
    SendMessage(frame, MsgOperationEnds, id, 0);
}

} // namespace kx
