#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kx {

/// A thread that runs one piece of work at a time beside the caller, for work that splits into two
/// independent halves: start() hands it one half, the caller does the other and join() waits for
/// it. On a machine with one core it runs the work in start() itself.
class SecondCore {
public:
    SecondCore();
    ~SecondCore();
    SecondCore(const SecondCore&) = delete;
    SecondCore& operator=(const SecondCore&) = delete;

    /// Whether there is a second core to use at all.
    bool available() const { return m_thread.joinable(); }
    void start(std::function<void()> work);
    void join();

private:
    void loop();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_work;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace kx
