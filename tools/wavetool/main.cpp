#include "Commands.h"

#include "media/DecodingWavReader.h"
#include "paneldraw/settings.h"

#include <cstdio>

using namespace kx::cli;

namespace {

uint32_t storedValue(const kx::filtersettings::WordSetting& setting, bool boolean)
{
    if (boolean)
        return RegGetBool(setting.path, setting.defaultValue) ? 1 : 0;
    return RegGetWord(setting.path, setting.defaultValue);
}

std::vector<Command> allCommands()
{
    std::vector<Command> commands = fileCommands(kx::readWavDecoding);
    for (auto* group : { formatCommands, exportCommands, deviceCommands, clipboardCommands, recordCommands })
        for (Command& command : group())
            commands.push_back(std::move(command));
    for (Command& command : filterCommands(storedValue))
        commands.push_back(std::move(command));
    return commands;
}

void printUsage(const std::vector<Command>& commands)
{
    std::fprintf(stderr,
        "usage: wavetool COMMAND [--setting PATH=VALUE]... [OPTIONS] [NAME=VALUE]... FILES\n"
        "commands:\n");
    for (const Command& command : commands)
        std::fprintf(stderr, "  wavetool %s\n", command.syntax.synopsis.c_str());
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<Command> commands = allCommands();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        printUsage(commands);
        return ExitOk;
    }
    std::vector<CommandSyntax> syntaxes;
    for (const Command& command : commands)
        syntaxes.push_back(command.syntax);
    std::string error;
    const auto parsed = parse(arguments, syntaxes, error);
    if (!parsed) {
        std::fprintf(stderr, "wavetool: %s\n", error.c_str());
        printUsage(commands);
        return ExitUsage;
    }
    for (const auto& [path, value] : parsed->settings) {
        if (!RegWriteString(path.c_str(), value.c_str())) {
            std::fprintf(stderr, "wavetool: cannot store the setting %s\n", path.c_str());
            return ExitFailed;
        }
    }
    for (const Command& command : commands) {
        if (command.syntax.name == parsed->name)
            return command.run(*parsed);
    }
    return ExitUsage;
}
