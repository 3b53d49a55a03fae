#include "ChannelSplit.h"

#include "NewDocument.h"

#include <algorithm>

namespace kx {

namespace {

    std::string channelName(const std::string& fileName, Channel channel)
    {
        const std::string suffix = channel == Channel::Left ? " - Left" : " - Right";
        const std::size_t slash = fileName.rfind('/');
        const std::size_t dot = fileName.rfind('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        return hasExtension ? fileName.substr(0, dot) + suffix + fileName.substr(dot) : fileName + suffix + ".WAV";
    }

} // namespace

std::optional<WaveDocument> documentOfChannel(const WaveDocument& source, Channel channel)
{
    const WaveHeader& header = source.header;
    const std::size_t bytesPerSample = header.wBitsPerSample / 8;
    if (header.nChannels != 2 || bytesPerSample == 0)
        return std::nullopt;
    const std::size_t frames = source.samples.size() / (2 * bytesPerSample);
    SampleBuffer samples = SampleBuffer::allocate(frames * bytesPerSample);
    if (frames > 0 && samples.isNull())
        return std::nullopt;
    const uint8_t* from = source.samples.data() + std::size_t(channel) * bytesPerSample;
    uint8_t* to = samples.data();
    for (std::size_t frame = 0; frame < frames; ++frame, from += 2 * bytesPerSample, to += bytesPerSample)
        std::copy(from, from + bytesPerSample, to);

    NewFileFormat format;
    format.samplesPerSec = header.nSamplesPerSec;
    format.bitsPerSample = header.wBitsPerSample;
    format.channels = 1;
    format.blockAlign = uint16_t(bytesPerSample);
    format.avgBytesPerSec = uint32_t(header.nSamplesPerSec * bytesPerSample);
    WaveDocument document = makeNewDocument(format, 0, uint16_t(source.mark.zoom));
    document.header.setDataSize(uint32_t(samples.size()));
    document.samples = std::move(samples);
    document.texts = source.texts;
    document.info.fileName = channelName(source.info.fileName, channel);
    document.info.saved = 0; // new content that exists in no file yet
    return document;
}

} // namespace kx
