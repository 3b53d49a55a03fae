#include "ConvertedClipboard.h"

#include "FormatConverter.h"

namespace kx {

ConvertStatus ConvertedClipboard::load(ClipboardSource& clip, const WaveHeader& document)
{
    hold(WaveHeader {}, SampleBuffer {});
    FormatConverter converter(PcmFormat::of(clip.header()), PcmFormat::of(document));
    if (!converter.isReady())
        return ConvertStatus::CannotConvert;
    const uint64_t size = converter.targetSize(clip.header().dataSize);
    if (size > UINT32_MAX - 36)
        return ConvertStatus::OutOfMemory;
    SampleBuffer source = SampleBuffer::allocate(clip.header().dataSize);
    SampleBuffer target = SampleBuffer::allocate(std::size_t(size));
    if (source.isNull() || target.isNull())
        return ConvertStatus::OutOfMemory;
    if (!clip.read(source.bytes()) || !converter.convert(source.bytes(), target.bytes()))
        return ConvertStatus::CannotConvert;
    hold(document, std::move(target));
    return ConvertStatus::Converted;
}

} // namespace kx
