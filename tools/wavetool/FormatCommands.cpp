#include "Commands.h"
#include "OutputFile.h"

#include "documents/FormatSettings.h"
#include "documents/NamedLock.h"
#include "documents/WavReader.h"
#include "documents/WavWriter.h"
#include "media/ConvertDocument.h"
#include "media/SoundFileOpener.h"
#include "paneldraw/settings.h"

#include <cstdio>

namespace kx::cli {

namespace {

    int usageError(const std::string& text)
    {
        std::fprintf(stderr, "wavetool: %s\n", text.c_str());
        return ExitUsage;
    }

    int failure(const std::string& text)
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return ExitFailed;
    }

    /// Bits 8 or 16, channels 1 or 2 and a rate as a number; the rate is not range-checked here.
    std::optional<PcmFormat> parseFormat(const std::string& bits, const std::string& channels, const std::string& rate)
    {
        uint32_t b = 0, c = 0, r = 0;
        if (!parseUnsigned(bits, b) || (b != 8 && b != 16) || !parseUnsigned(channels, c) || (c != 1 && c != 2)
            || !parseUnsigned(rate, r))
            return std::nullopt;
        return PcmFormat { uint16_t(b), uint16_t(c), r };
    }

    /// "BITS,CHANNELS,RATE"
    std::optional<PcmFormat> parseRawFormat(const std::string& text)
    {
        const auto first = text.find(',');
        if (first == std::string::npos)
            return std::nullopt;
        const auto second = text.find(',', first + 1);
        if (second == std::string::npos)
            return std::nullopt;
        return parseFormat(text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1));
    }

    /// The raw-file settings; the bytes per frame and per second follow from these three.
    PcmFormat storedRawFormat()
    {
        NewFileFormat stored;
        stored.bitsPerSample = RegGetWord(formatSettingPath(FormatGroup::RawFile, "Bit").c_str(), 8);
        stored.channels = RegGetWord(formatSettingPath(FormatGroup::RawFile, "Channels").c_str(), 1);
        stored.samplesPerSec = uint32_t(RegGetDWord(formatSettingPath(FormatGroup::RawFile, "Samples").c_str(), 22050));
        return formatOf(stored);
    }

    /// Answers the raw-file dialog with `raw=`, or with the raw-file settings when it is absent.
    class CommandLineRawAnswer : public OpenInteraction {
    public:
        explicit CommandLineRawAnswer(std::optional<PcmFormat> format)
            : m_format(format)
        {
        }
        std::optional<PcmFormat> askRawFormat(uint64_t fileLength) override
        {
            RegWriteString(
                formatSettingPath(FormatGroup::RawFile, "FileLength").c_str(), std::to_string(fileLength).c_str());
            return m_format ? *m_format : storedRawFormat();
        }

    private:
        std::optional<PcmFormat> m_format;
    };

    int writeDocument(const std::string& path, const WaveDocument& document)
    {
        return writeOutputFile(path, document.header, document.samples.bytes(), &document.texts);
    }

    int open(const ParsedCommand& command)
    {
        if (const int streamed = pcmOpenCommand().run(command); streamed != NeedsFullProgram)
            return streamed;
        std::optional<PcmFormat> raw;
        if (const auto it = command.parameters.find("raw"); it != command.parameters.end()) {
            raw = parseRawFormat(it->second);
            if (!raw)
                return usageError("raw= takes BITS,CHANNELS,RATE: 8 or 16, 1 or 2, a rate");
            if (!isAcceptedRate(raw->rate))
                return failure(kRateRefusedText);
        }
        OpenSettings settings;
        settings.compressBits = compressBitsFromText(RegGetString("Kestrix\\Settings\\CompressBits", ""));
        CommandLineRawAnswer answer(raw);
        // One file is opened at a time, as in the editor.
        NamedLock fileOpen("KexFileOpen");
        fileOpen.lock();
        const OpenResult result = openSoundFile(command.files[0], settings, answer);
        fileOpen.unlock();
        if (result.status != OpenStatus::Opened)
            return failure(result.message);
        const int written = writeDocument(command.files[1], result.document);
        // A read error keeps what was read: written, but reported.
        return written == ExitOk && !result.message.empty() ? failure(result.message) : written;
    }

    int convert(const ParsedCommand& command)
    {
        const auto& p = command.parameters;
        if (!p.count("bits") || !p.count("channels") || !p.count("rate"))
            return usageError("convert needs bits=, channels= and rate=");
        const std::optional<PcmFormat> parsed = parseFormat(p.at("bits"), p.at("channels"), p.at("rate"));
        if (!parsed)
            return usageError("bits= takes 8 or 16, channels= 1 or 2, rate= a number");
        const PcmFormat target = *parsed;
        if (!isAcceptedRate(target.rate))
            return failure(kConvertRateRefusedText);

        WavStreamReader source;
        if (const auto status = source.open(command.files[0]); status != WavReadStatus::Ok)
            return failure(wavReadMessage(status));
        WavWriteOptions options;
        options.flushToDisk = false;
        options.texts = &source.texts();
        StreamStatus io;
        const ConvertStatus status = convertWavFile(source, command.files[1], target, options, io);
        if (status == ConvertStatus::OutOfMemory)
            return failure(wavReadMessage(WavReadStatus::OutOfMemory));
        if (status != ConvertStatus::Converted)
            return failure(convertMessage(status));
        return io.ok() ? ExitOk : failure(io.message());
    }

} // namespace

std::vector<Command> formatCommands()
{
    return {
        { pcmOpenCommand().syntax, open },
        { { "convert", "convert bits=N channels=N rate=N IN OUT", {}, {}, { "bits", "channels", "rate" }, 2 },
            convert },
    };
}

} // namespace kx::cli
