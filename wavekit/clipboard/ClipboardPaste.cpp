#include "ClipboardPaste.h"

#include "MixSamples.h"
#include "documents/PcmFormat.h"
#include "documents/UndoStore.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    constexpr const char* kPasteName = "Paste From Clipboard";

    /// Sizes beyond this no longer fit the 32-bit RIFF size.
    constexpr uint64_t kLargestData = UINT32_MAX - 36;

    /// Why a clipboard cannot go into a document with data: another format, or nothing in it.
    EditStatus refusalOf(const WaveDocument& document, const ClipboardSource& clip)
    {
        if (PcmFormat::of(document.header) != PcmFormat::of(clip.header()))
            return EditStatus::IncompatibleFormat;
        return clip.header().dataSize == 0 ? EditStatus::NothingToDo : EditStatus::Done;
    }

    /// The cursor, brought inside the data.
    uint32_t insertionPoint(WaveDocument& document)
    {
        document.mark.markStart = std::min(document.mark.markStart, document.header.dataSize);
        return document.mark.markStart;
    }

    void shrinkTo(SampleBuffer& samples, std::size_t size)
    {
        if (!samples.resize(size))
            samples.truncate(size); // the larger block stays in use, which is harmless
    }

} // namespace

EditStatus takeClipboard(WaveDocument& document, ClipboardSource& clip)
{
    const uint32_t length = clip.header().dataSize;
    SampleBuffer samples = SampleBuffer::allocate(length);
    if (samples.isNull())
        return EditStatus::OutOfMemory;
    if (!clip.read(samples.bytes()))
        return EditStatus::CannotRead;
    document.header = clip.header();
    document.header.setDataSize(length);
    document.samples = std::move(samples);
    document.mark.markStart = 0;
    document.mark.markLength = 0;
    UndoStore::save(document, 0, length, UndoInserted, kPasteName);
    document.info.saved = 0;
    return EditStatus::Done;
}

EditStatus pasteClipboard(WaveDocument& document, ClipboardSource& clip)
{
    if (const EditStatus refusal = refusalOf(document, clip); refusal != EditStatus::Done)
        return refusal;
    const uint32_t length = clip.header().dataSize;
    const uint32_t oldSize = document.header.dataSize;
    if (uint64_t(oldSize) + length > kLargestData || !document.samples.resize(std::size_t(oldSize) + length))
        return EditStatus::OutOfMemory;

    const uint32_t start = std::min(document.mark.markStart, oldSize);
    uint8_t* data = document.samples.data();
    std::memmove(data + start + length, data + start, oldSize - start);
    // The clipboard goes straight into the gap: no second copy of it is ever held.
    if (!clip.read({ data + start, length })) {
        std::memmove(data + start, data + start + length, oldSize - start);
        shrinkTo(document.samples, oldSize);
        return EditStatus::CannotRead;
    }
    insertionPoint(document);
    document.header.setDataSize(oldSize + length);
    UndoStore::save(document, start, length, UndoInserted, kPasteName);
    document.info.saved = 0;
    return EditStatus::Done;
}

EditStatus mixClipboard(WaveDocument& document, ClipboardSource& clip, float gain)
{
    if (const EditStatus refusal = refusalOf(document, clip); refusal != EditStatus::Done)
        return refusal;
    const uint32_t length = clip.header().dataSize;
    const uint32_t oldSize = document.header.dataSize;
    const uint32_t start = std::min(document.mark.markStart, oldSize);
    const uint64_t end = uint64_t(start) + length;
    if (end > kLargestData)
        return EditStatus::OutOfMemory;

    // The whole clipboard is read before anything changes, so a failed read leaves no half-mixed
    // document behind.
    SampleBuffer mixed = SampleBuffer::allocate(length);
    if (mixed.isNull())
        return EditStatus::OutOfMemory;
    if (!clip.read(mixed.bytes()))
        return EditStatus::CannotRead;
    const bool sixteenBit = document.header.wBitsPerSample == 16;
    if (end > oldSize) {
        if (!document.samples.resize(std::size_t(end)))
            return EditStatus::OutOfMemory;
        std::memset(document.samples.data() + oldSize, sixteenBit ? 0 : 128, std::size_t(end - oldSize));
        document.header.setDataSize(uint32_t(end));
    }
    insertionPoint(document);

    uint8_t* data = document.samples.data();
    if (sixteenBit) {
        // Sample-wise from the sample that holds the cursor.
        const std::size_t first = start / 2;
        const std::size_t count = length / 2;
        mixSamples(std::span(reinterpret_cast<int16_t*>(data) + first, count),
            std::span(reinterpret_cast<const int16_t*>(mixed.data()), count), gain);
    } else {
        mixSamples(std::span(data + start, length), mixed.bytes(), gain);
    }
    UndoStore::forbid(document);
    document.info.saved = 0;
    return EditStatus::Done;
}

} // namespace kx
