// Feeds arbitrary bytes to the in-place reader of RIFF, RF64 and Wave64 files: every chunk walk
// ends, and what it accepts can be measured and read.
#include "FuzzInput.h"

#include "documents/LargeWavFile.h"

#include <vector>

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = kx::fuzz::inputFile(data, size);
    kx::LargeWavFile file;
    if (path.empty() || !file.open(path))
        return 0;
    const kx::PcmFormat& format = file.format();
    check(format.bits == 8 || format.bits == 16, "bits are 8 or 16");
    check(format.channels == 1 || format.channels == 2, "mono or stereo");
    check(format.bytesPerSecond() > 0, "the data rate divides");
    check(file.dataSize() <= size && file.dataSize() % format.blockAlign() == 0, "whole frames inside the file");
    check(file.lengthMs() <= file.dataSize() * 1000, "length follows the data");
    std::vector<uint8_t> block(64);
    const uint64_t tail = file.dataSize() > block.size() ? file.dataSize() - block.size() : 0;
    check(file.read(tail, block) == std::min<uint64_t>(block.size(), file.dataSize()), "the data's end reads");
    return 0;
}
