#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <string>
#include <thread>

namespace {

// Each test uses keys of its own below this one; the store lives in the test's temporary directory.
std::string key(const std::string& name)
{
    return "Kestrix\\Test\\" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "\\" +
           name;
}

TEST(SettingsStore, MissingSettingsReturnTheDefaultItself)
{
    EXPECT_EQ(RegGetWord("Kestrix\\Settings\\Filters\\LowPass", 4), 4);
    EXPECT_EQ(RegGetDWord(key("none").c_str(), -17), -17);
    EXPECT_EQ(RegGetBool(key("none").c_str(), 7), 7); // unchanged, not normalised
    const char* fallback = "NO";
    EXPECT_EQ(RegGetString(key("none").c_str(), fallback), fallback);
}

TEST(SettingsStore, NumberParsing)
{
    const struct {
        const char* text;
        int32_t dword;
        uint16_t word;
        int32_t flag;
    } cases[] = {
        {"-5", -5, 65531, 0},
        {"  42abc", 42, 42, 0},
        {"abc", 0, 0, 0},
        {"", 0, 0, 0},
        {"1", 1, 1, 1},
        {"   1", 1, 1, 1},
        {"+1", 1, 1, 1},
        {"1xyz", 1, 1, 1},
        {"2", 2, 2, 0},
        {"-1", -1, 65535, 0},
        {"\t\n\v\f\r 7", 7, 7, 0},
        {"65537", 65537, 1, 0},
        {"4294967295", -1, 65535, 0}, // wraps in 32 bits
        {"4294967297", 1, 1, 1},
        {"- 5", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kx::parseSettingNumber(c.text), c.dword);
        const std::string path = key("n");
        ASSERT_EQ(RegWriteString(path.c_str(), c.text), 1);
        EXPECT_EQ(RegGetDWord(path.c_str(), 99), c.dword);
        EXPECT_EQ(RegGetWord(path.c_str(), 99), c.word);
        EXPECT_EQ(RegGetBool(path.c_str(), 99), c.flag);
        EXPECT_STREQ(RegGetString(path.c_str(), "default"), c.text);
    }
}

TEST(SettingsStore, ReadBufferHoldsAtMost499Characters)
{
    const std::string fits(499, 'x');
    const std::string tooLong(500, 'y');
    ASSERT_EQ(RegWriteString(key("fits").c_str(), fits.c_str()), 1);
    ASSERT_EQ(RegWriteString(key("long").c_str(), tooLong.c_str()), 1);
    EXPECT_EQ(std::string(RegGetString(key("fits").c_str(), "d")), fits);
    const char* fallback = "d";
    EXPECT_EQ(RegGetString(key("long").c_str(), fallback), fallback);
    EXPECT_EQ(RegGetDWord(key("long").c_str(), 3), 3);
    // Characters outside ASCII count in bytes.
    std::string twoByte;
    for (int i = 0; i < 250; ++i)
        twoByte += "\xC3\xA4";
    ASSERT_EQ(RegWriteString(key("bytes").c_str(), twoByte.c_str()), 1);
    EXPECT_EQ(RegGetString(key("bytes").c_str(), fallback), fallback);
}

TEST(SettingsStore, KeysHoldValuesAndSubKeysAtOnce)
{
    ASSERT_EQ(RegWriteString("Tonedeck\\Directories\\WaveOpen", "/home/a b/c"), 1);
    ASSERT_EQ(RegWriteString("Tonedeck\\Directories", "parent"), 1);
    ASSERT_EQ(RegWriteString("Kestrix\\Extensions\\Internet.dll", "Internet.so"), 1);
    ASSERT_EQ(RegWriteString("Kestrix\\Extensions\\Internet.dll\\Menu", "&Internet"), 1);
    EXPECT_STREQ(RegGetString("Tonedeck\\Directories\\WaveOpen", ""), "/home/a b/c");
    EXPECT_STREQ(RegGetString("Tonedeck\\Directories", ""), "parent");
    EXPECT_STREQ(RegGetString("Kestrix\\Extensions\\Internet.dll", ""), "Internet.so");
    EXPECT_STREQ(RegGetString("Kestrix\\Extensions\\Internet.dll\\Menu", ""), "&Internet");
    EXPECT_EQ(kx::SettingsStore::subKeys("Kestrix\\Extensions"), std::vector<std::string>{"Internet.dll"});
    EXPECT_EQ(kx::SettingsStore::subKeys("Tonedeck"), std::vector<std::string>{"Directories"});
    // A parent that has sub-keys but no text of its own reads as missing.
    EXPECT_STREQ(RegGetString("Tonedeck", "missing"), "missing");
    EXPECT_TRUE(kx::SettingsStore::subKeys("Kestrix\\Nothing\\Here").empty());
}

TEST(SettingsStore, TextsKeepSpecialCharacters)
{
    for (const char* text : {"a,b,c", "@Variant(x)", "semi;colon", "back\\slash", "quote\"s", "#hash", " lead",
                             "trail ", "=eq=", "ünïcödé", "[group]"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(RegWriteString(key("t").c_str(), text), 1);
        EXPECT_STREQ(RegGetString(key("t").c_str(), "default"), text);
    }
}

TEST(SettingsStore, MalformedPathsNameNoKey)
{
    for (const char* path : {"", "\\Kestrix", "Kestrix\\", "Kestrix\\\\Settings", "Kestrix\\a/b"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(RegWriteString(path, "1"), 0);
        EXPECT_EQ(RegGetDWord(path, 12), 12);
    }
}

TEST(SettingsStore, FirstWriteCreatesTheStore)
{
    const std::string before = kx::SettingsStore::filePath();
    const std::string directory = std::filesystem::path(before).parent_path().parent_path().string() + "/fresh";
    kx::SettingsStore::setDirectory(directory);
    EXPECT_EQ(RegGetDWord("Tonedeck\\Directories\\WaveOpen", 5), 5);
    EXPECT_FALSE(std::filesystem::exists(directory)); // reading never creates anything
    EXPECT_EQ(RegWriteString("Tonedeck\\Directories\\WaveOpen", "/x"), 1);
    EXPECT_TRUE(std::filesystem::exists(directory + "/QuellWerk/QuellWerk.ini"));
    EXPECT_EQ(kx::SettingsStore::subKeys(""), std::vector<std::string>{"Tonedeck"});
    kx::SettingsStore::setDirectory(std::filesystem::path(before).parent_path().parent_path().string());
    std::filesystem::remove_all(directory);
}

TEST(SettingsStore, ResultBufferBelongsToTheCallingThread)
{
    ASSERT_EQ(RegWriteString(key("a").c_str(), "main thread"), 1);
    ASSERT_EQ(RegWriteString(key("b").c_str(), "worker thread"), 1);
    const char* mine = RegGetString(key("a").c_str(), "");
    std::string theirs;
    std::thread worker([&] { theirs = RegGetString(key("b").c_str(), ""); });
    worker.join();
    EXPECT_STREQ(mine, "main thread");
    EXPECT_EQ(theirs, "worker thread");
}

TEST(SettingsStore, WritesFromAnotherStoreInstanceAreSeenAtOnce)
{
    // Another program writes the same file; nothing is cached between calls.
    ASSERT_EQ(RegWriteString(key("shared").c_str(), "1"), 1);
    {
        QSettings other(QString::fromStdString(kx::SettingsStore::filePath()), QSettings::IniFormat);
        other.setValue(QString::fromStdString("Kestrix/Test/WritesFromAnotherStoreInstanceAreSeenAtOnce/shared"),
                       QStringLiteral("2"));
    }
    EXPECT_EQ(RegGetDWord(key("shared").c_str(), 0), 2);
}

} // namespace
