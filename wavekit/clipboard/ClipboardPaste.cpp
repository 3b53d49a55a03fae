#include "ClipboardPaste.h"

#include "MixSamples.h"
#include "documents/PcmFormat.h"
#include "documents/UndoStore.h"
#include "filters/ScaleTable.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace kx {

namespace {

    constexpr const char* kPasteName = "Paste From Clipboard";

    /// Sizes beyond this no longer fit the 32-bit RIFF size.
    constexpr uint64_t kLargestData = UINT32_MAX - 36;

    /// A mix reads and mixes this many bytes at a time: small enough to stay in the cache.
    constexpr std::size_t kMixPiece = 64 * 1024;

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

    /// The built samples become the document's.
    void takeSamples(WaveDocument& document, IncomingSamples& built)
    {
        document.samples = std::move(built.samples);
        document.header.setDataSize(uint32_t(document.samples.size()));
    }

    /// After `length` bytes went in at `start`: the cursor inside the data as it was, undo and
    /// the flag.
    void finishPaste(WaveDocument& document, uint32_t start, uint32_t length)
    {
        document.mark.markStart = std::min(document.mark.markStart, document.header.dataSize - length);
        UndoStore::save(document, start, length, UndoInserted, kPasteName);
        document.info.saved = 0;
    }

    void shrinkTo(SampleBuffer& samples, std::size_t size)
    {
        if (!samples.resize(size))
            samples.truncate(size); // the larger block stays in use, which is harmless
    }

} // namespace

EditStatus buildTake(ClipboardSource& clip, IncomingSamples& built)
{
    const uint32_t length = clip.header().dataSize;
    built.samples = SampleBuffer::allocate(length);
    if (built.samples.isNull())
        return EditStatus::OutOfMemory;
    if (!clip.read(built.samples.bytes()))
        return EditStatus::CannotRead;
    built.header = clip.header();
    built.start = 0;
    built.length = length;
    return EditStatus::Done;
}

void commitTake(WaveDocument& document, IncomingSamples& built)
{
    document.header = built.header;
    document.header.setDataSize(built.length);
    document.samples = std::move(built.samples);
    document.mark.markStart = 0;
    document.mark.markLength = 0;
    UndoStore::save(document, 0, built.length, UndoInserted, kPasteName);
    document.info.saved = 0;
}

EditStatus takeClipboard(WaveDocument& document, ClipboardSource& clip)
{
    IncomingSamples built;
    const EditStatus status = buildTake(clip, built);
    if (status == EditStatus::Done)
        commitTake(document, built);
    return status;
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
    document.header.setDataSize(oldSize + length);
    finishPaste(document, start, length);
    return EditStatus::Done;
}

EditStatus buildPaste(const WaveDocument& document, uint32_t cursor, ClipboardSource& clip, IncomingSamples& built)
{
    if (const EditStatus refusal = refusalOf(document, clip); refusal != EditStatus::Done)
        return refusal;
    const uint32_t length = clip.header().dataSize;
    const uint32_t oldSize = document.header.dataSize;
    if (uint64_t(oldSize) + length > kLargestData)
        return EditStatus::OutOfMemory;
    SampleBuffer samples = SampleBuffer::allocate(std::size_t(oldSize) + length);
    if (samples.isNull())
        return EditStatus::OutOfMemory;
    const uint32_t start = std::min(cursor, oldSize);
    const uint8_t* old = document.samples.data();
    uint8_t* data = samples.data();
    std::memcpy(data, old, start);
    if (!clip.read({ data + start, length }))
        return EditStatus::CannotRead;
    std::memcpy(data + start + length, old + start, oldSize - start);
    built = { std::move(samples), document.header, start, length };
    return EditStatus::Done;
}

void commitPaste(WaveDocument& document, IncomingSamples& built)
{
    takeSamples(document, built);
    finishPaste(document, built.start, built.length);
}

EditStatus mixClipboard(WaveDocument& document, ClipboardSource& clip, float gain)
{
    IncomingSamples built;
    const EditStatus status = buildMix(document, document.mark.markStart, clip, gain, built);
    if (status == EditStatus::Done)
        commitMix(document, built);
    return status;
}

EditStatus buildMix(
    const WaveDocument& document, uint32_t cursor, ClipboardSource& clip, float gain, IncomingSamples& built)
{
    if (const EditStatus refusal = refusalOf(document, clip); refusal != EditStatus::Done)
        return refusal;
    const uint32_t length = clip.header().dataSize;
    const uint32_t oldSize = document.header.dataSize;
    const uint32_t start = std::min(cursor, oldSize);
    const uint64_t end = uint64_t(start) + length;
    if (end > kLargestData)
        return EditStatus::OutOfMemory;

    // The mixed document is built in a new block, the clipboard read a piece at a time straight
    // into its place there and mixed there. The document itself is not touched until the whole
    // clipboard has been read, so a failed read changes nothing.
    const std::size_t newSize = std::max<std::size_t>(oldSize, std::size_t(end));
    SampleBuffer mixed = SampleBuffer::allocate(newSize);
    if (mixed.isNull())
        return EditStatus::OutOfMemory;
    const bool sixteenBit = document.header.wBitsPerSample == 16;
    const uint8_t silence = sixteenBit ? 0 : 128;
    // 16-bit sound is mixed sample-wise from the sample that holds the cursor.
    const std::size_t first = sixteenBit ? start & ~1u : start;
    const std::size_t mixedLength = sixteenBit ? length & ~1u : length;
    const uint8_t* old = document.samples.data();
    uint8_t* out = mixed.data();

    // What the clipboard is mixed with: the document's bytes, silence past its end.
    std::vector<uint8_t> silent(kMixPiece, silence);
    auto underlying = [&](std::size_t at, std::size_t count) -> const uint8_t* {
        if (at >= oldSize)
            return silent.data();
        if (at + count > oldSize) {
            // The piece that reaches past the end: a copy, topped up with silence.
            std::memcpy(silent.data(), old + at, oldSize - at);
            return silent.data();
        }
        return old + at;
    };
    const ScaleTable scale(gain);
    auto mixPiece = [&](std::size_t done) {
        const std::size_t count = std::min(kMixPiece, mixedLength - done);
        uint8_t* piece = out + first + done;
        const uint8_t* under = underlying(first + done, count);
        // The mean is symmetric, so the clipboard's bytes may be the target.
        if (sixteenBit)
            mixSamples(std::span(reinterpret_cast<int16_t*>(piece), count / 2),
                std::span(reinterpret_cast<const int16_t*>(under), count / 2), scale);
        else
            mixSamples(std::span(piece, count), std::span(under, count), gain);
        if (under == silent.data() && first + done < oldSize)
            std::fill(silent.begin(), silent.end(), silence);
    };

    // The pieces are mixed on a second thread while the next ones are read, each soon enough
    // to find it in the cache. Without that thread this one mixes each piece after reading it.
    constexpr std::size_t kFailed = SIZE_MAX;
    std::atomic<std::size_t> readUpTo { 0 };
    std::thread mixer;
    try {
        mixer = std::thread([&] {
            for (std::size_t done = 0; done < mixedLength;) {
                std::size_t ready;
                while ((ready = readUpTo.load(std::memory_order_acquire)) == done)
                    readUpTo.wait(done, std::memory_order_acquire);
                if (ready == kFailed)
                    return;
                for (; done < ready; done += kMixPiece)
                    mixPiece(done);
            }
        });
    } catch (const std::system_error&) {
    }
    std::memcpy(out, old, first);
    for (std::size_t done = 0; done < mixedLength; done += kMixPiece) {
        const std::size_t count = std::min(kMixPiece, mixedLength - done);
        if (!clip.read({ out + first + done, count })) {
            if (mixer.joinable()) {
                readUpTo.store(kFailed, std::memory_order_release);
                readUpTo.notify_one();
                mixer.join();
            }
            return EditStatus::CannotRead;
        }
        if (mixer.joinable()) {
            readUpTo.store(done + count, std::memory_order_release);
            readUpTo.notify_one();
        } else {
            mixPiece(done);
        }
    }
    if (mixer.joinable())
        mixer.join();
    // An odd byte a 16-bit mix leaves out is still read, as it is part of the clipboard.
    uint8_t unused[1];
    if (mixedLength != length && !clip.read({ unused, length - mixedLength }))
        return EditStatus::CannotRead;
    const std::size_t after = first + mixedLength;
    if (after < oldSize)
        std::memcpy(out + after, old + after, oldSize - after);
    if (newSize > std::max<std::size_t>(after, oldSize))
        std::memset(
            out + std::max<std::size_t>(after, oldSize), silence, newSize - std::max<std::size_t>(after, oldSize));

    built = { std::move(mixed), document.header, start, length };
    return EditStatus::Done;
}

void commitMix(WaveDocument& document, IncomingSamples& built)
{
    // The mix changed the clipboard's length from the cursor's sample on, growing the data where it
    // reached past the end.
    const uint32_t oldSize = document.header.dataSize;
    const uint32_t first = built.start & ~1u;
    const uint32_t end = built.start + built.length;
    const bool recorded
        = UndoStore::saveReplace(document, first, std::min(end, oldSize) - first, end - first, "Mix from Clipboard");
    takeSamples(document, built);
    insertionPoint(document);
    UndoStore::finish(document, recorded, true);
    document.info.saved = 0;
}

} // namespace kx
