#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>

namespace kx {

/// How a filter run ended.
enum class FilterStatus {
    Done,
    Cancelled, ///< stopped on request; the document is as it was before the run
    OutOfMemory, ///< the data could not be resized; the document is as it was
    Refused, ///< the parameters ask for nothing (or for the impossible); nothing changed
};

/// What a long filter hears from and tells its caller.
struct FilterControl {
    /// Hint to the processing thread that it should give up; may be null.
    const std::atomic<bool>* stop = nullptr;
    /// Percent done, 0..100; called only when the value changes. May be empty.
    std::function<void(int)> progress;
    /// Called after every block. The filter holds no lock of its own there, so a caller that locks
    /// the document around the run may let readers in; it must not resize the data meanwhile.
    std::function<void()> betweenBlocks;

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
};

/// Items handled between two looks at the stop flag: 64 KiB of 16-bit samples.
inline constexpr std::size_t kBlockItems = 32768;

/// Calls work(first, count) over [0, total) block by block, looking at the stop flag before each
/// block and reporting progress after it. False when stopped.
template <class Work> bool runInBlocks(std::size_t total, const FilterControl& control, Work&& work)
{
    int reported = -1;
    for (std::size_t done = 0; done < total;) {
        if (control.stopRequested())
            return false;
        const std::size_t count = std::min(kBlockItems, total - done);
        work(done, count);
        done += count;
        if (control.betweenBlocks)
            control.betweenBlocks();
        const int percent = int(done * 100 / total);
        if (control.progress && percent != reported)
            control.progress(reported = percent);
    }
    return true;
}

} // namespace kx
