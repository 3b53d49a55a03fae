#pragma once

#include "CommandLine.h"

#include <functional>
#include <vector>

namespace kx::cli {

/// Exit statuses every command keeps to.
enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct Command {
    CommandSpec spec;
    std::function<int(const ParsedCommand&)> run;
};

/// info, copy
std::vector<Command> fileCommands();

} // namespace kx::cli
