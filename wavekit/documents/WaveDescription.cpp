#include "WaveDescription.h"

#include "RiffFile.h"

#include <algorithm>

namespace kx {

WaveDescription describeWave(const std::string& path)
{
    using namespace wavchunks;
    WaveDescription wave;
    RiffFile file;
    RiffChunk riff, fmt, data, fact;
    wave.status = openRiff(file, path, riff);
    if (wave.status == WavReadStatus::NotWave)
        wave.avi = riff.id == fourCC("RIFF") && riff.formType == fourCC("AVI ");
    if (wave.status == WavReadStatus::Ok)
        wave.status = findFormat(file, riff, fmt);
    if (wave.status != WavReadStatus::Ok)
        return wave;

    uint8_t fmtBytes[40];
    const int64_t got = file.read(fmtBytes, std::size_t(std::min<uint64_t>(fmt.size, sizeof fmtBytes)));
    if (got < 16) {
        wave.status = WavReadStatus::Truncated;
        return wave;
    }
    wave.encoding = waveEncodingOf(std::span<const uint8_t>(fmtBytes, std::size_t(got)), fmt.size);
    if (wave.encoding == WaveEncoding::Pcm)
        return wave;

    // Coded samples: their description must be whole, and there must be data to decode.
    if (fmt.declaredEnd() > file.fileSize() || !file.ascend(fmt)) {
        wave.status = WavReadStatus::Truncated;
        return wave;
    }
    if (findData(file, riff, data) != WavReadStatus::Ok) {
        wave.status = WavReadStatus::NoDataChunk;
        return wave;
    }
    // The "fact" chunk may stand anywhere in the RIFF chunk, before the fmt chunk too.
    RiffFile again;
    RiffChunk whole;
    uint8_t frames[4];
    if (again.open(path) && again.descend(whole) && again.find(fourCC("fact"), whole, fact) && fact.size >= 4
        && again.read(frames, 4) == 4)
        wave.factFrames
            = uint64_t(frames[0]) | uint64_t(frames[1]) << 8 | uint64_t(frames[2]) << 16 | uint64_t(frames[3]) << 24;
    return wave;
}

} // namespace kx
