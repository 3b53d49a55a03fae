#pragma once

#include "PeakSummarySlot.h"
#include "WaveDocument.h"

#include <atomic>
#include <shared_mutex>

namespace kx {

/// A document as the windows and operation threads share it. The wave window and every
/// operation working on it hold it by std::shared_ptr, so it lives until the last of them lets go.
///
/// Locking: whoever changes sample bytes or the header takes `lock` exclusively, in blocks of a
/// few hundred kilobytes for in-place changes and around every resize, so painting can interleave.
/// Readers that must not wait (painting) use try_lock_shared and reuse their last picture when it
/// fails; other readers take it shared.
struct SharedDocument {
    explicit SharedDocument(WaveDocument initial)
        : document(std::move(initial))
    {
    }

    WaveDocument document;
    mutable std::shared_mutex lock;
    /// Set while an operation works on the document; a second operation is refused meanwhile.
    std::atomic<bool> operationRunning { false };
    /// The true-peak summary of the samples, rebuilt on a worker after they change.
    PeakSummarySlot peaks;

    /// Loading, reverting or under an operation: what it holds now is no file's content yet.
    bool busy() const { return operationRunning || document.info.working != 0; }
};

} // namespace kx
