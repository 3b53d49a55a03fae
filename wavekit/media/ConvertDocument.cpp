#include "ConvertDocument.h"

#include "FormatConverter.h"
#include "documents/MarkOnFrames.h"
#include "documents/UndoStore.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kx {

const char* convertMessage(ConvertStatus status)
{
    return status == ConvertStatus::CannotConvert ? "COULD NOT CONVERT" : "";
}

ConvertStatus convertDocument(WaveDocument& document, const PcmFormat& target)
{
    WaveHeader& header = document.header;
    if (header.dataSize == 0 || document.samples.isNull())
        return ConvertStatus::NothingToConvert;
    const PcmFormat before = PcmFormat::of(header);
    FormatConverter converter(before, target);
    if (!converter.isReady() || (header.wBitsPerSample != 8 && header.wBitsPerSample != 16))
        return ConvertStatus::CannotConvert;
    const uint64_t size = converter.targetSize(header.dataSize);
    if (size > std::numeric_limits<uint32_t>::max() - 36)
        return ConvertStatus::OutOfMemory;
    SampleBuffer converted = SampleBuffer::allocate(std::size_t(size));
    if (converted.isNull() && size > 0)
        return ConvertStatus::OutOfMemory;
    const std::span<const uint8_t> source(
        document.samples.data(), std::min<std::size_t>(header.dataSize, document.samples.size()));
    if (!converter.convert(source, converted.bytes()))
        return ConvertStatus::CannotConvert;

    const WaveHeader formerHeader = header;
    target.applyTo(header);
    header.setDataSize(uint32_t(size));
    SampleBuffer formerSamples = std::exchange(document.samples, std::move(converted));
    document.mark = markAfterConversion(document.mark, before, target, header.dataSize);
    // The old samples go to the history whole: they are out of the document already.
    const bool recorded = UndoStore::saveReplaced(document, std::move(formerSamples), formerHeader, "Convert");
    UndoStore::finish(document, recorded, true);
    document.info.saved = 0;
    return ConvertStatus::Converted;
}

ConvertStatus convertWavFile(const WavStreamReader& source, const std::string& path, const PcmFormat& target,
    const WavWriteOptions& options, StreamStatus& io)
{
    const WaveHeader& header = source.header();
    FormatConverter converter(PcmFormat::of(header), target);
    if (!converter.isReady())
        return ConvertStatus::CannotConvert;
    const uint64_t size = converter.targetSize(header.dataSize);
    if (size > std::numeric_limits<uint32_t>::max() - 36)
        return ConvertStatus::OutOfMemory;
    WaveHeader converted;
    target.applyTo(converted);
    converted.setDataSize(uint32_t(size));
    WavStreamWriter writer(path, converted, options);
    uint64_t offset = 0;
    const bool done = converter.convert(
        header.dataSize, size,
        [&](std::span<uint8_t> piece) {
            if (!source.read(offset, piece)) {
                io.read = WavReadStatus::CannotAscend;
                return false;
            }
            offset += piece.size();
            return true;
        },
        [&](std::span<const uint8_t> piece) { return writer.write(piece); });
    io.write = done ? writer.commit() : writer.status();
    return done || !io.ok() ? ConvertStatus::Converted : ConvertStatus::CannotConvert;
}

} // namespace kx
