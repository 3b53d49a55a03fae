#pragma once

#include "CommandLine.h"

#include <functional>
#include <vector>

namespace kx::cli {

/// Exit statuses every command keeps to.
enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct Command {
    CommandSyntax syntax;
    std::function<int(const ParsedCommand&)> run;
};

/// info, copy
std::vector<Command> fileCommands();
/// open, convert
std::vector<Command> formatCommands();
/// play, devices, devcaps
std::vector<Command> deviceCommands();
/// apply (the sound filters)
std::vector<Command> filterCommands();
/// copy-to-clip, paste, mix, delete, crop (the sound clipboard)
std::vector<Command> clipboardCommands();
/// record (from an input device into a WAV file)
std::vector<Command> recordCommands();

} // namespace kx::cli
