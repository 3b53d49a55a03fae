#include "TempDir.h"
#include "WavBuilder.h"
#include "documents/PendingFile.h"
#include "documents/WavReader.h"
#include "documents/WavWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace kx;
using namespace kx::test;

WaveHeader format(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveHeader h;
    h.nChannels = channels;
    h.nSamplesPerSec = rate;
    h.wBitsPerSample = bits;
    h.nBlockAlign = uint16_t(channels * bits / 8);
    h.nAvgBytesPerSec = rate * h.nBlockAlign;
    return h;
}

TEST(WavWriter, WritesTheCanonicalLayout)
{
    TempDir dir;
    const Bytes samples = ramp(10);
    WaveHeader h = format(2, 44100, 16);
    h.wFormatTag = 7; // whatever the header says, the file is PCM with a 16-byte fmt
    h.fmtSize = 99;
    ASSERT_EQ(writeWavFile(dir.file("out.wav"), h, samples), WavWriteStatus::Ok);
    const Bytes expected = riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", samples)});
    EXPECT_EQ(readFile(dir.file("out.wav")), expected);
    EXPECT_EQ(expected.size(), 44u + 10u);
}

TEST(WavWriter, RoundTripsEveryFormat)
{
    TempDir dir;
    const struct {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        std::size_t bytes;
    } cases[] = {{1, 8000, 8, 101}, {2, 22050, 8, 100}, {1, 1, 16, 6}, {2, 48000, 16, 4000}, {2, 44100, 16, 0},
                 {1, 11025, 8, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.rate << "Hz " << c.bits << "bit " << c.bytes);
        const Bytes samples = ramp(c.bytes);
        const WaveHeader h = format(c.channels, c.rate, c.bits);
        ASSERT_EQ(writeWavFile(dir.file("rt.wav"), h, samples), WavWriteStatus::Ok);
        EXPECT_EQ(std::filesystem::file_size(dir.file("rt.wav")), 44u + c.bytes);
        WavFileContents back;
        ASSERT_EQ(readWavFile(dir.file("rt.wav"), back), WavReadStatus::Ok);
        WaveHeader expected = h;
        expected.setDataSize(uint32_t(c.bytes));
        EXPECT_EQ(std::memcmp(&back.header, &expected, sizeof expected), 0);
        EXPECT_EQ(back.header.nChannels, c.channels);
        EXPECT_EQ(back.header.nSamplesPerSec, c.rate);
        EXPECT_EQ(back.header.wBitsPerSample, c.bits);
        EXPECT_EQ(back.header.dataSize, c.bytes);
        EXPECT_EQ(Bytes(back.samples.data(), back.samples.data() + back.samples.size()), samples);
        EXPECT_FALSE(back.dataCutShort);
    }
}

/// Limits how large a file this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST(WavWriter, FailedWritesLeaveThePreviousFileAndNoTemporary)
{
    TempDir dir;
    const std::string target = dir.file("take.wav");
    writeFile(target, text("previous contents"));
    const Bytes samples = ramp(5000);
    const struct {
        rlim_t limit;
        WavWriteStatus status;
        const char* message;
    } cases[] = {
        {10, WavWriteStatus::CannotCreate, "Cannot write. May be read-only."},
        {30, WavWriteStatus::CannotWriteFormat, "Cannot write PCMWAVEFORMAT. May be read-only."},
        {40, WavWriteStatus::CannotCreateData, "Cannot write data. May be read-only."},
        {1000, WavWriteStatus::CannotWriteData, "Cannot write data."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        {
            FileSizeLimit limit(c.limit);
            EXPECT_EQ(writeWavFile(target, format(1, 8000, 8), samples), c.status);
        }
        EXPECT_STREQ(wavWriteMessage(c.status), c.message);
        EXPECT_EQ(readFile(target), text("previous contents"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
    // A directory that does not exist cannot take the file.
    EXPECT_EQ(writeWavFile(dir.file("no/such/dir/x.wav"), format(1, 8000, 8), samples), WavWriteStatus::CannotCreate);
    // Nor can a path that names a directory: the rename fails and nothing is left behind.
    std::filesystem::create_directory(dir.file("isdir.wav"));
    EXPECT_EQ(writeWavFile(dir.file("isdir.wav"), format(1, 8000, 8), samples), WavWriteStatus::CannotCreate);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(WavWriter, AWriterThatDiesHalfWayLeavesNothingBehind)
{
    TempDir dir;
    const std::string target = dir.file("take.wav");
    const Bytes samples = ramp(100000);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file size limit ends the writer the way a kill or a crash would.
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        writeWavFile(target, format(1, 8000, 8), samples);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_FALSE(std::filesystem::exists(target));
    // Without unnamed files a hidden one is the price, so only it may be left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), unnamedTemporaryFiles() ? 0 : 1);
}

TEST(WavWriter, ReplacingKeepsModeAndWritesThroughLinks)
{
    TempDir dir;
    const std::string real = dir.file("real.wav");
    writeFile(real, text("old"));
    std::filesystem::permissions(real, std::filesystem::perms(0640));
    std::filesystem::create_symlink(real, dir.file("link.wav"));
    ASSERT_EQ(writeWavFile(dir.file("link.wav"), format(1, 8000, 8), ramp(4)), WavWriteStatus::Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.wav")));
    EXPECT_EQ(std::filesystem::file_size(real), 48u);
    EXPECT_EQ(std::filesystem::status(real).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));
}

TEST(WavWriter, ReplacingKeepsOwnerAndGroupWhereAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a file away";
    TempDir dir;
    const std::string path = dir.file("theirs.wav");
    writeFile(path, text("old"));
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_EQ(writeWavFile(path, format(1, 8000, 8), ramp(4)), WavWriteStatus::Ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(WavWriter, LongPathsAreNotShortened)
{
    TempDir dir;
    std::filesystem::path deep = dir.path();
    for (int i = 0; i < 6; ++i)
        deep /= std::string(60, char('a' + i));
    std::filesystem::create_directories(deep);
    const std::string path = (deep / "a long file name that goes on.wav").string();
    ASSERT_GT(path.size(), 300u);
    ASSERT_EQ(writeWavFile(path, format(1, 8000, 8), ramp(3)), WavWriteStatus::Ok);
    WavFileContents back;
    EXPECT_EQ(readWavFile(path, back), WavReadStatus::Ok);
    EXPECT_EQ(back.header.dataSize, 3u);
}

TEST(WavWriter, ExtensionRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {"TAKE1", "TAKE1.wav"},       {"TAKE1.mp3", "TAKE1.mp3"}, {"TAKE1.WAV", "TAKE1.WAV"},
        {"TAKE1.wav", "TAKE1.wav"},   {"TAKE1.au", "TAKE1.au.wav"}, {"/a.b/TAKE1", "/a.b/TAKE1.wav"},
        {"abc", "abc.wav"},           {".abc", ".abc"},           {"", ".wav"},
        {"x.flac", "x.flac.wav"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(withWaveExtension(in), out) << in;
}

} // namespace
