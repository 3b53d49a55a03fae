#include "RecoveryWriter.h"

#include <algorithm>
#include <unistd.h>

namespace kx {

RecoveryWriter::RecoveryWriter(Done done, RecoveryWriteOptions options)
    : m_done(std::move(done))
    , m_options(std::move(options))
    , m_thread([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void RecoveryWriter::write(std::shared_ptr<const SharedDocument> document, const std::string& path, uint64_t revision)
{
    queue({ std::move(document), path, revision });
}

void RecoveryWriter::remove(const std::string& path)
{
    queue({ nullptr, path, 0 });
}

void RecoveryWriter::queue(Job job)
{
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [&job](const Job& waiting) { return waiting.path == job.path; });
        if (m_writing == job.path)
            m_supersede = true;
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
}

void RecoveryWriter::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && m_writing.empty(); });
}

void RecoveryWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_stopping)
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_writing = job.path;
        m_supersede = false;
        lock.unlock();

        RecoveryWriteStatus status = RecoveryWriteStatus::Written;
        if (job.document) {
            RecoveryWriteOptions options = m_options;
            options.giveUp = [this, outer = m_options.giveUp] {
                std::lock_guard guard(m_mutex);
                return m_supersede || m_stopping || (outer && outer());
            };
            status = writeRecoveryFile(*job.document, job.path, options);
        } else {
            ::unlink(job.path.c_str());
        }
        if (m_done && job.document)
            m_done(job.path, job.revision, status);

        lock.lock();
        m_writing.clear();
        m_changed.notify_all();
    }
}

} // namespace kx
