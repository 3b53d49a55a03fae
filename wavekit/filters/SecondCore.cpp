#include "SecondCore.h"

namespace kx {

SecondCore::SecondCore()
{
    if (std::thread::hardware_concurrency() > 1)
        m_thread = std::thread([this] { loop(); });
}

SecondCore::~SecondCore()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void SecondCore::start(std::function<void()> work)
{
    if (!available()) {
        work();
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_work = std::move(work);
        m_busy = true;
    }
    m_changed.notify_all();
}

void SecondCore::join()
{
    if (!available())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_busy; });
}

void SecondCore::loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_quit; });
        if (m_quit)
            return;
        std::function<void()> work = std::move(m_work);
        lock.unlock();
        work();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

} // namespace kx
