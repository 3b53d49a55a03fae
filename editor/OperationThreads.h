#pragma once

#include "exports/WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QObject>

#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace kx {

/// The operations running on worker threads: the 32-entry registry, the running count and the
/// stop flags. Lives on the user-interface thread; the threads reach it only through the frame's
/// start and end messages, and it never waits for a thread.
class OperationThreads : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 32;
    using Routine = std::function<int32_t(HWND argument)>;

    struct Record {
        uint32_t threadId = 0; ///< 0 marks a free entry
        int operationCode = 0;
        HWND window = nullptr;
        std::shared_ptr<std::atomic<bool>> stop;
        /// Its start message has raised the running count.
        bool counted = false;
        /// The document's name when the operation started, shown while the document is locked.
        std::string fileName;
    };

    explicit OperationThreads(HWND frame, QObject* parent = nullptr);

    /// Runs `routine(argument)` on a new thread below normal priority, registered for `window`.
    /// Refused (false) while `window`'s document runs another operation or the registry is full.
    bool start(const Routine& routine, HWND argument, int operationCode, HWND window);

    /// An operation announced its start (the frame's 1164). A stopped operation that announces
    /// itself late is not counted.
    void operationStarted();
    /// An operation announced its end (the frame's 1165): lowers the count and frees its entry.
    /// Returns the window of the entry, null when the thread was not registered.
    HWND operationEnded(uint32_t threadId);

    /// Asks the operations of `window` to stop and frees their entries (the window closes).
    void stopOperationsOf(HWND window);
    /// Asks every operation to stop and frees every entry (the editor exits).
    void stopAll();

    bool anyRegistered() const;
    int runningCount() const { return m_count; }
    /// Threads that have not returned yet, stopped ones included.
    int liveThreads() const { return int(m_live.size()); }
    /// What the live threads are: "<operation> (<file>)" each.
    QStringList liveDescriptions() const;
    const std::array<Record, kCapacity>& records() const { return m_records; }

signals:
    void runningCountChanged(int count);
    void registryChanged();
    /// A thread has returned; `live` are left. `window` is the one it worked on: its document is
    /// no longer busy, so what was painted while the thread ended must be painted again.
    void threadReturned(int live, HWND window);

private:
    struct LiveThread {
        int operationCode = 0;
        HWND window = nullptr;
        std::string fileName;
    };

    void lowerCount();
    void release(Record& record);
    void threadFinished(uint32_t threadId);

    HWND m_frame;
    std::array<Record, kCapacity> m_records {};
    int m_count = 0;
    std::map<uint32_t, LiveThread> m_live;
    uint32_t m_lastThreadId = 0;
    /// Threads whose entry was freed when they were stopped: their late start and end messages
    /// must not change the count.
    std::set<uint32_t> m_stopped;
};

} // namespace kx
