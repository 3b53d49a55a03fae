// Files made to hang, crash or fool the readers: each reader ends in bounded time, refuses what no
// document can hold, and leaves every file as it was.
#include "TempDir.h"
#include "WavBuilder.h"
#include "clipboard/FileCopy.h"
#include "documents/LargeWavFile.h"
#include "documents/RecordingFile.h"
#include "documents/RecoveryFile.h"
#include "documents/RegularFile.h"
#include "documents/WavReader.h"
#include "media/DecodingWavReader.h"
#include "media/SoundFileOpener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kx;
using namespace kx::test;

namespace {

/// Runs `work` in a child process and says whether it returned true before the deadline; a child
/// that hangs is killed, so a reader that never ends fails the test instead of stopping the run.
bool endsInTime(const std::function<bool()>& work, std::chrono::seconds deadline = std::chrono::seconds(20))
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work() ? 0 : 1);
    const auto end = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

constexpr uint8_t kWave64Tail[12] = { 0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1, 0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A };
constexpr uint8_t kWave64RiffTail[12] = { 0x2E, 0x91, 0xCF, 0x11, 0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00 };

void put64(Bytes& b, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

Bytes wave64Chunk(const char* id, const Bytes& body, uint64_t declaredSize)
{
    Bytes b;
    putId(b, id);
    b.insert(b.end(), kWave64Tail, kWave64Tail + 12);
    put64(b, declaredSize);
    b.insert(b.end(), body.begin(), body.end());
    b.resize((b.size() + 7) / 8 * 8, 0);
    return b;
}

Bytes wave64(const std::vector<Bytes>& chunks)
{
    Bytes body;
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    putId(b, "riff");
    b.insert(b.end(), kWave64RiffTail, kWave64RiffTail + 12);
    put64(b, 40 + body.size());
    putId(b, "wave");
    b.insert(b.end(), kWave64Tail, kWave64Tail + 12);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes rf64(const Bytes& fmt, const Bytes& samples)
{
    Bytes ds64;
    put64(ds64, 0);
    put64(ds64, samples.size());
    put64(ds64, 0);
    put32(ds64, 0);
    Bytes b = riff({ chunk("ds64", ds64), chunk("fmt ", fmt), chunk("data", samples, 0xFFFFFFFF) });
    std::copy_n("RF64", 4, b.begin());
    return b;
}

/// The fields of a recovery copy as its writer lays them out, with the values a test spoils.
struct CopyFields {
    uint32_t tag = 1, channels = 1, rate = 8000, avg = 8000, align = 1, bits = 8;
    uint32_t markStart = 0, markLength = 0;
    Bytes samples = Bytes(16, 0x80);
    int64_t declaredSize = -1;
};

Bytes recoveryCopy(const CopyFields& f)
{
    Bytes b { 'K', 'X', 'R', 'E', 'C', 'O', 'V', '1' };
    for (const uint32_t v : { f.tag, f.channels, f.rate, f.avg, f.align, f.bits,
             f.declaredSize < 0 ? uint32_t(f.samples.size()) : uint32_t(f.declaredSize), f.markStart, f.markLength, 0u,
             uint32_t(f.samples.size()), 100u, 0u, 1u, 1u })
        put32(b, v);
    for (const std::string text : { "Take.WAV", "", "", "", "", "", "", "", "" }) {
        put32(b, uint32_t(text.size()));
        b.insert(b.end(), text.begin(), text.end());
    }
    b.insert(b.end(), f.samples.begin(), f.samples.end());
    b.insert(b.end(), { 'K', 'X', 'R', 'E', 'N', 'D', '.', '.' });
    return b;
}

} // namespace

TEST(HostileFiles, EveryChunkWalkEndsAndStaysInsideTheFile)
{
    TempDir dir;
    const Bytes fmt = fmtBody(1, 8000, 8);
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        // A size of all ones made the step zero; 2^64 - 24 stepped back to the chunk before.
        { "Wave64 step of zero", wave64({ wave64Chunk("junk", {}, ~uint64_t(0)), wave64Chunk("fmt ", fmt, 40) }) },
        { "Wave64 step back", wave64({ wave64Chunk("fmt ", fmt, 40), wave64Chunk("junk", {}, ~uint64_t(0) - 23) }) },
        { "Wave64 chunk past the end", wave64({ wave64Chunk("fmt ", fmt, 40), wave64Chunk("junk", {}, 1 << 20) }) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.file("hostile.w64");
        writeFile(path, c.file);
        EXPECT_TRUE(endsInTime([&] { return !LargeWavFile().open(path); }));
    }

    // A sparse file of countless empty chunks (a few KB on disk) is given up after a bounded walk.
    const std::string sparse = dir.file("sparse.wav");
    writeFile(sparse, riff({ chunk("fmt ", fmt) }, "WAVE", 0x7FFFFFF0));
    ASSERT_EQ(::truncate(sparse.c_str(), 400 << 20), 0);
    EXPECT_TRUE(endsInTime([&] {
        WavFileContents contents;
        return readWavFile(sparse, contents) == WavReadStatus::NoDataChunk && !LargeWavFile().open(sparse);
    }));
}

TEST(HostileFiles, ADataRateBeyond32BitsIsRefusedByEveryReader)
{
    TempDir dir;
    // 2^30 Hz stereo 16 bit: four bytes a frame give a data rate of exactly 2^32.
    const Bytes fmt = fmtBody(2, 1u << 30, 16);
    const Bytes samples(64, 1);
    const struct {
        const char* name;
        Bytes file;
    } files[] = {
        { "riff.wav", riff({ chunk("fmt ", fmt), chunk("data", samples) }) },
        { "rf64.wav", rf64(fmt, samples) },
        { "wave64.w64", wave64({ wave64Chunk("fmt ", fmt, 40), wave64Chunk("data", samples, 24 + 64) }) },
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string path = dir.file(f.name);
        writeFile(path, f.file);
        WavFileContents contents;
        EXPECT_NE(readWavFile(path, contents), WavReadStatus::Ok);
        EXPECT_FALSE(LargeWavFile().open(path));
    }
    // The highest rate whose data rate fits is still a file.
    const std::string fits = dir.file("fits.wav");
    writeFile(fits, rf64(fmtBody(2, (1u << 30) - 1, 16), samples));
    LargeWavFile file;
    ASSERT_TRUE(file.open(fits));
    EXPECT_EQ(file.lengthMs(), 0u);
}

TEST(HostileFiles, ANamedPipeIsRefusedWithoutWaitingForAWriter)
{
    TempDir dir;
    const std::string pipe = dir.file("pipe.wav");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(endsInTime([&] {
        WavFileContents contents;
        return readWavFile(pipe, contents) == WavReadStatus::CannotOpen && !LargeWavFile().open(pipe)
            && openRegularFile(pipe).notRegular && !readRecoveryFile(pipe)
            && copyFileReplacing(pipe, dir.file("copy.wav"), 0600) == FileCopyStatus::CannotRead;
    }));
    EXPECT_TRUE(endsInTime([&] {
        class NoRawAnswer : public OpenInteraction {
            std::optional<PcmFormat> askRawFormat(uint64_t) override { return std::nullopt; }
        } answer;
        const OpenResult opened = openSoundFile(pipe, {}, answer);
        return opened.status == OpenStatus::Failed && opened.message == kNotRegularFileText;
    }));
    // A recording never waits for a reader of a pipe at its name.
    EXPECT_TRUE(endsInTime([&] {
        RecordingFile recording;
        std::string error;
        return !recording.create(pipe, { 16, 2, 44100 }, 0600, error) && error == "not a regular file";
    }));
}

TEST(HostileFiles, ADamagedRecoveryCopyIsNeverLoaded)
{
    TempDir dir;
    const std::string path = dir.file("copy.kxr");
    writeFile(path, recoveryCopy({}));
    ASSERT_TRUE(readRecoveryFile(path));
    ASSERT_EQ(recoveredName(path), "Take.WAV");

    const struct {
        const char* what;
        std::function<void(CopyFields&)> spoil;
    } cases[] = {
        { "block size 0", [](CopyFields& f) { f.align = 0; } },
        { "data rate 0", [](CopyFields& f) { f.avg = 0; } },
        { "foreign format tag", [](CopyFields& f) { f.tag = 0x55; } },
        { "24 bits", [](CopyFields& f) { f.bits = 24; } },
        { "data rate beyond 32 bits",
            [](CopyFields& f) { f.rate = 1u << 30, f.channels = 2, f.bits = 16, f.align = 4, f.avg = 0; } },
        { "mark beyond the data", [](CopyFields& f) { f.markStart = 10, f.markLength = 7; } },
        { "half a frame of data",
            [](CopyFields& f) { f.channels = 2, f.bits = 16, f.align = 4, f.avg = 32000, f.samples.resize(18); } },
        { "4 GiB declared", [](CopyFields& f) { f.declaredSize = 0xFFFFFFF0; } },
        { "cut short", [](CopyFields& f) { f.declaredSize = 17; } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CopyFields fields;
        c.spoil(fields);
        writeFile(path, recoveryCopy(fields));
        EXPECT_FALSE(readRecoveryFile(path));
        // The name is not given either, so the copy is listed as damaged and offered for discarding.
        EXPECT_FALSE(recoveredName(path));
    }
}

TEST(HostileFiles, CodedWaveSamplesAreDecodedNotReadAsPcm)
{
    TempDir dir;
    // u-law 0xFF is silence, 0x80 and 0x00 the extremes; a-law 0xD5 is silence.
    const Bytes uLaw { 0xFF, 0x80, 0x00, 0xFF };
    const struct {
        const char* name;
        uint16_t tag;
        Bytes samples;
        std::vector<int16_t> expected;
    } files[] = {
        { "ulaw.wav", 7, uLaw, { 0, 32124, -32124, 0 } },
        { "alaw.wav", 6, { 0xD5, 0xAA, 0x2A, 0xD5 }, { 8, 32256, -32256, 8 } },
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string path = dir.file(f.name);
        writeFile(path, riff({ chunk("fmt ", fmtBody(1, 8000, 8, f.tag, 2)), chunk("data", f.samples) }));
        WavFileContents plain;
        EXPECT_EQ(readWavFile(path, plain), WavReadStatus::NeedsDecoder);
        EXPECT_STREQ(wavReadMessage(WavReadStatus::NeedsDecoder), "File is in wrong format.");

        WavFileContents decoded;
        ASSERT_EQ(readWavDecoding(path, decoded), WavReadStatus::Ok);
        EXPECT_EQ(decoded.header.wBitsPerSample, 16);
        EXPECT_EQ(decoded.header.nSamplesPerSec, 8000u);
        ASSERT_EQ(decoded.samples.size(), f.expected.size() * 2);
        std::vector<int16_t> values(f.expected.size());
        std::memcpy(values.data(), decoded.samples.data(), decoded.samples.size());
        EXPECT_EQ(values, f.expected);
    }
}
