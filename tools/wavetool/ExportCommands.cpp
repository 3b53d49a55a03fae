#include "Commands.h"

#include "documents/WavReader.h"
#include "media/SoundExport.h"

#include <charconv>
#include <cstdio>

namespace kx::cli {

namespace {

    int exportFile(const ParsedCommand& command)
    {
        const std::optional<ExportFormat> format = exportFormatNamed(command.words[0]);
        if (!format) {
            std::fprintf(stderr, "wavetool: export takes flac, ogg, opus or mp3, not '%s'\n", command.words[0].c_str());
            return ExitUsage;
        }
        const ExportQuality range = exportQuality(*format);
        int quality = range.standard;
        if (const auto it = command.parameters.find("quality"); it != command.parameters.end()) {
            const std::string& text = it->second;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), quality);
            if (error != std::errc() || end != text.data() + text.size() || quality < range.lowest
                || quality > range.highest) {
                std::fprintf(stderr, "wavetool: quality= of %s runs from %d to %d\n", exportFormatName(*format),
                    range.lowest, range.highest);
                return ExitUsage;
            }
        }
        WavFileContents contents;
        const WavReadStatus read = readWavFile(command.files[0], contents);
        if (read != WavReadStatus::Ok) {
            std::fprintf(stderr, "%s\n", wavReadMessage(read));
            return ExitFailed;
        }
        WaveDocument document;
        document.header = contents.header;
        document.samples = std::move(contents.samples);
        document.texts = contents.texts;
        switch (exportSound(document, *format, quality, command.files[1])) {
        case ExportStatus::Ok:
            return ExitOk;
        case ExportStatus::NoEncoder:
            std::fprintf(stderr, "wavetool: FFmpeg cannot encode %s here\n", exportFormatName(*format));
            return ExitFailed;
        default:
            std::fprintf(stderr, "wavetool: cannot write %s\n", command.files[1].c_str());
            return ExitFailed;
        }
    }

} // namespace

std::vector<Command> exportCommands()
{
    CommandSyntax syntax { "export", "export flac|ogg|opus|mp3 [quality=N] IN OUT", {}, {}, { "quality" }, 2 };
    syntax.words = 1;
    return { { syntax, exportFile } };
}

} // namespace kx::cli
