#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

using namespace kx::cli;

const std::vector<CommandSyntax> kSyntaxes = {
    { "info", "info FILE", {}, {}, {}, 1 },
    { "apply", "apply OP IN OUT", { "--mark", "--cursor" }, { "--then-undo" }, { "percent", "sec" }, 3 },
};

std::optional<ParsedCommand> parseLine(std::vector<std::string> args, std::string& error)
{
    return parse(args, kSyntaxes, error);
}

TEST(CommandLine, AcceptsOptionsParametersAndSettingsBeforeTheFiles)
{
    std::string error;
    auto parsed = parseLine({ "--setting", "A\\B=1", "apply", "--mark", "4:8", "--then-undo", "percent=50", "--setting",
                                "Kestrix\\Settings\\CompressBits=16", "volume", "in.wav", "out=1.wav" },
        error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->name, "apply");
    EXPECT_EQ(parsed->options.at("--mark"), "4:8");
    EXPECT_TRUE(parsed->has("--then-undo"));
    EXPECT_FALSE(parsed->has("--cursor"));
    EXPECT_EQ(parsed->parameters.at("percent"), "50");
    ASSERT_EQ(parsed->settings.size(), 2u);
    EXPECT_EQ(parsed->settings[0], std::make_pair(std::string("A\\B"), std::string("1")));
    EXPECT_EQ(parsed->settings[1].second, "16");
    // Once the file names begin, a NAME=VALUE is a file name.
    EXPECT_EQ(parsed->files, (std::vector<std::string> { "volume", "in.wav", "out=1.wav" }));

    // Once every file is named, options and parameters may follow again.
    parsed = parseLine({ "apply", "volume", "in.wav", "out.wav", "--cursor", "6", "sec=2" }, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->options.at("--cursor"), "6");
    EXPECT_EQ(parsed->parameters.at("sec"), "2");
    EXPECT_EQ(parsed->files, (std::vector<std::string> { "volume", "in.wav", "out.wav" }));

    parsed = parseLine({ "info", "--", "--odd-name.wav" }, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->files, std::vector<std::string> { "--odd-name.wav" });
}

TEST(CommandLine, RefusesWhatTheCommandDoesNotTake)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        { "nosuch", "a" },
        { "info" },
        { "info", "a", "b" },
        { "info", "a", "--", "b" },
        { "info", "a", "--mark", "1:2" },
        { "info", "--mark", "1:2", "a" },
        { "apply", "--mark" },
        { "apply", "speed=2", "op", "a", "b" },
        { "apply", "--bogus", "op", "a", "b" },
        { "info", "--setting", "novalue", "a" },
        { "--setting" },
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parseLine(args, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(CommandLine, Numbers)
{
    uint32_t a = 0, b = 0;
    EXPECT_TRUE(parseRange("0:0", a, b));
    EXPECT_TRUE(parseRange("4294967295:12", a, b));
    EXPECT_EQ(a, 4294967295u);
    EXPECT_EQ(b, 12u);
    for (const char* text : { "", ":", "1:", ":1", "1", "-1:2", "1:2x", "4294967296:0", " 1:2" })
        EXPECT_FALSE(parseRange(text, a, b)) << text;
}

} // namespace
