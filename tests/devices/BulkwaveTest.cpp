// The Bulkwave loader's arithmetic, its reader of WAV files of any size, and its player.
#include "LargeWavFiles.h"
#include "TempDir.h"

#include "devices/BulkwaveMarks.h"
#include "devices/BulkwavePlayer.h"
#include "devices/RecordingTexts.h"
#include "devices/TestDevice.h"
#include "documents/LargeWavFile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kx;
using namespace kx::test;

namespace {

constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

} // namespace

TEST(BulkwaveArithmetic, SeekTimesMarkerAndTexts)
{
    struct Seek {
        uint64_t lengthMs;
        int pixel;
        uint64_t expected;
    };
    for (const Seek& seek :
        { Seek { 60000, 31, 11900 }, Seek { 60000, 155, 59900 }, Seek { 60000, 0, 0 }, Seek { 60000, 78, 30100 } })
        EXPECT_EQ(bulkwave::seekMilliseconds(seek.lengthMs, seek.pixel), seek.expected) << seek.pixel;

    EXPECT_EQ(bulkwave::markerX(30000, 60000), 225);
    EXPECT_EQ(bulkwave::markerX(60000, 60000), 300);
    EXPECT_EQ(bulkwave::markerX(50, 99), 150); // a file under a tenth of a second divides by nothing

    EXPECT_EQ(bulkwave::timeText(65432), "01:05.4");
    EXPECT_EQ(bulkwave::timeText(65005), "01:05.0");
    EXPECT_EQ(bulkwave::partTitle("/tmp/x.wav", 2), "Part of /tmp/x.wav (2)");

    EXPECT_EQ(recordingtexts::clock(90000), "01:30");
    EXPECT_EQ(recordingtexts::size(90000, 176400), " 15876");
    EXPECT_EQ(recordingtexts::setupFormat({ 8, 1, 11025 }), "8 Bit, 11025 Hz, MONO");
    EXPECT_EQ(recordingtexts::recordingFormat({ 16, 2, 44100 }), "16 Bit, 44100 Hz STEREO");
}

TEST(BulkwaveArithmetic, MarkRulesInSixtyFourBits)
{
    BulkwaveMarks marks;
    marks.setStart(1000, 5 * kGiB);
    EXPECT_EQ(marks.lengthBytes, 0u); // only a start: to the end of the file

    marks.setEnd(2000, 5 * kGiB + 4000);
    EXPECT_EQ(marks.lengthBytes, 4000u); // past 4 GB, no wrap

    marks.setEnd(500, 4 * kGiB); // before the start: the start goes, in both forms
    EXPECT_EQ(marks.startMs, 0u);
    EXPECT_EQ(marks.startBytes, 0u);
    EXPECT_EQ(marks.lengthBytes, 4 * kGiB);

    marks.setStart(3000, 4 * kGiB + 2); // at or past the end: the end goes
    EXPECT_EQ(marks.endMs, 0u);
    EXPECT_EQ(marks.endBytes, 0u);
    EXPECT_EQ(marks.lengthBytes, 0u);
}

TEST(LargeWavFile, ReadsTheSixtyFourBitLayoutsPastFourGigabytes)
{
    TempDir dir;
    const Bytes fmt = fmtBody(2, 44100, 16);
    const Bytes sound = tone(1);
    struct Case {
        const char* name;
        Bytes head;
        uint64_t size;
        LargeWavFile::Layout layout;
    };
    const uint64_t rf64Data = 5 * kGiB - 80;
    // A plain RIFF file whose 32-bit sizes wrapped: the data runs to the end of the file.
    Bytes riffHead = riff({ chunk("fmt ", fmt) });
    riffHead.insert(riffHead.end(), { 'd', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF });
    const Case cases[] = {
        { "rf64.wav", rf64Head(fmt, rf64Data), 5 * kGiB, LargeWavFile::Layout::Rf64 },
        { "wave64.w64", wave64Head(fmt, 5 * kGiB - 104), 5 * kGiB, LargeWavFile::Layout::Wave64 },
        { "riff.wav", riffHead, 5 * kGiB, LargeWavFile::Layout::Riff },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(c.name);
        const uint64_t soundAt = 4 * kGiB + 1000;
        writeSparse(path, c.head, c.size, c.head.size() + soundAt, sound);
        LargeWavFile file;
        ASSERT_TRUE(file.open(path));
        EXPECT_EQ(file.layout(), c.layout);
        EXPECT_EQ(file.dataSize(), (c.size - c.head.size()) / 4 * 4);
        EXPECT_EQ(file.format(), (PcmFormat { 16, 2, 44100 }));
        Bytes read(sound.size());
        ASSERT_EQ(file.read(soundAt, read), read.size());
        EXPECT_EQ(read, sound);
        EXPECT_LT(bytesOnDisk(path), 64u * 1024 * 1024);
    }
}

TEST(BulkwavePlayer, PlaysFromPastFourGigabytesStraightFromTheFile)
{
    TempDir dir;
    const std::string path = dir.file("big.wav");
    const Bytes sound = tone(2);
    const uint64_t dataSize = 5 * kGiB - 80;
    const uint64_t soundAt = (4 * kGiB / 176400 + 3) * 176400; // a whole second past 4 GB
    writeSparse(path, rf64Head(fmtBody(2, 44100, 16), dataSize), 5 * kGiB, 80 + soundAt, sound);

    auto device = TestDevice::create();
    BulkwavePlayer player(device->factory(), -1);
    ASSERT_TRUE(player.open(path));
    EXPECT_EQ(player.file().lengthMs(), dataSize * 1000 / 176400);
    ASSERT_TRUE(player.playFrom(soundAt / 176400 * 1000, [] {}).ok());
    EXPECT_EQ(player.positionBytes(), soundAt);
    for (int i = 0; i < 44; ++i) // the device's clock takes small steps; the feeder reads ahead a little
        device->advance(1024);
    const std::vector<uint8_t> played = device->record().played;
    ASSERT_GE(played.size(), 176400u);
    EXPECT_TRUE(std::equal(played.begin(), played.begin() + 176400, sound.begin()));
    EXPECT_EQ(player.positionBytes(), soundAt + played.size());

    player.stop(); // the position holds
    EXPECT_EQ(player.positionMs(), (soundAt + played.size()) * 1000 / 176400);
    player.rewind();
    EXPECT_EQ(player.positionBytes(), 0u);
    EXPECT_LT(bytesOnDisk(path), 64u * 1024 * 1024);
}
