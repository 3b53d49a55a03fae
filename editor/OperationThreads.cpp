#include "OperationThreads.h"

#include "documents/SharedDocument.h"
#include "exports/InterfaceThread.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"

#include <QPointer>

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace kx {

OperationThreads::OperationThreads(HWND frame, QObject* parent)
    : QObject(parent)
    , m_frame(frame)
{
}

bool OperationThreads::start(const Routine& routine, HWND argument, int operationCode, HWND window)
{
    auto slot = std::find_if(m_records.begin(), m_records.end(), [](const Record& r) { return r.threadId == 0; });
    if (slot == m_records.end())
        return false;
    std::shared_ptr<SharedDocument> document = WindowRegistry::document(window);
    if (document) {
        bool idle = false;
        if (!document->operationRunning.compare_exchange_strong(idle, true))
            return false;
    }

    const uint32_t threadId = ++m_lastThreadId;
    *slot = Record{threadId, operationCode, window, std::make_shared<std::atomic<bool>>(false)};
    ++m_liveThreads;
    emit registryChanged();

    QPointer<OperationThreads> self(this);
    std::thread([routine, argument, threadId, window, stop = slot->stop, frame = m_frame, document, self] {
        ::setpriority(PRIO_PROCESS, ::gettid(), 5); // below the interface thread
        OperationContext context;
        context.stop = stop;
        context.threadId = threadId;
        OperationContext::setCurrent(&context);
        try {
            routine(argument);
        } catch (const OperationBroken&) {
            // BreakThread has announced the end already.
        }
        // An operation that forgot its end message must not hold the count up.
        OperationContext::announceEnd(frame);
        OperationContext::setCurrent(nullptr);
        if (document)
            document->operationRunning = false;
        if (self) {
            postToThreadOf(self.data(), [self, threadId, window] {
                if (self)
                    self->threadFinished(threadId, window);
            });
        }
    }).detach();
    return true;
}

void OperationThreads::operationStarted()
{
    ++m_count;
    emit runningCountChanged(m_count);
}

void OperationThreads::lowerCount()
{
    if (m_count > 0)
        --m_count;
    emit runningCountChanged(m_count);
}

HWND OperationThreads::operationEnded(uint32_t threadId)
{
    if (m_stopped.count(threadId))
        return nullptr; // its entry and count went when it was stopped
    lowerCount();
    for (Record& record : m_records) {
        if (record.threadId == threadId) {
            HWND window = record.window;
            record = Record{};
            emit registryChanged();
            return window;
        }
    }
    return nullptr;
}

void OperationThreads::release(Record& record)
{
    record.stop->store(true);
    m_stopped.insert(record.threadId);
    record = Record{};
    lowerCount();
}

void OperationThreads::stopOperationsOf(HWND window)
{
    for (Record& record : m_records) {
        if (record.threadId != 0 && record.window == window)
            release(record);
    }
    emit registryChanged();
}

void OperationThreads::stopAll()
{
    for (Record& record : m_records) {
        if (record.threadId != 0)
            release(record);
    }
    emit registryChanged();
}

bool OperationThreads::anyRegistered() const
{
    return std::any_of(m_records.begin(), m_records.end(), [](const Record& r) { return r.threadId != 0; });
}

void OperationThreads::threadFinished(uint32_t threadId, HWND)
{
    m_stopped.erase(threadId);
    if (--m_liveThreads == 0)
        emit allThreadsFinished();
}

} // namespace kx
