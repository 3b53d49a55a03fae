#include "OutputFile.h"

#include "Commands.h"
#include "documents/WavWriter.h"

#include <cstdio>

namespace kx::cli {

namespace {

    WavWriteOptions outputOptions()
    {
        WavWriteOptions options;
        options.flushToDisk = false;
        return options;
    }

} // namespace

int writeOutputFile(
    const std::string& path, const WaveHeader& header, std::span<const uint8_t> samples, const FileTextInfo* texts)
{
    WavWriteOptions options = outputOptions();
    options.texts = texts;
    const auto status = writeWavFile(path, header, samples, options);
    if (status == WavWriteStatus::Ok)
        return ExitOk;
    std::fprintf(stderr, "%s\n", wavWriteMessage(status));
    return ExitFailed;
}

int streamOutputFile(const WavStreamReader& source, const std::string& path, const StreamRun& run, bool withTexts)
{
    WavWriteOptions options = outputOptions();
    options.texts = withTexts ? &source.texts() : nullptr;
    FileStream stream(source, path, options);
    const StreamStatus status = run(stream, source.header());
    if (status.ok())
        return ExitOk;
    std::fprintf(stderr, "%s\n", status.message());
    return ExitFailed;
}

int streamOutputFile(const std::string& in, const std::string& path, const StreamRun& run)
{
    WavStreamReader source;
    const WavReadStatus status = source.open(in);
    if (status != WavReadStatus::Ok) {
        std::fprintf(stderr, "%s\n", wavReadMessage(status));
        return ExitFailed;
    }
    return streamOutputFile(source, path, run);
}

} // namespace kx::cli
