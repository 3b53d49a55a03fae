#include "OutputFile.h"

#include "Commands.h"
#include "documents/WavWriter.h"

#include <cstdio>

namespace kx::cli {

int writeOutputFile(const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples)
{
    WavWriteOptions options;
    options.flushToDisk = false;
    const auto status = writeWavFile(path, header, samples, options);
    if (status == WavWriteStatus::Ok)
        return ExitOk;
    std::fprintf(stderr, "%s\n", wavWriteMessage(status));
    return ExitFailed;
}

} // namespace kx::cli
