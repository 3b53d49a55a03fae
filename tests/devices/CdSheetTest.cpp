// CD sheets are checked before libcdio reads them: track count and order, times, size, and the
// data files they name.
#include "TempDir.h"

#include "devices/CdDevice.h"
#include "devices/CdSheet.h"
#include "devices/TestDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <sys/stat.h>

namespace kx {
namespace {

    std::string tracks(int count, int step = 1)
    {
        std::string text = "FILE \"disc.bin\" BINARY\n";
        for (int t = 1; t <= count; ++t)
            text += "TRACK " + std::string(t * step < 10 ? "0" : "") + std::to_string(t * step)
                + " AUDIO\nINDEX 01 00:00:00\n";
        return text;
    }

    struct SheetCase {
        const char* name;
        std::string text;
        cdsheet::Kind kind;
        bool sane;
    };

    TEST(CdSheetTest, AcceptsOnlySaneSheets)
    {
        const std::vector<SheetCase> cases {
            { "two tracks", tracks(2), cdsheet::Kind::Cue, true },
            { "99 tracks", tracks(99), cdsheet::Kind::Cue, true },
            { "100 tracks", tracks(100), cdsheet::Kind::Cue, false },
            { "no track", "FILE \"disc.bin\" BINARY\n", cdsheet::Kind::Cue, false },
            { "falling numbers", "TRACK 02 AUDIO\nTRACK 01 AUDIO\n", cdsheet::Kind::Cue, false },
            { "repeated number", "TRACK 01 AUDIO\nTRACK 01 AUDIO\n", cdsheet::Kind::Cue, false },
            { "track 0", "TRACK 00 AUDIO\n", cdsheet::Kind::Cue, false },
            { "60 seconds", "TRACK 01 AUDIO\nINDEX 01 00:60:00\n", cdsheet::Kind::Cue, false },
            { "75 frames", "TRACK 01 AUDIO\nINDEX 01 00:00:75\n", cdsheet::Kind::Cue, false },
            { "huge minutes", "TRACK 01 AUDIO\nINDEX 01 2147483647:00:00\n", cdsheet::Kind::Cue, false },
            { "too many lines", "TRACK 01 AUDIO\n" + std::string(5000, '\n'), cdsheet::Kind::Cue, false },
            { "toc", "CD_DA\nTRACK AUDIO\nFILE \"a:b.bin\" 0 02:00:00\n", cdsheet::Kind::Toc, true },
            { "toc bad time", "TRACK AUDIO\nFILE \"a.bin\" 0 02:00:99\n", cdsheet::Kind::Toc, false },
            { "toc 100 tracks",
                [] {
                    std::string text;
                    for (int t = 0; t < 100; ++t)
                        text += "TRACK AUDIO\n";
                    return text;
                }(),
                cdsheet::Kind::Toc, false },
        };
        for (const SheetCase& c : cases) {
            std::string error;
            cdsheet::check(c.text, c.kind, error);
            EXPECT_EQ(error.empty(), c.sane) << c.name << ": " << error;
        }
    }

    class CdSheetDeviceTest : public testing::Test {
    protected:
        /// Loads `cue` on a thread, so that a load that hangs fails the test instead of the run.
        bool loadsWithin(const std::string& cue)
        {
            auto loaded = std::async(std::launch::async, [this, cue] { return cd.load(cue); });
            if (loaded.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
                ADD_FAILURE() << "the load hangs";
                std::quick_exit(1);
            }
            return loaded.get();
        }
        void write(const std::string& name, const std::string& text) { std::ofstream(dir.file(name)) << text; }

        test::TempDir dir;
        std::shared_ptr<TestDevice> device = TestDevice::create();
        CdDevice cd { device->factory(), -1 };
    };

    TEST_F(CdSheetDeviceTest, RefusesASheetOfMoreThan99Tracks)
    {
        write("disc.bin", std::string(2352 * 100, '\0'));
        write("disc.cue", tracks(120));
        EXPECT_FALSE(loadsWithin(dir.file("disc.cue")));
        EXPECT_NE(cd.errorText().find("99 tracks"), std::string::npos) << cd.errorText();
    }

    TEST_F(CdSheetDeviceTest, RefusesABinThatIsAPipe)
    {
        ASSERT_EQ(::mkfifo(dir.file("disc.bin").c_str(), 0600), 0);
        write("disc.cue", tracks(1));
        EXPECT_FALSE(loadsWithin(dir.file("disc.cue")));
        EXPECT_NE(cd.errorText().find("not a regular file"), std::string::npos) << cd.errorText();
    }

    TEST_F(CdSheetDeviceTest, PlayFromFarBeyondTheDiscPlaysNothing)
    {
        write("disc.bin", std::string(2352 * 300, '\0'));
        write("disc.cue", tracks(1));
        ASSERT_TRUE(loadsWithin(dir.file("disc.cue"))) << cd.errorText();
        // 669060461 minutes is 4 sectors once 32-bit arithmetic wraps.
        EXPECT_FALSE(cd.playFrom(669060461, 0));
    }

} // namespace
} // namespace kx
