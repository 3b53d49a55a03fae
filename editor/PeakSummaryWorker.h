#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace kx {

struct SharedDocument;

/// Builds the documents' peak summaries on a thread of its own, one document at a time, and tells
/// the interface thread when one is ready. Stopped by a flag and joined when destroyed.
class PeakSummaryWorker : public QObject {
    Q_OBJECT
public:
    explicit PeakSummaryWorker(QObject* parent = nullptr);
    ~PeakSummaryWorker() override;

    /// Asks for the summary of the document's samples as they are now; several requests for one
    /// document make one build.
    void request(const std::shared_ptr<SharedDocument>& document);

signals:
    /// A summary was stored with its document (on the interface thread).
    void summaryReady();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::weak_ptr<SharedDocument>> m_queue;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

} // namespace kx
