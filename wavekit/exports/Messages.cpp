#include "InterfaceThread.h"
#include "OperationContext.h"
#include "WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QThread>

using kx::WindowRegistry;

extern "C" {

intptr_t SendMessage(HWND target, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
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
    kx::callOnThreadOf(receiver, [&, handler = handler] { result = handler(message, wParam, lParam); });
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
    throw kx::OperationBroken{};
}

} // extern "C"
