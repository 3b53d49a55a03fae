#include "UndoStore.h"

#include "UndoBytes.h"
#include "UndoStep.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <unistd.h>

namespace kx {

namespace {

    std::atomic<uint32_t> g_levels { 1 };
    std::atomic<bool> g_enabled { true };
    std::atomic<uint64_t> g_memoryBudget { UndoPolicy::defaultMemoryBudget() };
    std::atomic<uint64_t> g_diskBudget { UndoPolicy::defaultMemoryBudget() };

    bool multiLevel()
    {
        return g_levels > 1;
    }

    bool insideData(const WaveDocument& document, uint64_t start, uint64_t length)
    {
        return start + length <= document.header.dataSize && start + length <= document.samples.size();
    }

    void clear(UndoRecord& undo)
    {
        undo.undoStart = 0;
        undo.undoLength = 0;
        undo.undoKind = UndoNothing;
    }

    void record(WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description)
    {
        UndoRecord& undo = document.undo;
        undo.undoStart = start;
        undo.undoLength = length;
        undo.undoKind = kind;
        undo.description = std::string(description.substr(0, UndoRecord::kDescriptionSize - 1));
    }

    /// A step that is not the newest keeps its bytes where the budget can move them to a file.
    void park(UndoRecord& step)
    {
        if (step.savedBytes.size() != 0)
            step.keptBytes = UndoBytes::keep(std::move(step.savedBytes));
        step.savedBytes.reset();
    }

    /// Moves the oldest steps to files while memory is over its budget. Only a new step gives up
    /// older ones for the disk budget: undoing must not lose what it could undo next.
    void keepWithinBudgets(UndoHistory& history, bool newStep)
    {
        const uint64_t memoryBudget = g_memoryBudget;
        for (auto* steps : { &history.older, &history.redo }) {
            for (UndoRecord& step : *steps) {
                if (UndoBytes::bytesInMemory() <= memoryBudget)
                    break;
                if (step.keptBytes)
                    step.keptBytes->moveToFile();
            }
        }
        while (newStep && UndoBytes::bytesInFiles() > g_diskBudget && !history.older.empty()) {
            // Given up at once: the writer may still hold them a while.
            if (history.older.front().keptBytes)
                history.older.front().keptBytes->drop();
            history.older.pop_front();
        }
    }

    /// Makes `step` the newest step; the one before becomes an older step.
    void pushNewest(WaveDocument& document, UndoRecord step)
    {
        UndoHistory& history = document.history;
        if (document.undo.undoKind != UndoNothing) {
            park(document.undo);
            history.older.push_back(std::move(document.undo));
        }
        document.undo = std::move(step);
        while (!history.older.empty() && history.older.size() + 1 > g_levels)
            history.older.pop_front();
        keepWithinBudgets(history, true);
    }

    /// Room for a new step in a history of several levels; what could be redone goes.
    void openStep(WaveDocument& document)
    {
        document.history.redo.clear();
        pushNewest(document, {});
    }

    void bringBackOlder(WaveDocument& document)
    {
        document.undo = UndoRecord {};
        if (!document.history.older.empty()) {
            document.undo = std::move(document.history.older.back());
            document.history.older.pop_back();
        }
    }

    // A block for the copy of [start, start + length). In a one-level history the earlier copy's
    // block is reused: its pages are already mapped, which makes copying a large range about twice
    // as fast as into fresh memory.
    std::span<uint8_t> reserveCopy(
        WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description)
    {
        if (multiLevel())
            openStep(document);
        record(document, start, length, kind, description);
        SampleBuffer& copy = document.undo.savedBytes;
        if (insideData(document, start, length)) {
            if (copy.isNull())
                copy = SampleBuffer::allocate(length);
            else if (!copy.resize(length))
                copy.reset();
            if (!copy.isNull())
                return copy.bytes();
        }
        copy.reset();
        UndoStore::forbid(document);
        return {};
    }

    bool historyOff(WaveDocument& document)
    {
        if (g_enabled)
            return false;
        UndoStore::forbid(document);
        document.undo.savedBytes.reset();
        return true;
    }

} // namespace

uint64_t UndoPolicy::defaultMemoryBudget()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) / 4 : uint64_t(1) << 30;
}

void UndoStore::setPolicy(const UndoPolicy& policy)
{
    g_levels = std::max<uint32_t>(policy.levels, 1);
    g_enabled = policy.enabled;
    g_memoryBudget = policy.memoryBudget;
    g_diskBudget = policy.diskBudget;
}

UndoPolicy UndoStore::policy()
{
    return { g_levels, g_enabled, g_memoryBudget, g_diskBudget };
}

bool UndoStore::save(
    WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description)
{
    if (historyOff(document))
        return false;
    if (kind == UndoChanged || kind == UndoDeleted) {
        const std::span<uint8_t> copy = reserveCopy(document, start, length, kind, description);
        if (copy.size() != length)
            return false;
        if (length != 0)
            std::memcpy(copy.data(), document.samples.data() + start, length);
        return true;
    }
    if (kind != UndoInserted) {
        forbid(document);
        document.undo.savedBytes.reset();
        return kind == UndoNothing;
    }
    if (multiLevel())
        openStep(document);
    record(document, start, length, kind, description);
    document.undo.savedBytes.reset();
    return true;
}

std::span<uint8_t> UndoStore::reserve(
    WaveDocument& document, uint32_t start, uint32_t length, std::string_view description)
{
    if (historyOff(document))
        return {};
    return reserveCopy(document, start, length, UndoChanged, description);
}

bool UndoStore::saveReplace(WaveDocument& document, uint32_t start, uint32_t oldLength, uint32_t newLength,
    std::string_view description, bool formatChanges)
{
    if (historyOff(document) || !multiLevel() || !insideData(document, start, oldLength))
        return false;
    SampleBuffer copy = SampleBuffer::copyOf({ document.samples.data() + start, oldLength });
    if (copy.isNull() && oldLength != 0)
        return false;
    openStep(document);
    record(document, start, newLength, UndoReplaced, description);
    document.undo.savedLength = oldLength;
    document.undo.savedBytes = std::move(copy);
    if (formatChanges)
        document.undo.formerHeader = document.header;
    return true;
}

bool UndoStore::saveReplaced(
    WaveDocument& document, SampleBuffer oldBytes, const WaveHeader& formerHeader, std::string_view description)
{
    if (historyOff(document) || !multiLevel() || oldBytes.size() < formerHeader.dataSize)
        return false;
    oldBytes.truncate(formerHeader.dataSize);
    openStep(document);
    record(document, 0, document.header.dataSize, UndoReplaced, description);
    document.undo.savedLength = formerHeader.dataSize;
    document.undo.savedBytes = std::move(oldBytes);
    document.undo.formerHeader = formerHeader;
    return true;
}

bool UndoStore::saveCrop(WaveDocument& document, uint32_t start, uint32_t length)
{
    const uint32_t size = document.header.dataSize;
    if (historyOff(document) || !multiLevel() || !insideData(document, start, length))
        return false;
    const uint32_t tail = size - start - length;
    SampleBuffer cut = SampleBuffer::allocate(std::size_t(start) + tail);
    if (cut.isNull())
        return false;
    std::memcpy(cut.data(), document.samples.data(), start);
    std::memcpy(cut.data() + start, document.samples.data() + start + length, tail);
    openStep(document);
    record(document, start, length, UndoCropped, "Crop");
    document.undo.savedLength = start + tail;
    document.undo.savedBytes = std::move(cut);
    return true;
}

void UndoStore::finish(WaveDocument& document, bool recorded, bool changed)
{
    if (changed && !recorded) {
        forbid(document);
        document.undo.savedBytes.reset();
    } else if (!changed && recorded)
        withdraw(document);
}

bool UndoStore::restore(WaveDocument& document, const std::function<void()>& betweenPieces)
{
    if (!isPossible(document))
        return false;
    const bool keepRedo = multiLevel();
    const StepOutcome outcome = applyStep(document, document.undo, keepRedo, betweenPieces);
    if (outcome == StepOutcome::Failed)
        return false;
    if (outcome == StepOutcome::Misfit) {
        document.undo.savedBytes.reset();
        forbid(document);
        return false;
    }
    if (keepRedo) {
        park(document.undo);
        document.history.redo.push_back(std::move(document.undo));
    }
    bringBackOlder(document);
    keepWithinBudgets(document.history, false);
    return true;
}

bool UndoStore::redo(WaveDocument& document, const std::function<void()>& betweenPieces)
{
    std::deque<UndoRecord>& steps = document.history.redo;
    if (steps.empty())
        return false;
    const StepOutcome outcome = applyStep(document, steps.back(), true, betweenPieces);
    if (outcome == StepOutcome::Failed)
        return false;
    if (outcome == StepOutcome::Misfit) {
        forbid(document);
        return false;
    }
    UndoRecord step = std::move(steps.back());
    steps.pop_back();
    pushNewest(document, std::move(step));
    return true;
}

bool UndoStore::revert(WaveDocument& document)
{
    if (!isPossible(document))
        return false;
    const StepOutcome outcome = applyStep(document, document.undo, false);
    if (outcome == StepOutcome::Failed)
        return false;
    if (outcome == StepOutcome::Misfit) {
        document.undo = UndoRecord {};
        forbid(document);
        return false;
    }
    bringBackOlder(document);
    return true;
}

void UndoStore::withdraw(WaveDocument& document)
{
    bringBackOlder(document);
}

const char* UndoStore::description(const WaveDocument& document)
{
    return isPossible(document) ? document.undo.description.c_str() : nullptr;
}

const char* UndoStore::redoDescription(const WaveDocument& document)
{
    return isRedoPossible(document) ? document.history.redo.back().description.c_str() : nullptr;
}

void UndoStore::forbid(WaveDocument& document)
{
    clear(document.undo);
    document.history.older.clear();
    document.history.redo.clear();
}

} // namespace kx
