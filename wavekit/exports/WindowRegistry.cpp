#include "WindowRegistry.h"

#include "UndoSettings.h"

#include <mutex>
#include <unordered_map>

namespace kx {

namespace {

struct Entry {
    QPointer<QWidget> window;
    std::shared_ptr<SharedDocument> document;
    WindowRegistry::MessageHandler handler;
};

std::mutex g_mutex;
std::unordered_map<uintptr_t, Entry> g_entries;
uintptr_t g_lastHandle = 0;

} // namespace

HWND WindowRegistry::add(QWidget* window, std::shared_ptr<SharedDocument> document)
{
    // Each new document takes the history settings as they are now.
    if (document)
        applyUndoSettings();
    std::lock_guard lock(g_mutex);
    const uintptr_t id = ++g_lastHandle;
    g_entries.emplace(id, Entry{window, std::move(document), {}});
    return reinterpret_cast<HWND>(id);
}

void WindowRegistry::remove(HWND handle)
{
    std::shared_ptr<SharedDocument> released;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_entries.find(reinterpret_cast<uintptr_t>(handle));
        if (it == g_entries.end())
            return;
        released = std::move(it->second.document);
        g_entries.erase(it);
    }
    // The document goes away outside the lock, once its last user lets go of it.
}

void WindowRegistry::setMessageHandler(HWND handle, MessageHandler handler)
{
    std::lock_guard lock(g_mutex);
    auto it = g_entries.find(reinterpret_cast<uintptr_t>(handle));
    if (it != g_entries.end())
        it->second.handler = std::move(handler);
}

std::pair<QPointer<QWidget>, WindowRegistry::MessageHandler> WindowRegistry::receiver(HWND handle)
{
    std::lock_guard lock(g_mutex);
    auto it = g_entries.find(reinterpret_cast<uintptr_t>(handle));
    if (it == g_entries.end())
        return {};
    return {it->second.window, it->second.handler};
}

std::shared_ptr<SharedDocument> WindowRegistry::document(HWND handle)
{
    std::lock_guard lock(g_mutex);
    auto it = g_entries.find(reinterpret_cast<uintptr_t>(handle));
    return it == g_entries.end() ? nullptr : it->second.document;
}

QWidget* WindowRegistry::window(HWND handle)
{
    std::lock_guard lock(g_mutex);
    auto it = g_entries.find(reinterpret_cast<uintptr_t>(handle));
    return it == g_entries.end() ? nullptr : it->second.window.data();
}

HWND WindowRegistry::handleOf(const QWidget* window)
{
    if (!window)
        return nullptr;
    std::lock_guard lock(g_mutex);
    for (const auto& [id, entry] : g_entries) {
        if (entry.window == window)
            return reinterpret_cast<HWND>(id);
    }
    return nullptr;
}

} // namespace kx
