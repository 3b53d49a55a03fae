#include "Commands.h"
#include "OutputFile.h"

#include "documents/FileTexts.h"
#include "documents/WavReader.h"
#include "documents/WavWriter.h"

#include <cstdio>

namespace kx::cli {

namespace {

    int info(const ParsedCommand& command, DecodingReader decoding)
    {
        WavFileContents contents;
        WavReadOptions options;
        options.readSamples = false;
        auto status = readWavFile(command.files[0], contents, options);
        if (status == WavReadStatus::NeedsDecoder) {
            if (!decoding)
                return NeedsFullProgram;
            status = decoding(command.files[0], contents, options);
        }
        if (status != WavReadStatus::Ok) {
            std::fprintf(stderr, "%s\n", wavReadMessage(status));
            return ExitFailed;
        }
        const WaveHeader& h = contents.header;
        const uint64_t frames = h.nBlockAlign ? h.dataSize / h.nBlockAlign : 0;
        const uint64_t durationMs = h.nSamplesPerSec ? frames * 1000 / h.nSamplesPerSec : 0;
        std::printf("channels=%u\nrate=%u\nbits=%u\nblockalign=%u\navgbytes=%u\ndatasize=%u\nsamples=%llu\n"
                    "duration_ms=%llu\n",
            h.nChannels, h.nSamplesPerSec, h.wBitsPerSample, h.nBlockAlign, h.nAvgBytesPerSec, h.dataSize,
            static_cast<unsigned long long>(frames), static_cast<unsigned long long>(durationMs));
        for (const TextField& field : kTextFields) {
            const std::string& text = contents.texts.*field.member;
            if (!text.empty())
                std::printf("%s=%s\n", field.key, text.c_str());
        }
        return ExitOk;
    }

    int copy(const ParsedCommand& command, DecodingReader decoding)
    {
        WavStreamReader source;
        const WavReadStatus status = source.open(command.files[0]);
        if (status == WavReadStatus::NeedsDecoder) {
            // Coded samples (u-law, a-law, ...) are written as the PCM File Open makes of them.
            if (!decoding)
                return NeedsFullProgram;
            WavFileContents contents;
            if (const WavReadStatus decoded = decoding(command.files[0], contents, {}); decoded != WavReadStatus::Ok) {
                std::fprintf(stderr, "%s\n", wavReadMessage(decoded));
                return ExitFailed;
            }
            return writeOutputFile(command.files[1], contents.header, contents.samples.bytes());
        }
        if (status != WavReadStatus::Ok) {
            std::fprintf(stderr, "%s\n", wavReadMessage(status));
            return ExitFailed;
        }
        // A copy is the canonical file: header and samples, nothing else.
        return streamOutputFile(
            source, command.files[1], [](FileStream& stream, const WaveHeader&) { return stream.copy(); }, false);
    }

} // namespace

std::vector<Command> fileCommands(DecodingReader decoding)
{
    return {
        { { "info", "info FILE", {}, {}, {}, 1 }, [decoding](const ParsedCommand& c) { return info(c, decoding); } },
        { { "copy", "copy IN OUT", {}, {}, {}, 2 }, [decoding](const ParsedCommand& c) { return copy(c, decoding); } },
    };
}

} // namespace kx::cli
