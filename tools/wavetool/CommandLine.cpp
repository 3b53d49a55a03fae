#include "CommandLine.h"

#include <algorithm>
#include <charconv>

namespace kx::cli {

namespace {

    bool contains(const std::vector<std::string>& list, const std::string& item)
    {
        return std::find(list.begin(), list.end(), item) != list.end();
    }

} // namespace

std::optional<ParsedCommand> parse(
    const std::vector<std::string>& arguments, const std::vector<CommandSyntax>& syntaxes, std::string& error)
{
    ParsedCommand parsed;
    std::size_t i = 0;
    auto takeSetting = [&](const std::string& value) {
        const auto equals = value.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "--setting needs PATH=VALUE";
            return false;
        }
        parsed.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        return true;
    };
    // Settings may also stand before the command.
    while (i < arguments.size() && arguments[i] == "--setting") {
        if (i + 1 >= arguments.size() || !takeSetting(arguments[i + 1])) {
            error = "--setting needs PATH=VALUE";
            return std::nullopt;
        }
        i += 2;
    }
    if (i >= arguments.size()) {
        error = "no command given";
        return std::nullopt;
    }
    parsed.name = arguments[i++];
    const auto syntax
        = std::find_if(syntaxes.begin(), syntaxes.end(), [&](const CommandSyntax& s) { return s.name == parsed.name; });
    if (syntax == syntaxes.end()) {
        error = "unknown command '" + parsed.name + "'";
        return std::nullopt;
    }

    for (std::size_t w = 0; w < syntax->words; ++w, ++i) {
        if (i >= arguments.size() || arguments[i].rfind("--", 0) == 0) {
            error = parsed.name + " needs " + std::to_string(syntax->words) + " word(s) after it";
            return std::nullopt;
        }
        parsed.words.push_back(arguments[i]);
    }

    bool filesStarted = false;
    bool afterDashes = false;
    for (; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        // Once every file is named, options may follow again (as `record SECONDS OUT --device N`).
        if (afterDashes || (filesStarted && parsed.files.size() < syntax->files)) {
            parsed.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            filesStarted = true;
            afterDashes = true;
        } else if (arg == "--setting") {
            if (i + 1 >= arguments.size() || !takeSetting(arguments[++i]))
                return std::nullopt;
        } else if (contains(syntax->valueOptions, arg)) {
            if (i + 1 >= arguments.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            parsed.options[arg] = arguments[++i];
        } else if (contains(syntax->flagOptions, arg)) {
            parsed.options[arg] = "";
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option '" + arg + "' for " + parsed.name;
            return std::nullopt;
        } else if (const auto equals = arg.find('='); equals != std::string::npos && equals > 0) {
            const std::string name = arg.substr(0, equals);
            if (!contains(syntax->parameters, name)) {
                error = "unknown parameter '" + name + "' for " + parsed.name;
                return std::nullopt;
            }
            parsed.parameters[name] = arg.substr(equals + 1);
        } else {
            filesStarted = true;
            parsed.files.push_back(arg);
        }
    }
    if (parsed.files.size() != syntax->files) {
        error = parsed.name + " takes " + std::to_string(syntax->files) + " file name(s)";
        return std::nullopt;
    }
    return parsed;
}

bool parseUnsigned(const std::string& text, uint32_t& value)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseRange(const std::string& text, uint32_t& start, uint32_t& length)
{
    const auto colon = text.find(':');
    return colon != std::string::npos && parseUnsigned(text.substr(0, colon), start)
        && parseUnsigned(text.substr(colon + 1), length);
}

} // namespace kx::cli
