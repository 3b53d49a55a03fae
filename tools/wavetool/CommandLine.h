#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kx::cli {

/// What one command accepts besides `--setting`, which every command takes.
struct CommandSyntax {
    std::string name;
    std::string synopsis; ///< the usage line after "wavetool "
    std::vector<std::string> valueOptions; ///< options followed by a value, e.g. "--mark"
    std::vector<std::string> flagOptions; ///< options standing alone, e.g. "--then-undo"
    std::vector<std::string> parameters; ///< NAME of NAME=VALUE
    std::size_t files = 0; ///< how many file names end the command line
    std::size_t words = 0; ///< words right after the command name, e.g. the operation of "apply OP"
};

struct ParsedCommand {
    std::string name;
    std::map<std::string, std::string> options; ///< flags map to ""
    std::map<std::string, std::string> parameters;
    std::vector<std::pair<std::string, std::string>> settings; ///< --setting PATH=VALUE, in order
    std::vector<std::string> words;
    std::vector<std::string> files;

    bool has(const std::string& option) const { return options.count(option) != 0; }
};

/// Parses `arguments` (without the program name) against `syntaxes`. Options, settings and
/// NAME=VALUE parameters come before the file names or after the last of them; "--" ends them. On a usage error returns
/// nullopt with the reason in `error`.
std::optional<ParsedCommand> parse(
    const std::vector<std::string>& arguments, const std::vector<CommandSyntax>& syntaxes, std::string& error);

/// "START:LENGTH" as two byte offsets.
bool parseRange(const std::string& text, uint32_t& start, uint32_t& length);
/// A non-negative decimal number that fits 32 bits.
bool parseUnsigned(const std::string& text, uint32_t& value);

} // namespace kx::cli
