// Feeds arbitrary bytes to the WAV reader as a file and checks what it builds.
#include "FuzzInput.h"

#include "documents/FileTexts.h"
#include "documents/WavReader.h"

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = kx::fuzz::inputFile(data, size);
    if (path.empty())
        return 0;

    for (const bool readSamples : { true, false }) {
        kx::WavFileContents contents;
        kx::WavReadOptions options;
        options.readSamples = readSamples;
        if (kx::readWavFile(path, contents, options) != kx::WavReadStatus::Ok)
            continue;
        const kx::WaveHeader& h = contents.header;
        check(h.wBitsPerSample == 8 || h.wBitsPerSample == 16, "bits are 8 or 16");
        check(h.dataSize <= size, "data no larger than the file");
        check(h.riffSize == h.dataSize + 36, "riff size follows data size");
        if (readSamples)
            check(contents.samples.size() == h.dataSize, "sample block holds dataSize bytes");
        for (const kx::TextField& field : kx::kTextFields)
            check((contents.texts.*field.member).size() < kx::FileTextInfo::kFieldSize, "texts fit their field");
    }
    return 0;
}
