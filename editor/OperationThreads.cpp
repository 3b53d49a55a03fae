#include "OperationThreads.h"

#include "CommandIds.h"
#include "dialogs/OptionSettings.h"
#include "documents/SharedDocument.h"
#include "exports/InterfaceThread.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"

#include "paneldraw/settings.h"

#include <QPointer>

#include <algorithm>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace kx {

namespace {

    /// The nice level of an operation thread at a thread speed: the default stays below the
    /// interface thread, the fastest shares its level (a thread cannot rise above its process).
    int niceLevelOf(int speed)
    {
        constexpr int kLevels[] = { 19, 10, 5, 2, 0 };
        return kLevels[std::clamp(speed, kSlowestThreadSpeed, kFastestThreadSpeed) - kSlowestThreadSpeed];
    }

} // namespace

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
        // Whatever the operation does to the samples, a summary of them as they were is stale.
        document->peaks.samplesChanged();
    }

    std::string fileName;
    if (document) {
        // Nothing else works on the document now, so the lock is free but for a moment's reading.
        std::shared_lock lock(document->lock, std::try_to_lock);
        if (lock.owns_lock())
            fileName = document->document.info.fileName;
    }
    const uint32_t threadId = ++m_lastThreadId;
    *slot = Record { threadId, operationCode, window, std::make_shared<std::atomic<bool>>(false), false, fileName };
    m_live[threadId] = LiveThread { operationCode, window, fileName };
    emit registryChanged();

    QPointer<OperationThreads> self(this);
    const int nice = niceLevelOf(RegGetWord(kThreadSpeedSetting, kDefaultThreadSpeed));
    std::thread([routine, argument, threadId, stop = slot->stop, frame = m_frame, document, self, nice] {
        ::setpriority(PRIO_PROCESS, ::gettid(), nice);
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
            postToThreadOf(self.data(), [self, threadId] {
                if (self)
                    self->threadFinished(threadId);
            });
        }
    }).detach();
    return true;
}

void OperationThreads::operationStarted()
{
    const uint32_t sender = OperationContext::messageSender();
    if (m_stopped.count(sender))
        return; // stopped before it announced itself: its end will not be counted either
    for (Record& record : m_records) {
        if (sender != 0 && record.threadId == sender)
            record.counted = true;
    }
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
    for (Record& record : m_records) {
        if (record.threadId == threadId) {
            if (record.counted)
                lowerCount();
            HWND window = record.window;
            record = Record {};
            emit registryChanged();
            return window;
        }
    }
    lowerCount();
    return nullptr;
}

void OperationThreads::release(Record& record)
{
    record.stop->store(true);
    m_stopped.insert(record.threadId);
    const bool counted = record.counted;
    record = Record {};
    if (counted)
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

QStringList OperationThreads::liveDescriptions() const
{
    QStringList descriptions;
    for (const auto& [threadId, live] : m_live)
        descriptions.append(
            QStringLiteral("%1 (%2)").arg(operationName(live.operationCode), QString::fromStdString(live.fileName)));
    return descriptions;
}

void OperationThreads::threadFinished(uint32_t threadId)
{
    m_stopped.erase(threadId);
    // An operation that never announced itself sent no end message: its entry goes now.
    for (Record& record : m_records) {
        if (record.threadId == threadId) {
            record = Record {};
            emit registryChanged();
        }
    }
    const auto live = m_live.find(threadId);
    const HWND window = live != m_live.end() ? live->second.window : nullptr;
    m_live.erase(threadId);
    emit threadReturned(int(m_live.size()), window);
}

} // namespace kx
