#include "UndoStore.h"

#include <cstring>

namespace kx {

namespace {

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

    // A block for the copy of [start, start + length). The earlier copy's block is reused: its pages
    // are already mapped, which makes copying a large range about twice as fast as into fresh memory.
    std::span<uint8_t> reserveCopy(
        WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description)
    {
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
        clear(document.undo);
        return {};
    }

    // Removes inserted bytes; a failed shrink keeps the larger block, which is harmless.
    bool removeInserted(WaveDocument& document)
    {
        UndoRecord& undo = document.undo;
        if (undo.undoLength != 0) {
            if (!insideData(document, undo.undoStart, undo.undoLength))
                return false;
            const uint32_t newSize = document.header.dataSize - undo.undoLength;
            uint8_t* data = document.samples.data();
            std::memmove(data + undo.undoStart, data + undo.undoStart + undo.undoLength, newSize - undo.undoStart);
            if (!document.samples.resize(newSize))
                document.samples.truncate(newSize);
            document.header.setDataSize(newSize);
        }
        document.mark.markStart = undo.undoStart;
        document.mark.markLength = 0;
        clear(undo);
        return true;
    }

    bool insertDeleted(WaveDocument& document)
    {
        UndoRecord& undo = document.undo;
        const uint32_t oldSize = document.header.dataSize;
        if (undo.undoLength == 0 || undo.savedBytes.size() < undo.undoLength || undo.undoStart > oldSize)
            return false;
        if (uint64_t(oldSize) + undo.undoLength > UINT32_MAX - 36)
            return false;
        if (!document.samples.resize(std::size_t(oldSize) + undo.undoLength))
            return false;
        if (document.mark.markStart > oldSize)
            document.mark.markStart = oldSize;
        document.header.setDataSize(oldSize + undo.undoLength);
        uint8_t* data = document.samples.data();
        std::memmove(data + undo.undoStart + undo.undoLength, data + undo.undoStart, oldSize - undo.undoStart);
        std::memcpy(data + undo.undoStart, undo.savedBytes.data(), undo.undoLength);
        undo.savedBytes.reset();
        clear(undo);
        return true;
    }

} // namespace

bool UndoStore::save(
    WaveDocument& document, uint32_t start, uint32_t length, UndoKind kind, std::string_view description)
{
    if (kind != UndoChanged && kind != UndoDeleted) {
        record(document, start, length, kind, description);
        document.undo.savedBytes.reset();
        return true;
    }
    const std::span<uint8_t> copy = reserveCopy(document, start, length, kind, description);
    if (copy.size() != length)
        return false;
    if (length != 0)
        std::memcpy(copy.data(), document.samples.data() + start, length);
    return true;
}

std::span<uint8_t> UndoStore::reserve(
    WaveDocument& document, uint32_t start, uint32_t length, std::string_view description)
{
    return reserveCopy(document, start, length, UndoChanged, description);
}

bool UndoStore::restore(WaveDocument& document)
{
    UndoRecord& undo = document.undo;
    switch (undo.undoKind) {
    case UndoChanged: {
        const bool fits
            = undo.savedBytes.size() == undo.undoLength && insideData(document, undo.undoStart, undo.undoLength);
        if (fits && undo.undoLength != 0)
            std::memcpy(document.samples.data() + undo.undoStart, undo.savedBytes.data(), undo.undoLength);
        undo.savedBytes.reset();
        clear(undo);
        return fits;
    }
    case UndoInserted:
        return removeInserted(document);
    case UndoDeleted:
        return insertDeleted(document);
    default:
        return false;
    }
}

const char* UndoStore::description(const WaveDocument& document)
{
    return isPossible(document) ? document.undo.description.c_str() : nullptr;
}

void UndoStore::forbid(WaveDocument& document)
{
    clear(document.undo);
}

} // namespace kx
