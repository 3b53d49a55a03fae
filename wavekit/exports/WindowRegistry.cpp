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

    struct Table {
        std::mutex mutex;
        std::unordered_map<uintptr_t, Entry> entries;
        uintptr_t lastHandle = 0;
    };

    // Never destroyed: an operation thread that is still finishing while the program exits may look a
    // window up after static destructors have run, and must find an empty answer, not freed memory.
    Table& table()
    {
        static Table* const instance = new Table;
        return *instance;
    }

} // namespace

HWND WindowRegistry::add(QWidget* window, std::shared_ptr<SharedDocument> document)
{
    // Each new document takes the history settings as they are now.
    if (document)
        applyUndoSettings();
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const uintptr_t id = ++t.lastHandle;
    t.entries.emplace(id, Entry { window, std::move(document), {} });
    return reinterpret_cast<HWND>(id);
}

void WindowRegistry::remove(HWND handle)
{
    std::shared_ptr<SharedDocument> released;
    {
        Table& t = table();
        std::lock_guard lock(t.mutex);
        auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.entries.end())
            return;
        released = std::move(it->second.document);
        t.entries.erase(it);
    }
    // The document goes away outside the lock, once its last user lets go of it.
}

void WindowRegistry::setMessageHandler(HWND handle, MessageHandler handler)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    if (it != t.entries.end())
        it->second.handler = std::move(handler);
}

std::pair<QPointer<QWidget>, WindowRegistry::MessageHandler> WindowRegistry::receiver(HWND handle)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    if (it == t.entries.end())
        return {};
    return { it->second.window, it->second.handler };
}

std::shared_ptr<SharedDocument> WindowRegistry::document(HWND handle)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.entries.end() ? nullptr : it->second.document;
}

QWidget* WindowRegistry::window(HWND handle)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.entries.end() ? nullptr : it->second.window.data();
}

HWND WindowRegistry::handleOf(const QWidget* window)
{
    if (!window)
        return nullptr;
    Table& t = table();
    std::lock_guard lock(t.mutex);
    for (const auto& [id, entry] : t.entries) {
        if (entry.window == window)
            return reinterpret_cast<HWND>(id);
    }
    return nullptr;
}

} // namespace kx
