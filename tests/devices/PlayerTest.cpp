#include "devices/Player.h"
#include "devices/OutputVolume.h"
#include "devices/TestDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <numeric>
#include <thread>

namespace kx {
namespace {

    using Bytes = std::vector<uint8_t>;

    Bytes pattern(std::size_t size)
    {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = uint8_t(i * 13 + i / 251);
        return bytes;
    }

    std::shared_ptr<SharedDocument> makeDocument(const Bytes& bytes, PcmFormat format = { 8, 1, 22050 })
    {
        WaveDocument document;
        format.applyTo(document.header);
        document.header.setDataSize(uint32_t(bytes.size()));
        if (!bytes.empty())
            document.samples = SampleBuffer::copyOf(bytes);
        return std::make_shared<SharedDocument>(std::move(document));
    }

    Bytes slice(const Bytes& bytes, std::size_t start, std::size_t length)
    {
        return Bytes(bytes.begin() + std::ptrdiff_t(start), bytes.begin() + std::ptrdiff_t(start + length));
    }

    class PlayerTest : public testing::Test {
    protected:
        void TearDown() override { outputvolume::set(outputvolume::kFull); }

        /// Runs the manual clock until the device reports the end, or gives up after `limit` frames.
        void playToEnd(std::size_t limit = 1 << 22)
        {
            for (std::size_t played = 0; played < limit && device->record().dones == 0; played += 512)
                device->advance(512);
        }

        std::shared_ptr<TestDevice> device = TestDevice::create();
        Player player { device->factory() };
        std::atomic<int> dones { 0 };
        AudioOutput::DoneHandler countDone = [this] { ++dones; };
    };

    TEST_F(PlayerTest, WithoutAMarkTheWholeDocumentPlays)
    {
        const Bytes data = pattern(70000); // several feeder blocks
        ASSERT_TRUE(player.play(makeDocument(data), -1, false, countDone).ok());
        playToEnd();
        const auto record = device->record();
        EXPECT_EQ(record.played, data);
        EXPECT_EQ(dones, 1);
        ASSERT_EQ(record.openFormats.size(), 1u);
        EXPECT_EQ(record.openFormats[0], (PcmFormat { 8, 1, 22050 }));
        EXPECT_EQ(record.deviceIds, std::vector<int32_t> { -1 });
    }

    TEST_F(PlayerTest, AMarkPlaysExactlyItsBytes)
    {
        const Bytes data = pattern(4000);
        auto document = makeDocument(data);
        document->document.mark.markStart = 500;
        document->document.mark.markLength = 1000;
        ASSERT_TRUE(player.play(document, 2, false, countDone).ok());
        EXPECT_EQ(player.range().start, 500u);
        EXPECT_EQ(player.range().length, 1000u);
        playToEnd();
        EXPECT_EQ(device->record().played, slice(data, 500, 1000));
        EXPECT_EQ(device->record().deviceIds, std::vector<int32_t> { 2 });
        EXPECT_EQ(player.position(), 1500u);
    }

    TEST_F(PlayerTest, LoopPlaysUntilStopped)
    {
        const Bytes data = pattern(3000);
        auto document = makeDocument(data, { 16, 2, 44100 });
        document->document.mark.markStart = 400;
        document->document.mark.markLength = 1200;
        ASSERT_TRUE(player.play(document, -1, true, countDone).ok());
        for (int i = 0; i < 40; ++i)
            device->advance(300); // 40 x 1200 bytes: forty times round the mark
        const Bytes played = device->record().played;
        ASSERT_EQ(played.size(), 40u * 1200u);
        for (std::size_t round = 0; round < 40; ++round)
            ASSERT_EQ(slice(played, round * 1200, 1200), slice(data, 400, 1200)) << "round " << round;
        EXPECT_EQ(dones, 0);
        EXPECT_TRUE(player.isOpen());
        player.stop();
        EXPECT_FALSE(player.isOpen());
        EXPECT_FALSE(device->hasOpenOutput());
        EXPECT_EQ(device->record().closes, 1);
        EXPECT_EQ(dones, 0); // a stopped playback sends no done notification
    }

    TEST_F(PlayerTest, PauseHoldsThePositionAndResumeGoesOn)
    {
        const Bytes data = pattern(2000);
        ASSERT_TRUE(player.play(makeDocument(data), -1, false, countDone).ok());
        device->advance(600);
        player.pause();
        EXPECT_TRUE(player.isPaused());
        EXPECT_EQ(device->advance(600), 0u);
        EXPECT_EQ(player.position(), 600u);
        player.pause(); // a second pause resumes
        EXPECT_FALSE(player.isPaused());
        playToEnd();
        EXPECT_EQ(device->record().played, data);
        EXPECT_EQ(dones, 1);
    }

    TEST_F(PlayerTest, ResumeAfterPauseAndStopWhilePaused)
    {
        ASSERT_TRUE(player.play(makeDocument(pattern(2000)), -1, false, countDone).ok());
        player.pause();
        player.resume();
        EXPECT_FALSE(player.isPaused());
        player.pause();
        player.stop();
        EXPECT_FALSE(player.isOpen());
        EXPECT_FALSE(player.isPaused());
    }

    TEST_F(PlayerTest, ADocumentWithoutDataOpensNoDevice)
    {
        EXPECT_TRUE(player.play(makeDocument({}), -1, false, countDone).ok());
        EXPECT_FALSE(player.isOpen());
        EXPECT_TRUE(device->record().deviceIds.empty());
    }

    TEST_F(PlayerTest, ARejectedFormatGivesTheDeviceTextAndLeavesNothingOpen)
    {
        device->setAcceptedFormats([](const PcmFormat& f) { return f.bits == 8; }, "The format is not supported.");
        const DeviceStatus status = player.play(makeDocument(pattern(100), { 16, 2, 48000 }), -1, false, countDone);
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(status.errorText, "The format is not supported.");
        EXPECT_FALSE(player.isOpen());
        EXPECT_FALSE(device->hasOpenOutput());
    }

    TEST_F(PlayerTest, PlayingAnotherDocumentStopsTheFirst)
    {
        const Bytes first = pattern(5000);
        const Bytes second = Bytes(800, 77);
        auto firstDocument = makeDocument(first);
        ASSERT_TRUE(player.play(firstDocument, -1, false, countDone).ok());
        device->advance(100);
        ASSERT_TRUE(player.play(makeDocument(second), -1, false, countDone).ok());
        EXPECT_NE(player.document(), firstDocument.get());
        playToEnd();
        const auto record = device->record();
        EXPECT_EQ(record.closes, 1);
        EXPECT_EQ(record.openFormats.size(), 2u);
        Bytes expected = slice(first, 0, 100);
        expected.insert(expected.end(), second.begin(), second.end());
        EXPECT_EQ(record.played, expected);
        EXPECT_EQ(dones, 1);
    }

    TEST_F(PlayerTest, TheVolumeIsAppliedPerChannel)
    {
        Bytes data(400);
        for (std::size_t i = 0; i < data.size(); i += 2)
            data[i] = 255, data[i + 1] = 0; // left at the top, right at the bottom
        outputvolume::set(0x7FFF7FFF);
        ASSERT_TRUE(player.play(makeDocument(data, { 8, 2, 11025 }), -1, false, countDone).ok());
        playToEnd();
        const Bytes played = device->record().played;
        ASSERT_EQ(played.size(), data.size());
        EXPECT_EQ(played[0], 191);
        EXPECT_EQ(played[1], 65); // 128 - trunc(128 * 0x7FFF / 0xFFFF)
    }

    TEST_F(PlayerTest, ADocumentThatShrinksWhilePlayingEndsWithoutReadingFreedMemory)
    {
        const Bytes data = pattern(1 << 20);
        auto document = makeDocument(data);
        ASSERT_TRUE(player.play(document, -1, false, countDone).ok());
        device->advance(1000);
        {
            // An operation resizing the data takes the lock exclusively; the old block is gone after.
            std::unique_lock lock(document->lock);
            document->document.samples = SampleBuffer::copyOf(slice(data, 0, 3000));
            document->document.header.setDataSize(3000);
        }
        playToEnd();
        const Bytes played = device->record().played;
        // What was read ahead before the change may still play; nothing past the old data does.
        ASSERT_LE(played.size(), data.size());
        EXPECT_EQ(played, slice(data, 0, played.size()));
        EXPECT_EQ(dones, 1);
    }

    TEST_F(PlayerTest, ThePlayerKeepsTheDocumentAliveAfterItsOwnerLetsGo)
    {
        const Bytes data = pattern(50000);
        auto document = makeDocument(data);
        std::weak_ptr<SharedDocument> watch = document;
        ASSERT_TRUE(player.play(std::move(document), -1, false, countDone).ok());
        EXPECT_FALSE(watch.expired());
        playToEnd();
        EXPECT_EQ(device->record().played, data);
        player.stop();
        EXPECT_TRUE(watch.expired());
    }

    TEST(PlayerRealTimeTest, TheDeviceClockPlaysToTheEndAndNotifies)
    {
        auto device = TestDevice::create(TestDevice::Clock::RealTime);
        Player player(device->factory());
        std::mutex mutex;
        std::condition_variable doneSignal;
        bool done = false;
        const Bytes data = pattern(8000); // under half a second at 22050 Hz mono 8 bit
        ASSERT_TRUE(player
                        .play(makeDocument(data), -1, false,
                            [&] {
                                std::lock_guard lock(mutex);
                                done = true;
                                doneSignal.notify_all();
                            })
                        .ok());
        {
            std::unique_lock lock(mutex);
            ASSERT_TRUE(doneSignal.wait_for(lock, std::chrono::seconds(20), [&] { return done; }));
        }
        player.stop();
        EXPECT_EQ(device->record().played, data);
    }

} // namespace
} // namespace kx
