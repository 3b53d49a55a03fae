#include "InterfaceThread.h"
#include "wavekit/wavekit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

#include <atomic>

// The cursor SetMouseWait replaced. One for the whole process: a second SetMouseWait keeps the
// busy cursor, so the following SetMouseActive leaves the busy cursor up.
namespace {

enum CursorToken : intptr_t { NormalCursor = 1, BusyCursor = 2 };

std::atomic<intptr_t> g_kept{NormalCursor};
std::atomic<intptr_t> g_current{NormalCursor};

void apply(intptr_t cursor)
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    auto show = [cursor] {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        if (cursor == BusyCursor)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    };
    if (QThread::currentThread() == app->thread())
        show();
    else
        kx::postToThreadOf(app, show);
}

} // namespace

extern "C" {

intptr_t SetMouseWait(HWND)
{
    const intptr_t previous = g_current.exchange(BusyCursor);
    g_kept = previous;
    apply(BusyCursor);
    return previous;
}

intptr_t SetMouseActive(void)
{
    const intptr_t kept = g_kept.load();
    const intptr_t previous = g_current.exchange(kept);
    apply(kept);
    return previous;
}

} // extern "C"
