#include "InterfaceThread.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QThread>

using kx::WindowRegistry;

extern "C" {

intptr_t SendMessage(HWND target, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == kx::MsgOperationStarts)
        kx::OperationContext::noteStartAnnounced();
    auto [window, handler] = WindowRegistry::receiver(target);
    if (!window || !handler)
        return 0;
    if (QThread::currentThread() == window->thread())
        return handler(message, wParam, lParam);
    // The receiver's thread runs the handler; if the window goes away first the call is dropped
    // and the result stays 0.
    intptr_t result = 0;
    QWidget* receiver = window.data();
    if (!receiver)
        return 0;
    const kx::OperationContext* context = kx::OperationContext::current();
    const uint32_t sender = context ? context->threadId : 0;
    kx::callOnThreadOf(receiver, [&, handler = handler] {
        const uint32_t previous = kx::OperationContext::setMessageSender(sender);
        result = handler(message, wParam, lParam);
        kx::OperationContext::setMessageSender(previous);
    });
    return result;
}

int32_t PostMessage(HWND target, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto [window, handler] = WindowRegistry::receiver(target);
    if (!window || !handler)
        return 0;
    QWidget* receiver = window.data();
    if (!receiver)
        return 0;
    kx::postToThreadOf(receiver, [handler = handler, message, wParam, lParam] { handler(message, wParam, lParam); });
    return 1;
}

void BreakThread(HWND frame)
{
    kx::OperationContext::announceEnd(frame);
    throw kx::OperationBroken {};
}

} // extern "C"
