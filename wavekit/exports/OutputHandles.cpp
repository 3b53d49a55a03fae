#include "OutputHandles.h"

#include <map>
#include <mutex>

namespace kx {

namespace {

    // Recursive: a slot's player may be stopped while the lock is held, and stopping never calls back
    // into the table, but a caller inside use() may still ask for a fresh playback handle.
    std::recursive_mutex g_mutex;
    std::map<uintptr_t, std::unique_ptr<OutputSlot>> g_slots;
    uintptr_t g_lastOutput = 0;
    uintptr_t g_lastPlay = 0;

} // namespace

HWAVEOUT OutputHandles::add(std::unique_ptr<OutputSlot> slot)
{
    std::lock_guard lock(g_mutex);
    const uintptr_t id = ++g_lastOutput;
    g_slots.emplace(id, std::move(slot));
    return reinterpret_cast<HWAVEOUT>(id);
}

bool OutputHandles::use(HWAVEOUT handle, const std::function<void(OutputSlot&)>& action)
{
    std::lock_guard lock(g_mutex);
    auto it = g_slots.find(reinterpret_cast<uintptr_t>(handle));
    if (it == g_slots.end())
        return false;
    action(*it->second);
    return true;
}

std::unique_ptr<OutputSlot> OutputHandles::take(HWAVEOUT handle)
{
    std::lock_guard lock(g_mutex);
    auto it = g_slots.find(reinterpret_cast<uintptr_t>(handle));
    if (it == g_slots.end())
        return nullptr;
    std::unique_ptr<OutputSlot> slot = std::move(it->second);
    g_slots.erase(it);
    return slot;
}

HWAVEPLAY OutputHandles::newPlay()
{
    std::lock_guard lock(g_mutex);
    return reinterpret_cast<HWAVEPLAY>(++g_lastPlay);
}

} // namespace kx
