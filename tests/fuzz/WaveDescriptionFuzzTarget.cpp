// Feeds arbitrary bytes to the look at a RIFF file's chunks that decides how it opens (PCM, coded
// samples to decode, an AVI file): it ends, and what it says fits the file.
#include "FuzzInput.h"

#include "documents/WaveDescription.h"

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = kx::fuzz::inputFile(data, size);
    if (path.empty())
        return 0;
    const kx::WaveDescription wave = kx::describeWave(path);
    check(!wave.avi || wave.status == kx::WavReadStatus::NotWave, "an AVI file is no WAV file");
    check(!wave.factFrames || (wave.status == kx::WavReadStatus::Ok && wave.encoding != kx::WaveEncoding::Pcm),
        "only whole coded files have a frame count");
    return 0;
}
