#include "Commands.h"
#include "OutputFile.h"

#include "clipboard/ClipboardCopy.h"
#include "clipboard/ClipboardLocation.h"
#include "clipboard/ClipboardPaste.h"
#include "clipboard/ClipboardReader.h"
#include "clipboard/DocumentCuts.h"
#include "documents/NamedLock.h"
#include "documents/PcmFormat.h"
#include "documents/UndoStore.h"
#include "documents/WavReader.h"
#include "filters/SampleScaling.h"
#include "media/ConvertedClipboard.h"
#include "paneldraw/settings.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

namespace kx::cli {

namespace {

    int failed(const std::string& text)
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return ExitFailed;
    }

    int usage(const ParsedCommand& command, const std::string& reason)
    {
        std::fprintf(stderr, "wavetool %s: %s\n", command.name.c_str(), reason.c_str());
        return ExitUsage;
    }

    /// The input file with the cursor or mark the options give; nullopt after a message.
    std::optional<WaveDocument> loadInput(const ParsedCommand& command, int& exitStatus)
    {
        WaveDocument document;
        if (command.has("--mark")
            && !parseRange(command.options.at("--mark"), document.mark.markStart, document.mark.markLength)) {
            exitStatus = usage(command, "--mark needs START:LENGTH");
            return std::nullopt;
        }
        if (command.has("--cursor") && !parseUnsigned(command.options.at("--cursor"), document.mark.markStart)) {
            exitStatus = usage(command, "--cursor needs a byte offset");
            return std::nullopt;
        }
        WavFileContents contents;
        const auto status = readWavFile(command.files[0], contents);
        if (status != WavReadStatus::Ok) {
            exitStatus = failed(wavReadMessage(status));
            return std::nullopt;
        }
        document.header = contents.header;
        document.samples = std::move(contents.samples);
        return document;
    }

    /// Undoes the command's own step when asked to, then writes the result.
    int finish(const ParsedCommand& command, WaveDocument& document, EditStatus status)
    {
        if (*editMessage(status))
            return failed(editMessage(status));
        if (command.has("--then-undo") && status == EditStatus::Done && !UndoStore::restore(document))
            return failed("Nothing to undo.");
        return writeOutputFile(command.files[1], document.header, document.samples.bytes(), &document.texts);
    }

    int copyToClip(const ParsedCommand& command)
    {
        int exitStatus = ExitOk;
        std::optional<WaveDocument> document = loadInput(command, exitStatus);
        if (!document)
            return exitStatus;
        NamedLock clipboard(ClipboardLocation::kLockName);
        clipboard.lock();
        const CopyResult result = copyToClipboard(*document, ClipboardLocation::filePath());
        if (result.status == CopyStatus::NothingToCopy)
            return failed("Nothing to copy: the file has no data.");
        if (result.status != CopyStatus::Copied)
            return failed(copyMessage(result));
        return ExitOk;
    }

    enum class Incoming { Paste, Mix };

    int bringIn(const ParsedCommand& command, Incoming how)
    {
        uint32_t gainPercent = RegGetWord(kPasteMixLouder.path, kPasteMixLouder.defaultValue);
        if (const auto given = command.parameters.find("gain"); given != command.parameters.end()) {
            if (!parseUnsigned(given->second, gainPercent) || gainPercent > 65535)
                return usage(command, "gain needs a percent from 0 to 65535");
        }
        int exitStatus = ExitOk;
        std::optional<WaveDocument> document = loadInput(command, exitStatus);
        if (!document)
            return exitStatus;

        NamedLock clipboard(ClipboardLocation::kLockName);
        clipboard.lock();
        // As in the editor: a copy that has just given the lock back may still be closing its file.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ClipboardReader reader;
        if (const auto status = reader.open(ClipboardLocation::filePath()); status != WavReadStatus::Ok) {
            if (status == WavReadStatus::CannotOpen) // an empty clipboard: the document as it was
                return writeOutputFile(command.files[1], document->header, document->samples.bytes(), &document->texts);
            return failed(clipboardReadMessage(status));
        }
        ClipboardSource* source = &reader;
        ConvertedClipboard converted;
        const bool empty = document->header.dataSize == 0;
        if (!empty && PcmFormat::of(reader.header()) != PcmFormat::of(document->header)) {
            const ConvertStatus status = converted.load(reader, document->header);
            if (status != ConvertStatus::Converted)
                return failed(*convertMessage(status) ? convertMessage(status) : "Not enough memory.");
            source = &converted;
        }
        EditStatus status;
        if (empty)
            status = takeClipboard(*document, *source);
        else if (how == Incoming::Paste)
            status = pasteClipboard(*document, *source);
        else
            status = mixClipboard(*document, *source, percentFactor(gainPercent));
        clipboard.unlock();
        return finish(command, *document, status);
    }

    int cut(const ParsedCommand& command, EditStatus (*edit)(WaveDocument&))
    {
        if (!command.has("--mark"))
            return usage(command, "needs --mark START:LENGTH");
        int exitStatus = ExitOk;
        std::optional<WaveDocument> document = loadInput(command, exitStatus);
        if (!document)
            return exitStatus;
        return finish(command, *document, edit(*document));
    }

} // namespace

std::vector<Command> clipboardCommands()
{
    return {
        { { "copy-to-clip", "copy-to-clip [--mark START:LENGTH] IN", { "--mark" }, {}, {}, 1 }, copyToClip },
        { { "paste", "paste [--cursor POS] [--then-undo] IN OUT", { "--cursor" }, { "--then-undo" }, {}, 2 },
            [](const ParsedCommand& c) { return bringIn(c, Incoming::Paste); } },
        { { "mix", "mix [--cursor POS] [gain=N] IN OUT", { "--cursor" }, {}, { "gain" }, 2 },
            [](const ParsedCommand& c) { return bringIn(c, Incoming::Mix); } },
        { { "delete", "delete --mark START:LENGTH [--then-undo] IN OUT", { "--mark" }, { "--then-undo" }, {}, 2 },
            [](const ParsedCommand& c) { return cut(c, eraseMark); } },
        { { "crop", "crop --mark START:LENGTH IN OUT", { "--mark" }, {}, {}, 2 },
            [](const ParsedCommand& c) { return cut(c, cropToMark); } },
    };
}

} // namespace kx::cli
