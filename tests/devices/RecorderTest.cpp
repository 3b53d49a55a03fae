// Recording: the streamed file, the recorder over the test input, and the level meter.
#include "TempDir.h"
#include "WaitFor.h"

#include "devices/InputLevel.h"
#include "devices/Recorder.h"
#include "devices/TestInput.h"
#include "documents/RecordingFile.h"
#include "documents/WavReader.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

using namespace kx;

namespace {

/// Every byte is the low byte of its own frame number, so a gap or a repeat shows.
void countingFrames(std::span<uint8_t> block, uint64_t firstFrame, const PcmFormat& format)
{
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = uint8_t(firstFrame + i / format.blockAlign());
}

std::vector<uint8_t> samplesOf(const std::string& path, WaveHeader& header)
{
    WavFileContents contents;
    EXPECT_EQ(readWavFile(path, contents), WavReadStatus::Ok);
    header = contents.header;
    const auto bytes = contents.samples.bytes();
    return { bytes.begin(), bytes.end() };
}

} // namespace

TEST(RecordingFile, IsReadableWithAllBlocksWhileStillOpenAndRefusesALink)
{
    test::TempDir dir;
    const std::string path = dir.file("KexTemp.WAV");
    RecordingFile file;
    std::string error;
    ASSERT_TRUE(file.create(path, { 16, 2, 44100 }, 0600, error)) << error;
    std::vector<uint8_t> block(4000);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = uint8_t(i * 7);
    ASSERT_TRUE(file.append(block));
    ASSERT_TRUE(file.append(std::span(block).first(1000)));

    // What a crash now would leave behind.
    WaveHeader header;
    const std::vector<uint8_t> samples = samplesOf(path, header);
    EXPECT_EQ(header.dataSize, 5000u);
    EXPECT_EQ(header.nAvgBytesPerSec, 176400u);
    ASSERT_EQ(samples.size(), 5000u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), samples.begin()));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_TRUE(file.close());

    const std::string target = dir.file("target");
    std::ofstream(target) << "keep";
    std::filesystem::create_symlink(target, dir.file("planted.WAV"));
    EXPECT_FALSE(file.create(dir.file("planted.WAV"), { 8, 1, 8000 }, 0600, error));
    EXPECT_EQ(std::filesystem::file_size(target), 4u);
}

TEST(Recorder, WritesExactlyTheLimitWithoutGapsAndPauseHoldsTheClock)
{
    test::TempDir dir;
    const PcmFormat format { 16, 2, 8000 };
    {
        Recorder recorder(TestInput::factory(countingFrames, TestInput::Pace::Unpaced));
        ASSERT_TRUE(recorder.start(-1, format, dir.file("fast.wav"), 0600, 32000 * 3 + 8).ok());
        ASSERT_TRUE(recorder.waitUntilDone(std::chrono::seconds(10)));
        ASSERT_TRUE(recorder.stop().ok());
        EXPECT_EQ(recorder.elapsedMs(), 3000u);
        WaveHeader header;
        const std::vector<uint8_t> samples = samplesOf(dir.file("fast.wav"), header);
        ASSERT_EQ(samples.size(), 96008u);
        for (std::size_t i = 0; i < samples.size(); ++i)
            ASSERT_EQ(samples[i], uint8_t(i / 4)) << i;
    }

    // The device hands over a block only when the test lets it, so the pause sees whole blocks.
    std::mutex mutex;
    std::condition_variable changed;
    uint64_t asked = 0, allowed = 1;
    bool freeRun = false;
    auto gated = [&](std::span<uint8_t> block, uint64_t firstFrame, const PcmFormat& f) {
        std::unique_lock lock(mutex);
        ++asked;
        changed.notify_all();
        changed.wait(lock, [&] { return freeRun || asked <= allowed; });
        countingFrames(block, firstFrame, f);
    };
    // Lets `blocks` more through and returns once the device has handed all of them over.
    auto release = [&](uint64_t blocks) {
        std::unique_lock lock(mutex);
        allowed += blocks;
        changed.notify_all();
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return asked > allowed; });
    };
    Recorder recorder(TestInput::factory(gated, TestInput::Pace::Unpaced));
    ASSERT_TRUE(recorder.start(-1, format, dir.file("paused.wav"), 0600, 32000 / 2).ok());
    ASSERT_TRUE(release(0));
    const uint64_t held = recorder.bytesRecorded();
    EXPECT_GT(held, 0u);
    recorder.pause();
    ASSERT_TRUE(release(3));
    EXPECT_EQ(recorder.bytesRecorded(), held);
    recorder.resume();
    ASSERT_TRUE(release(1));
    EXPECT_GT(recorder.bytesRecorded(), held);
    {
        std::lock_guard lock(mutex);
        freeRun = true;
        changed.notify_all();
    }
    ASSERT_TRUE(recorder.waitUntilDone(std::chrono::seconds(10)));
    EXPECT_TRUE(recorder.stop().ok());
    EXPECT_EQ(recorder.elapsedMs(), 500u);
}

TEST(InputLevel, ShowsThePeakOfTheWholeBufferAndWarnsOnTheLeftOnly)
{
    struct Case {
        std::vector<uint8_t> buffer;
        int left, right;
        bool peak;
    };
    const Case cases[] = {
        { { 128, 128, 128, 128, 200, 10, 128, 128 }, 73, 117, false }, // the peak is not in the first frame
        { { 127, 127, 0, 255, 127, 127 }, 127, 127, false }, // a right value never warns
        { { 127, 127, 254, 127 }, 127, 0, true },
        { { 127, 127, 253, 127 }, 126, 0, false },
    };
    for (const Case& c : cases) {
        const InputLevel level = inputLevel(c.buffer);
        EXPECT_EQ(level.left, c.left);
        EXPECT_EQ(level.right, c.right);
        EXPECT_EQ(level.peak, c.peak);
    }
}
