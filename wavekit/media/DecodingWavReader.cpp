#include "DecodingWavReader.h"

#include "MediaDecoder.h"

namespace kx {

WavReadStatus readWavDecoding(const std::string& path, WavFileContents& contents, const WavReadOptions& options)
{
    const WavReadStatus status = readWavFile(path, contents, options);
    if (status != WavReadStatus::NeedsDecoder)
        return status;
    DecodeRequest request;
    request.bits = 16;
    request.keepPcmBits = true;
    DecodedSound sound;
    switch (decodeFirstAudioStream(path, request, sound)) {
    case DecodeStatus::Ok:
        break;
    case DecodeStatus::OutOfMemory:
        return WavReadStatus::OutOfMemory;
    default:
        return WavReadStatus::NeedsDecoder;
    }
    contents = WavFileContents {};
    contents.header = sound.header;
    if (options.readSamples)
        contents.samples = std::move(sound.samples);
    if (options.readTexts)
        contents.texts = std::move(sound.texts);
    return WavReadStatus::Ok;
}

} // namespace kx
