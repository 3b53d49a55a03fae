#include "DocumentCuts.h"

#include "documents/UndoStore.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    /// The mark, cut to the data, as [start, start + length).
    struct Range {
        uint32_t start;
        uint32_t length;
    };

    Range markedRange(const WaveDocument& document)
    {
        const uint32_t dataSize = document.header.dataSize;
        const uint32_t start = std::min(document.mark.markStart, dataSize);
        return { start, std::min(document.mark.markLength, dataSize - start) };
    }

    void shrinkTo(WaveDocument& document, uint32_t size)
    {
        if (!document.samples.resize(size))
            document.samples.truncate(size); // the larger block stays in use, which is harmless
        document.header.setDataSize(size);
    }

} // namespace

EditStatus eraseMark(WaveDocument& document)
{
    const Range mark = markedRange(document);
    if (mark.length == 0)
        return EditStatus::NothingToDo;
    UndoStore::save(document, mark.start, mark.length, UndoDeleted, "Delete");
    const uint32_t newSize = document.header.dataSize - mark.length;
    uint8_t* data = document.samples.data();
    std::memmove(data + mark.start, data + mark.start + mark.length, newSize - mark.start);
    shrinkTo(document, newSize);
    document.mark.markStart = mark.start;
    document.mark.markLength = 0;
    document.info.saved = 0;
    return EditStatus::Done;
}

EditStatus cropToMark(WaveDocument& document)
{
    const Range mark = markedRange(document);
    if (document.header.dataSize == 0 || mark.length == 0)
        return EditStatus::NothingToDo;
    const bool recorded = UndoStore::saveCrop(document, mark.start, mark.length);
    if (mark.start != 0)
        std::memmove(document.samples.data(), document.samples.data() + mark.start, mark.length);
    shrinkTo(document, mark.length);
    document.mark.markStart = mark.length;
    document.mark.markLength = 0;
    UndoStore::finish(document, recorded, true);
    document.info.saved = 0;
    return EditStatus::Done;
}

EditStatus copyMarkTo(WaveDocument& document, uint32_t target)
{
    const Range mark = markedRange(document);
    const uint32_t oldSize = document.header.dataSize;
    if ((target > mark.start && target < mark.start + mark.length) || target > oldSize)
        return EditStatus::Refused;
    if (mark.length == 0)
        return EditStatus::NothingToDo;
    if (uint64_t(oldSize) + mark.length > UINT32_MAX - 36
        || !document.samples.resize(std::size_t(oldSize) + mark.length))
        return EditStatus::OutOfMemory;

    uint8_t* data = document.samples.data();
    std::memmove(data + target + mark.length, data + target, oldSize - target);
    // The marked bytes moved up with the rest when they lay at or after the target.
    const uint32_t source = mark.start >= target ? mark.start + mark.length : mark.start;
    std::memcpy(data + target, data + source, mark.length);
    document.header.setDataSize(oldSize + mark.length);
    UndoStore::save(document, target, mark.length, UndoInserted, "Paste From Same File");
    document.mark.markStart = target;
    document.mark.markLength = 0;
    document.info.saved = 0;
    return EditStatus::Done;
}

} // namespace kx
