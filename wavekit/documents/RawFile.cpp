#include "RawFile.h"

#include <limits>

namespace kx {

WavReadStatus readRawFile(RiffFile& file, const PcmFormat& format, WavFileContents& contents)
{
    const uint64_t length = file.fileSize() - file.fileSize() % format.blockAlign();
    // The data size and the RIFF size after it are 32-bit numbers.
    if (length > std::numeric_limits<uint32_t>::max() - 36)
        return WavReadStatus::OutOfMemory;
    SampleBuffer samples = SampleBuffer::allocate(std::size_t(length));
    if (samples.isNull())
        return WavReadStatus::OutOfMemory;
    if (length > 0 && file.read(samples.data(), std::size_t(length)) != int64_t(length))
        return WavReadStatus::CannotAscend;
    contents.header = WaveHeader {};
    format.applyTo(contents.header);
    contents.header.setDataSize(uint32_t(length));
    contents.samples = std::move(samples);
    contents.texts = FileTextInfo {};
    contents.dataCutShort = false;
    return WavReadStatus::Ok;
}

} // namespace kx
