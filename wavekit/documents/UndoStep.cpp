#include "UndoStep.h"

#include "UndoBytes.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    bool insideData(const WaveDocument& document, uint64_t start, uint64_t length)
    {
        return start + length <= document.header.dataSize && start + length <= document.samples.size();
    }

    void clampMark(WaveDocument& document)
    {
        MarkRecord& mark = document.mark;
        mark.markStart = std::min(mark.markStart, document.header.dataSize);
        mark.markLength = std::min(mark.markLength, document.header.dataSize - mark.markStart);
    }

    /// The copy of [start, start + length) that the inverse step needs; null when memory is short.
    SampleBuffer copyOut(const WaveDocument& document, uint32_t start, uint32_t length)
    {
        return SampleBuffer::copyOf({ document.samples.data() + start, length });
    }

    /// Puts `with` in place of the `present` bytes at `start`. False, with nothing changed, when
    /// the block cannot grow.
    bool replaceBytes(WaveDocument& document, uint32_t start, uint32_t present, std::span<const uint8_t> with)
    {
        const uint32_t oldSize = document.header.dataSize;
        const uint64_t newSize = uint64_t(oldSize) - present + with.size();
        if (newSize > UINT32_MAX - 36)
            return false;
        if (newSize > oldSize && !document.samples.resize(newSize))
            return false;
        uint8_t* data = document.samples.data();
        if (present != with.size())
            std::memmove(data + start + with.size(), data + start + present, oldSize - start - present);
        if (!with.empty())
            std::memcpy(data + start, with.data(), with.size());
        if (newSize < oldSize && !document.samples.resize(newSize))
            document.samples.truncate(newSize); // the larger block stays in use, which is harmless
        document.header.setDataSize(uint32_t(newSize));
        return true;
    }

    /// Puts `saved` at `at`, exchanging the two with `keepInverse`, a piece at a time through the
    /// cache; a document changed in place stays whole between pieces, so its lock may be let go.
    void putBack(
        uint8_t* at, uint8_t* saved, std::size_t length, bool keepInverse, const std::function<void()>& betweenPieces)
    {
        constexpr std::size_t kPiece = 64 * 1024;
        constexpr std::size_t kPiecesPerBlock = 8;
        uint8_t piece[kPiece];
        std::size_t pieces = 0;
        for (std::size_t done = 0; done < length; done += kPiece) {
            if (betweenPieces && done != 0 && ++pieces % kPiecesPerBlock == 0)
                betweenPieces();
            const std::size_t n = std::min(kPiece, length - done);
            if (keepInverse)
                std::memcpy(piece, at + done, n);
            std::memcpy(at + done, saved + done, n);
            if (keepInverse)
                std::memcpy(saved + done, piece, n);
        }
    }

    StepOutcome changed(
        WaveDocument& document, UndoRecord& step, bool keepInverse, const std::function<void()>& betweenPieces)
    {
        if (step.savedBytes.size() != step.undoLength || !insideData(document, step.undoStart, step.undoLength))
            return StepOutcome::Misfit;
        if (step.undoLength == 0)
            return StepOutcome::Done;
        putBack(document.samples.data() + step.undoStart, step.savedBytes.data(), step.undoLength, keepInverse,
            betweenPieces);
        return StepOutcome::Done;
    }

    StepOutcome removeInserted(WaveDocument& document, UndoRecord& step, bool keepInverse)
    {
        if (step.undoLength != 0) {
            if (!insideData(document, step.undoStart, step.undoLength))
                return StepOutcome::Misfit;
            if (keepInverse) {
                step.savedBytes = copyOut(document, step.undoStart, step.undoLength);
                if (step.savedBytes.isNull())
                    return StepOutcome::Failed;
            }
            replaceBytes(document, step.undoStart, step.undoLength, {});
        }
        document.mark.markStart = step.undoStart;
        document.mark.markLength = 0;
        step.undoKind = UndoDeleted;
        return StepOutcome::Done;
    }

    StepOutcome insertDeleted(WaveDocument& document, UndoRecord& step)
    {
        const uint32_t oldSize = document.header.dataSize;
        if (step.undoLength == 0 || step.savedBytes.size() < step.undoLength || step.undoStart > oldSize)
            return StepOutcome::Failed;
        if (!replaceBytes(document, step.undoStart, 0, step.savedBytes.bytes().first(step.undoLength)))
            return StepOutcome::Failed;
        document.mark.markStart = std::min(document.mark.markStart, oldSize);
        step.savedBytes.reset();
        step.undoKind = UndoInserted;
        return StepOutcome::Done;
    }

    StepOutcome replaced(WaveDocument& document, UndoRecord& step, bool keepInverse)
    {
        if (step.savedBytes.size() != step.savedLength || !insideData(document, step.undoStart, step.undoLength))
            return StepOutcome::Misfit;
        SampleBuffer present;
        if (keepInverse && step.undoLength != 0) {
            present = copyOut(document, step.undoStart, step.undoLength);
            if (present.isNull())
                return StepOutcome::Failed;
        }
        if (!replaceBytes(document, step.undoStart, step.undoLength, step.savedBytes.bytes()))
            return StepOutcome::Failed;
        std::swap(step.undoLength, step.savedLength);
        step.savedBytes = std::move(present);
        clampMark(document);
        return StepOutcome::Done;
    }

    StepOutcome uncrop(WaveDocument& document, UndoRecord& step)
    {
        const uint32_t head = step.undoStart;
        const uint32_t kept = step.undoLength;
        if (document.header.dataSize != kept || step.savedBytes.size() != step.savedLength || head > step.savedLength)
            return StepOutcome::Misfit;
        const uint64_t whole = uint64_t(kept) + step.savedLength;
        if (whole > UINT32_MAX - 36 || !document.samples.resize(whole))
            return StepOutcome::Failed;
        uint8_t* data = document.samples.data();
        std::memmove(data + head, data, kept);
        std::memcpy(data, step.savedBytes.data(), head);
        std::memcpy(data + head + kept, step.savedBytes.data() + head, step.savedLength - head);
        document.header.setDataSize(uint32_t(whole));
        document.mark.markStart = head;
        document.mark.markLength = kept;
        step.savedBytes.reset();
        step.undoKind = UndoUncropped;
        return StepOutcome::Done;
    }

    StepOutcome crop(WaveDocument& document, UndoRecord& step)
    {
        const uint32_t head = step.undoStart;
        const uint32_t kept = step.undoLength;
        if (uint64_t(kept) + step.savedLength != document.header.dataSize || head > step.savedLength
            || !insideData(document, 0, document.header.dataSize))
            return StepOutcome::Misfit;
        SampleBuffer cut = SampleBuffer::allocate(step.savedLength);
        if (cut.isNull() && step.savedLength != 0)
            return StepOutcome::Failed;
        uint8_t* data = document.samples.data();
        std::memcpy(cut.data(), data, head);
        std::memcpy(cut.data() + head, data + head + kept, step.savedLength - head);
        std::memmove(data, data + head, kept);
        if (!document.samples.resize(kept))
            document.samples.truncate(kept);
        document.header.setDataSize(kept);
        document.mark.markStart = kept;
        document.mark.markLength = 0;
        step.savedBytes = std::move(cut);
        step.undoKind = UndoCropped;
        return StepOutcome::Done;
    }

    StepOutcome applyBytes(
        WaveDocument& document, UndoRecord& step, bool keepInverse, const std::function<void()>& betweenPieces)
    {
        switch (step.undoKind) {
        case UndoChanged:
            return changed(document, step, keepInverse, betweenPieces);
        case UndoInserted:
            return removeInserted(document, step, keepInverse);
        case UndoDeleted:
            return insertDeleted(document, step);
        case UndoReplaced:
            return replaced(document, step, keepInverse);
        case UndoCropped:
            return uncrop(document, step);
        case UndoUncropped:
            return crop(document, step);
        default:
            return StepOutcome::Misfit;
        }
    }

} // namespace

StepOutcome applyStep(
    WaveDocument& document, UndoRecord& step, bool keepInverse, const std::function<void()>& betweenPieces)
{
    if (step.keptBytes) {
        SampleBuffer bytes = step.keptBytes->take();
        if (bytes.isNull() && step.keptBytes->size() != 0)
            return StepOutcome::Failed;
        step.savedBytes = std::move(bytes);
        step.keptBytes.reset();
    }
    const StepOutcome outcome = applyBytes(document, step, keepInverse, betweenPieces);
    if (outcome == StepOutcome::Done && step.formerHeader) {
        const WaveHeader current = document.header;
        document.header = *step.formerHeader;
        document.header.setDataSize(current.dataSize);
        step.formerHeader = current;
        clampMark(document);
    }
    if (outcome == StepOutcome::Done && !keepInverse)
        step.savedBytes.reset();
    return outcome;
}

} // namespace kx
