#pragma once

#include "RecoveryFile.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kx {

/// Writes recovery copies on a thread of its own, one after another, so the thread that asks
/// never waits for a file. A newer request for the same copy replaces one still waiting and
/// makes one being written give up; removing a copy waits for its write to end first.
class RecoveryWriter {
public:
    /// Called on the writer's thread after each write, with the revision the request carried.
    using Done = std::function<void(const std::string& path, uint64_t revision, RecoveryWriteStatus status)>;

    explicit RecoveryWriter(Done done = {}, RecoveryWriteOptions options = {});
    /// Gives up what is being written and drops what waits.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(std::shared_ptr<const SharedDocument> document, const std::string& path, uint64_t revision);
    void remove(const std::string& path);
    /// Waits until nothing is written or waits to be (for tests and benchmarks).
    void waitIdle();

private:
    struct Job {
        std::shared_ptr<const SharedDocument> document; ///< null: remove the copy
        std::string path;
        uint64_t revision = 0;
    };

    void queue(Job job);
    void run();

    Done m_done;
    RecoveryWriteOptions m_options;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    std::string m_writing; ///< path of the copy being written
    bool m_supersede = false; ///< a newer request for m_writing came
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace kx
