// wavetool as scripts call it: the commands that work on PCM WAV files alone (info, copy, apply,
// open of a plain PCM file) run here, in a program that loads no library beyond the C++ runtime, so
// a whole-file command starts at once and runs at the speed of the disk. Everything else (the
// settings store, decoding, playback, the clipboard, usage errors) goes to wavetool-full beside it
// with the same command line.
#include "Commands.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace kx::cli;

namespace {

int runFullProgram(char* argv[])
{
    std::string self(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    self.resize(length > 0 ? std::size_t(length) : 0);
    const std::string full = self.substr(0, self.rfind('/') + 1) + "wavetool-full";
    ::execv(full.c_str(), argv);
    std::fprintf(stderr, "wavetool: cannot run %s\n", full.c_str());
    return ExitFailed;
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<Command> commands = fileCommands(nullptr);
    for (Command& command : filterCommands(nullptr))
        commands.push_back(std::move(command));
    commands.push_back(pcmOpenCommand());
    std::vector<CommandSyntax> syntaxes;
    for (const Command& command : commands)
        syntaxes.push_back(command.syntax);
    std::string error;
    const auto parsed = parse(std::vector<std::string>(argv + 1, argv + argc), syntaxes, error);
    if (parsed && parsed->settings.empty()) {
        for (const Command& command : commands) {
            if (command.syntax.name != parsed->name)
                continue;
            if (const int status = command.run(*parsed); status != NeedsFullProgram)
                return status;
        }
    }
    return runFullProgram(argv);
}
