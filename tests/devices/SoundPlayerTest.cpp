#include "devices/SoundPlayer.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "devices/TestDevice.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

    using namespace kx::test;

    class SoundPlayerTest : public testing::Test {
    protected:
        std::string writeWav(const Bytes& samples)
        {
            const std::string path = dir.file("sound.wav");
            writeFile(path, riff({ chunk("fmt ", fmtBody(1, 11025, 8)), chunk("data", samples) }));
            return path;
        }

        TempDir dir;
        std::shared_ptr<TestDevice> device = TestDevice::create();
        SoundPlayer sounds { device->factory() };
    };

    TEST_F(SoundPlayerTest, PlaysTheFileOnTheDefaultDevice)
    {
        const Bytes samples = ramp(3001);
        ASSERT_TRUE(sounds.play(writeWav(samples), false));
        EXPECT_TRUE(sounds.isPlaying());
        while (device->record().dones == 0)
            device->advance(700);
        EXPECT_EQ(device->record().played, samples);
        EXPECT_EQ(device->record().deviceIds, std::vector<int32_t> { -1 });
        EXPECT_FALSE(sounds.isPlaying());
    }

    TEST_F(SoundPlayerTest, LoopsUntilStopped)
    {
        const Bytes samples = ramp(100);
        ASSERT_TRUE(sounds.play(writeWav(samples), true));
        for (int i = 0; i < 10; ++i)
            device->advance(100);
        const auto record = device->record();
        ASSERT_EQ(record.played.size(), 1000u);
        EXPECT_EQ(Bytes(record.played.end() - 100, record.played.end()), samples);
        EXPECT_TRUE(sounds.isPlaying());
        sounds.stop();
        EXPECT_FALSE(sounds.isPlaying());
        EXPECT_FALSE(device->hasOpenOutput());
    }

    TEST_F(SoundPlayerTest, ANewSoundReplacesThePlayingOne)
    {
        ASSERT_TRUE(sounds.play(writeWav(ramp(5000)), true));
        device->advance(10);
        ASSERT_TRUE(sounds.play(writeWav(Bytes(20, 9)), false));
        EXPECT_EQ(device->record().closes, 1);
        EXPECT_TRUE(device->hasOpenOutput());
    }

    TEST_F(SoundPlayerTest, AFileThatCannotBeReadFailsWithTheReadersText)
    {
        std::string error;
        EXPECT_FALSE(sounds.play(dir.file("missing.wav"), false, &error));
        EXPECT_EQ(error, "File not found or something else.");
        writeFile(dir.file("text.wav"), text("not a sound"));
        EXPECT_FALSE(sounds.play(dir.file("text.wav"), false, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(device->hasOpenOutput());
    }

} // namespace
} // namespace kx
