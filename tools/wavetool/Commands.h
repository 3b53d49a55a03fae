#pragma once

#include "CommandLine.h"
#include "documents/WavReader.h"
#include "filters/FilterSettings.h"

#include <functional>
#include <vector>

namespace kx::cli {

/// Exit statuses every command keeps to.
enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

/// What a command of the quick program returns for what only the full program can do (read the
/// settings store, decode, play): the full program then runs the same command line.
inline constexpr int NeedsFullProgram = -1;

/// A word of the settings store: the value stored at the setting's path, else its default; read as
/// a yes or no (1 or 0) when `boolean`.
using StoredValue = uint32_t (*)(const filtersettings::WordSetting& setting, bool boolean);

struct Command {
    CommandSyntax syntax;
    std::function<int(const ParsedCommand&)> run;
};

/// Reads a whole WAV file, decoding coded samples; null in the quick program, which leaves such
/// files to the full one.
using DecodingReader = WavReadStatus (*)(const std::string&, WavFileContents&, const WavReadOptions&);

/// info, copy
std::vector<Command> fileCommands(DecodingReader decoding);
/// open, convert
std::vector<Command> formatCommands();
/// export (FLAC, Ogg Vorbis, Opus, MP3)
std::vector<Command> exportCommands();
/// play, devices, devcaps
std::vector<Command> deviceCommands();
/// apply (the sound filters); `stored` reads the values of parameters not given, null in the quick
/// program, which leaves such commands to the full one.
std::vector<Command> filterCommands(StoredValue stored);
/// open of a plain PCM WAV file, streamed; anything else is NeedsFullProgram.
Command pcmOpenCommand();
/// copy-to-clip, paste, mix, delete, crop (the sound clipboard)
std::vector<Command> clipboardCommands();
/// record (from an input device into a WAV file)
std::vector<Command> recordCommands();

} // namespace kx::cli
