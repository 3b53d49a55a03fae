#pragma once

#include "PeakSummary.h"
#include "WaveHeader.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

namespace kx {

/// Where a document keeps its peak summary, and the generation of its samples: whoever changes
/// the samples calls `samplesChanged`, and a summary counts only for the generation it was built
/// from. Readers never wait: when the slot is being written they get nothing this time.
class PeakSummarySlot {
public:
    uint64_t generation() const { return m_generation.load(); }
    void samplesChanged() { ++m_generation; }

    /// The summary of the samples as they are now, null when there is none (yet) or the slot is
    /// being written. Given the document's header (under its lock), also null when the summary
    /// was built for another length or format, so that it is never read past the samples.
    std::shared_ptr<const PeakSummary> current(const WaveHeader* header = nullptr) const
    {
        std::unique_lock lock(m_mutex, std::try_to_lock);
        if (!lock.owns_lock() || !m_summary || m_summary->generation != m_generation.load())
            return nullptr;
        if (header
            && (header->nChannels != m_summary->channels() || header->wBitsPerSample != m_summary->bitsPerSample()
                || header->dataSize / std::max<uint16_t>(header->nBlockAlign, 1) != m_summary->frames()))
            return nullptr;
        return m_summary;
    }

    /// Keeps `summary`; one built from samples that changed meanwhile is dropped. True when kept.
    bool store(std::shared_ptr<const PeakSummary> summary)
    {
        std::lock_guard lock(m_mutex);
        if (!summary || summary->generation != m_generation.load())
            return false;
        m_summary = std::move(summary);
        return true;
    }

private:
    std::atomic<uint64_t> m_generation { 1 };
    mutable std::mutex m_mutex;
    std::shared_ptr<const PeakSummary> m_summary;
};

} // namespace kx
