#include "PeakSummaryWorker.h"

#include "documents/PeakSummaryBuild.h"
#include "documents/SharedDocument.h"
#include "exports/InterfaceThread.h"

#include <algorithm>

namespace kx {

PeakSummaryWorker::PeakSummaryWorker(QObject* parent)
    : QObject(parent)
    , m_thread([this] { run(); })
{
}

PeakSummaryWorker::~PeakSummaryWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PeakSummaryWorker::request(const std::shared_ptr<SharedDocument>& document)
{
    if (!document)
        return;
    {
        std::lock_guard lock(m_mutex);
        const bool queued
            = std::any_of(m_queue.begin(), m_queue.end(), [&](const auto& entry) { return entry.lock() == document; });
        if (queued)
            return;
        m_queue.push_back(document);
    }
    m_wake.notify_one();
}

void PeakSummaryWorker::run()
{
    for (;;) {
        std::shared_ptr<SharedDocument> document;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop)
                return;
            document = m_queue.front().lock();
            m_queue.pop_front();
        }
        if (!document || document->peaks.current())
            continue;
        if (document->peaks.store(buildPeakSummary(*document, m_stop)))
            postToThreadOf(this, [this] { emit summaryReady(); });
    }
}

} // namespace kx
