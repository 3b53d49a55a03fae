// The CD device over images the tests make: table of contents, the bar's answers and arithmetic,
// digital playback, extraction, and a disc that can no longer be read.
#include "CdImage.h"
#include "TempDir.h"

#include "devices/CdDevice.h"
#include "devices/CdInput.h"
#include "devices/CdTimes.h"
#include "devices/TestDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

namespace kx {
namespace {

    using test::CdImage;

    /// Two audio tracks of 2 s and 1 s, then a data track of 1 s.
    const std::vector<CdImage::Track> kMixedDisc { { 150 }, { 75 }, { 75, false } };

    class CdDeviceTest : public testing::Test {
    protected:
        /// Runs the manual clock until the device announces the end.
        void playToEnd()
        {
            for (int i = 0; i < 4000 && ended == 0; ++i)
                device->advance(588);
        }

        test::TempDir dir;
        CdImage image { dir.path().string(), kMixedDisc };
        std::shared_ptr<TestDevice> device = TestDevice::create();
        CdDevice cd { device->factory(), -1 };
        std::atomic<int> ended { 0 };
        std::atomic<uint64_t> lastPlayback { 0 };

        void SetUp() override
        {
            cd.setEndHandler([this](uint64_t playback) {
                lastPlayback = playback;
                ++ended;
            });
            ASSERT_TRUE(cd.load(image.cue())) << cd.errorText();
        }
    };

    TEST_F(CdDeviceTest, AnswersTrackCountPositionsAndLengthsInBothFormats)
    {
        EXPECT_EQ(cd.trackCount(), 3);
        EXPECT_EQ(cd.currentTrack(), 1);
        EXPECT_EQ(cd.length(), "00:04:00");
        EXPECT_EQ(cd.trackLength(1), "00:02:00");
        EXPECT_EQ(cd.trackLength(2), "00:01:00");
        EXPECT_EQ(cd.trackPosition(2, CdDevice::TimeFormat::Minutes), "00:02:00");
        EXPECT_EQ(cd.trackPosition(3, CdDevice::TimeFormat::Tracks), "03:00:00:00");
        EXPECT_FALSE(cd.disc()->track(3).audio);
        EXPECT_EQ(cd.position(CdDevice::TimeFormat::Tracks), "01:00:00:00");
    }

    TEST_F(CdDeviceTest, PlaysTheDiscsSamplesBitExactAndStopsBeforeTheDataTrack)
    {
        ASSERT_TRUE(cd.playTrack(2));
        device->advance(588 * 10 + 100);
        EXPECT_EQ(cd.currentTrack(), 2);
        EXPECT_EQ(cd.position(CdDevice::TimeFormat::Tracks), "02:00:00:10");
        playToEnd();
        EXPECT_EQ(device->record().played, image.sectors(150, 225));
        EXPECT_EQ(device->record().openFormats.at(0), (PcmFormat { 16, 2, 44100 }));
        EXPECT_TRUE(cd.playbackEnded(lastPlayback));
        EXPECT_FALSE(cd.isPlaying());
        EXPECT_EQ(cd.currentTrack(), 1);
        // The data track alone has nothing to play.
        EXPECT_FALSE(cd.playTrack(3));
    }

    TEST_F(CdDeviceTest, TheEndOfAPlaybackHandledAfterTheNextOneStartedLeavesThatOneAlone)
    {
        ASSERT_TRUE(cd.playTrack(2));
        playToEnd();
        const uint64_t first = lastPlayback;
        ASSERT_TRUE(cd.playTrack(1));
        EXPECT_TRUE(cd.playbackEnded(first));
        EXPECT_TRUE(cd.isPlaying());
    }

    TEST_F(CdDeviceTest, StopKeepsThePositionAndPlayGoesOnFromIt)
    {
        ASSERT_TRUE(cd.playFrom(0, 1));
        device->advance(588 * 5);
        cd.stop();
        EXPECT_EQ(cd.position(CdDevice::TimeFormat::Minutes), "00:01:05");
        ASSERT_TRUE(cd.play());
        playToEnd();
        EXPECT_EQ(device->record().played, image.sectors(75, 225));
    }

    TEST_F(CdDeviceTest, ADiscThatCannotBeReadAnyMoreStopsPlaybackAndSaysWhere)
    {
        ASSERT_TRUE(cd.playTrack(1));
        // Taken out: from sector 100 on nothing can be read.
        std::filesystem::resize_file(image.bin(), 100 * CdImage::kSectorBytes);
        playToEnd();
        const auto played = device->record().played;
        ASSERT_LE(played.size(), std::size_t(100 * CdImage::kSectorBytes));
        EXPECT_EQ(played, image.sectors(0, int(played.size() / CdImage::kSectorBytes)));
        EXPECT_FALSE(cd.playbackEnded(lastPlayback));
        EXPECT_NE(cd.errorText().find("cannot be read"), std::string::npos);
        EXPECT_FALSE(cd.isPlaying());
    }

    TEST(CdDevice, WithoutADiscEveryAnswerIsEmptyAndNothingPlays)
    {
        auto device = TestDevice::create();
        CdDevice cd(device->factory(), -1);
        EXPECT_FALSE(cd.load("/nonexistent/disc.cue"));
        EXPECT_FALSE(cd.errorText().empty());
        EXPECT_EQ(cd.trackCount(), 0);
        EXPECT_EQ(cd.currentTrack(), 0);
        EXPECT_EQ(cd.position(CdDevice::TimeFormat::Tracks), "00:00:00");
        EXPECT_FALSE(cd.play());
        EXPECT_FALSE(cd.playTrack(1));
        EXPECT_TRUE(device->record().deviceIds.empty());
    }

    TEST_F(CdDeviceTest, ExtractionGivesTheSectorsFromItsStartAndNamesAnUnreadableOne)
    {
        std::mutex mutex;
        std::vector<uint8_t> taken;
        auto record = [&](std::span<const uint8_t> block) {
            std::lock_guard lock(mutex);
            taken.insert(taken.end(), block.begin(), block.end());
        };
        {
            CdInput input(cd.disc(), 100, CdInput::Pace::Unpaced);
            EXPECT_FALSE(input.open({ 8, 1, 22050 }).ok());
            ASSERT_TRUE(input.open(CdDisc::kFormat).ok());
            ASSERT_TRUE(input.start(record).ok());
            for (int i = 0; i < 500 && taken.size() < image.sectors(100, 225).size(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            input.stop();
            EXPECT_EQ(taken, image.sectors(100, 225));
            EXPECT_EQ(input.captureError(), "");
        }
        taken.clear();
        std::filesystem::resize_file(image.bin(), 200 * CdImage::kSectorBytes);
        CdInput input(cd.disc(), 180, CdInput::Pace::Unpaced);
        ASSERT_TRUE(input.open(CdDisc::kFormat).ok());
        ASSERT_TRUE(input.start(record).ok());
        for (int i = 0; i < 500 && input.captureError().empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        input.stop();
        EXPECT_EQ(input.captureError(), "The CD cannot be read at 00:02:50.");
        EXPECT_EQ(taken, image.sectors(180, 200));
    }

    TEST(CdDevice, ATrackCountBeyondTheGridAndShortTracks)
    {
        test::TempDir dir;
        std::vector<CdImage::Track> tracks(25, CdImage::Track { 10 });
        CdImage image(dir.path().string(), tracks);
        CdDevice cd(TestDevice::create()->factory(), -1);
        ASSERT_TRUE(cd.load(image.cue()));
        EXPECT_EQ(cd.trackCount(), 25);
        EXPECT_EQ(cd.trackPosition(25, CdDevice::TimeFormat::Minutes), "00:03:15");
        EXPECT_EQ(cd.trackLength(25), "00:00:10");
    }

    TEST(CdTimes, EachTimeModeBuildsItsText)
    {
        // At 1:05 on a disc of 4:10, in a track from 0:50 lasting 1:40.
        const cdtimes::Readings r { "01:05:30", "04:10:00", "00:50:12", "01:40:00" };
        const std::pair<int, const char*> cases[] = { { 1, "00:15" }, { 2, "01:05" }, { 3, "04:10" }, { 4, "01:40" },
            { 5, "00:50" }, { 6, "01:25" }, { 7, "03:05" } };
        for (const auto& [mode, text] : cases)
            EXPECT_EQ(cdtimes::timeText(mode, r), text) << mode;
        EXPECT_EQ(cdtimes::track("12:03:04:05"), 12);
        EXPECT_EQ(cdtimes::trackMinutes("12:03:04:05"), 3);
        EXPECT_EQ(cdtimes::trackSeconds("12:03:04:05"), 4);
    }

    TEST(CdTimes, MarkerAndSeekFollowTheTrackAndSurviveALengthOfZero)
    {
        const cdtimes::Readings r { "01:40:00", "04:10:00", "00:50:00", "01:40:00" };
        EXPECT_EQ(cdtimes::markerX(r), 150 + 50 * 150 / 100);
        EXPECT_EQ(cdtimes::seekTarget(150, r), 50);
        EXPECT_EQ(cdtimes::seekTarget(305, r), 150); // the track's end
        EXPECT_EQ(cdtimes::seekTarget(181, r), 50 + 20);
        const cdtimes::Readings empty { "00:00:00", "00:00:00", "00:00:00", "00:00:00" };
        EXPECT_EQ(cdtimes::markerX(empty), 150);
        EXPECT_EQ(cdtimes::seekTarget(250, empty), 0);
    }

} // namespace
} // namespace kx
