#include "../filters/FilterDocuments.h"
#include "TempDir.h"
#include "WavBuilder.h"
#include "clipboard/ClipboardCopy.h"
#include "clipboard/ClipboardLocation.h"
#include "clipboard/ClipboardReader.h"
#include "clipboard/FileCopy.h"
#include "documents/NamedLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace kx;
using namespace kx::test;

/// Sets an environment variable (null: removes it) for one scope.
class EnvironmentSetting {
public:
    EnvironmentSetting(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentSetting()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

mode_t modeOf(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    TEST(ClipboardLocation, LivesInTheUsersPrivateDirectoryAndCanBeMoved)
    {
        ClipboardLocation::setDirectory("");
        TempDir runtime;
        {
            EnvironmentSetting session("XDG_RUNTIME_DIR", runtime.path().c_str());
            EXPECT_EQ(ClipboardLocation::filePath(), runtime.file("kestrix2000/KexCLIP.WAV"));
            EXPECT_EQ(NamedLock::pathFor(ClipboardLocation::kLockName), runtime.file("kestrix2000/KexClipboard.lock"));
            EXPECT_EQ(modeOf(runtime.file("kestrix2000")), 0700u);
            ClipboardLocation::setDirectory("/some/where");
            EXPECT_EQ(ClipboardLocation::filePath(), "/some/where/KexCLIP.WAV");
            ClipboardLocation::setDirectory("");
        }
        // Without a session directory: a directory of ours in the shared temporary directory.
        TempDir shared;
        std::filesystem::permissions(shared.path(), std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
        EnvironmentSetting noSession("XDG_RUNTIME_DIR", nullptr);
        EnvironmentSetting tmp("TMPDIR", shared.path().c_str());
        const std::string ours = shared.file("kestrix2000-" + std::to_string(::geteuid()));
        EXPECT_EQ(ClipboardLocation::filePath(), ours + "/KexCLIP.WAV");
        EXPECT_EQ(modeOf(ours), 0700u);
    }

    TEST(ClipboardLocation, NothingPlantedInTheSharedTemporaryDirectoryIsUsed)
    {
        ClipboardLocation::setDirectory("");
        TempDir shared;
        std::filesystem::permissions(shared.path(), std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
        EnvironmentSetting noSession("XDG_RUNTIME_DIR", nullptr);
        EnvironmentSetting tmp("TMPDIR", shared.path().c_str());
        const WaveDocument document = eightBit(ramp(100));
        TempDir victims;
        const Bytes secret { 1, 2, 3 };
        writeFile(victims.file("private.wav"), secret);

        // Another user's link where the clipboard used to be: the copy goes elsewhere.
        std::filesystem::create_symlink(victims.file("private.wav"), shared.file("KexCLIP.WAV"));
        EXPECT_EQ(copyToClipboard(document, ClipboardLocation::filePath()).status, CopyStatus::Copied);
        EXPECT_EQ(readFile(victims.file("private.wav")), secret);
        EXPECT_EQ(modeOf(ClipboardLocation::filePath()), 0600u);

        // Our directory's name taken by a link or by a directory of someone else: no clipboard at all.
        const std::string ours = shared.file("kestrix2000-" + std::to_string(::geteuid()));
        std::filesystem::remove_all(ours);
        std::filesystem::create_directory_symlink(victims.path(), ours);
        EXPECT_EQ(ClipboardLocation::filePath(), "");
        EXPECT_EQ(NamedLock::pathFor(ClipboardLocation::kLockName), "");
        EXPECT_NE(copyToClipboard(document, ClipboardLocation::filePath()).status, CopyStatus::Copied);
        EXPECT_FALSE(NamedLock(ClipboardLocation::kLockName).tryLock());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(victims.path()), {}), 1);
        if (::geteuid() == 0) {
            std::filesystem::remove(ours);
            std::filesystem::create_directory(ours);
            ASSERT_EQ(::chown(ours.c_str(), 4321, 4321), 0);
            EXPECT_EQ(ClipboardLocation::filePath(), "");
        }
    }

TEST(ClipboardCopy, WritesTheMarkOrEverythingAsExactly44PlusNBytes)
{
    const struct {
        uint32_t markStart, markLength;
        uint32_t expectedStart, expectedLength;
    } cases[] = {
        { 0, 0, 0, 8000 }, // nothing marked: the whole document
        { 1000, 4000, 1000, 4000 }, // a 4044-byte file whose dataSize is 4000
        { 0, 8000, 0, 8000 }, { 7000, 5000, 7000, 1000 }, // a mark reaching past the data is cut to it
    };
    TempDir dir;
    const std::vector<uint8_t> bytes = ramp(8000);
    for (const auto& c : cases) {
        WaveDocument document = eightBit(bytes);
        mark(document, c.markStart, c.markLength);
        const std::string path = dir.file("KexCLIP.WAV");
        ASSERT_EQ(copyToClipboard(document, path).status, CopyStatus::Copied);
        const Bytes file = readFile(path);
        ASSERT_EQ(file.size(), 44u + c.expectedLength);
        WaveHeader header;
        std::memcpy(&header, file.data(), 44);
        EXPECT_EQ(header.dataSize, c.expectedLength);
        EXPECT_EQ(header.riffSize, c.expectedLength + 36);
        EXPECT_EQ(header.nSamplesPerSec, 22050u);
        EXPECT_EQ(std::memcmp(file.data() + 44, bytes.data() + c.expectedStart, c.expectedLength), 0);
        // The document is not touched.
        EXPECT_EQ(document.info.saved, 1u);
        EXPECT_EQ(document.mark.markStart, c.markStart);
    }
}

TEST(ClipboardCopy, EmptyDocumentWritesNothing)
{
    TempDir dir;
    WaveDocument document;
    EXPECT_EQ(copyToClipboard(document, dir.file("KexCLIP.WAV")).status, CopyStatus::NothingToCopy);
    EXPECT_FALSE(std::filesystem::exists(dir.file("KexCLIP.WAV")));
}

TEST(ClipboardCopy, FailedCopyKeepsThePreviousClipboard)
{
    TempDir dir;
    const std::string path = dir.file("KexCLIP.WAV");
    WaveDocument small = eightBit(ramp(100));
    ASSERT_EQ(copyToClipboard(small, path).status, CopyStatus::Copied);
    const Bytes before = readFile(path);

    // A file size limit makes the write of the larger clipboard fail half way.
    rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    WaveDocument large = eightBit(ramp(100000));
    const CopyResult result = copyToClipboard(large, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.status, CopyStatus::CannotWrite);
    EXPECT_EQ(copyMessage(result), "Cannot write data.");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no leftovers
}

TEST(ClipboardCopy, SpaceMessageNamesTheMissingKilobytes)
{
    EXPECT_EQ(copyMessage({ CopyStatus::NotEnoughSpace, 10 * 1024 + 1023 }),
        "Not enough free memory on specified drive.\nYou need 10 KB more.");
    EXPECT_EQ(copyMessage({ CopyStatus::Copied }), "");
}

TEST(ClipboardReader, AcceptsAnyPcmWaveByTheChunkRules)
{
    TempDir dir;
    const std::string path = dir.file("clip.wav");
    // A LIST chunk before the data and a data chunk that claims more than the file holds.
    writeFile(path,
        riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("LIST", Bytes(10, 'x')), chunk("data", ramp(402), 1000) }));
    ClipboardReader reader;
    ASSERT_EQ(reader.open(path), WavReadStatus::Ok);
    EXPECT_EQ(reader.header().dataSize, 400u); // whole frames only
    EXPECT_EQ(reader.header().riffSize, 436u);
    EXPECT_EQ(reader.header().nBlockAlign, 4);
    std::vector<uint8_t> got(400);
    ASSERT_TRUE(reader.read(got));
    const Bytes written = ramp(402);
    EXPECT_EQ(Bytes(got.begin(), got.end()), Bytes(written.begin(), written.begin() + 400));
    uint8_t more = 0;
    EXPECT_FALSE(reader.read({ &more, 1 }));
}

TEST(ClipboardReader, GivesUpOnceItsStopFlagIsRaised)
{
    TempDir dir;
    const std::string path = dir.file("clip.wav");
    writeFile(path, riff({ chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", ramp(400)) }));
    ClipboardReader reader;
    ASSERT_EQ(reader.open(path), WavReadStatus::Ok);
    std::atomic<bool> stop = true;
    reader.setStop(&stop);
    std::vector<uint8_t> got(400);
    EXPECT_FALSE(reader.read(got));
}

TEST(ClipboardReader, FailuresCarryTheirTexts)
{
    const struct {
        Bytes file;
        const char* text;
    } cases[] = {
        { Bytes {}, "File too small." },
        { riff({ chunk("fmt ", fmtBody(1, 8000, 8)) }, "AVI "), "File is not a wave file." },
        { riff({ chunk("data", ramp(4)) }), "File is in wrong format." },
        { riff({ chunk("fmt ", fmtBody(1, 8000, 24)), chunk("data", ramp(6)) }), "File is neither 8 nor 16 bit." },
        { riff({ chunk("fmt ", fmtBody(1, 8000, 8)) }), "File bad. Data chunk not found." },
        { riff({ chunk("fmt ", fmtBody(6, 8000, 16)), chunk("data", ramp(24)) }), "File is in wrong format." },
        { riff({ chunk("fmt ", fmtBody(1, 0, 16)), chunk("data", ramp(24)) }), "File is in wrong format." },
    };
    TempDir dir;
    for (const auto& c : cases) {
        writeFile(dir.file("clip.wav"), c.file);
        ClipboardReader reader;
        const WavReadStatus status = reader.open(dir.file("clip.wav"));
        EXPECT_NE(status, WavReadStatus::Ok);
        EXPECT_STREQ(clipboardReadMessage(status), c.text);
    }
    ClipboardReader missing;
    EXPECT_EQ(missing.open(dir.file("none.wav")), WavReadStatus::CannotOpen);
    EXPECT_STREQ(clipboardReadMessage(WavReadStatus::CannotOpen), ""); // an empty clipboard is no error
}

TEST(FileCopy, ReplacesTheTargetOrLeavesItAlone)
{
    TempDir dir;
    writeFile(dir.file("a.wav"), Bytes { 1, 2, 3 });
    writeFile(dir.file("b.wav"), Bytes { 9 });
    EXPECT_EQ(copyFileReplacing(dir.file("a.wav"), dir.file("b.wav")), FileCopyStatus::Copied);
    EXPECT_EQ(readFile(dir.file("b.wav")), (Bytes { 1, 2, 3 }));
    EXPECT_EQ(copyFileReplacing(dir.file("missing.wav"), dir.file("b.wav")), FileCopyStatus::CannotRead);
    EXPECT_EQ(copyFileReplacing(dir.path().string(), dir.file("b.wav")), FileCopyStatus::CannotRead);
    EXPECT_EQ(readFile(dir.file("b.wav")), (Bytes { 1, 2, 3 }));
    EXPECT_EQ(copyFileReplacing(dir.file("a.wav"), dir.file("no/such/dir/c.wav")), FileCopyStatus::CannotWrite);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
    // Into the clipboard: a file only its user may read.
    EXPECT_EQ(copyFileReplacing(dir.file("a.wav"), dir.file("clip.wav"), 0600), FileCopyStatus::Copied);
    EXPECT_EQ(modeOf(dir.file("clip.wav")), 0600u);
}

TEST(ClipboardLock, SecondProcessWaitsForTheHolderThenProceeds)
{
    TempDir dir;
    EnvironmentSetting session("XDG_RUNTIME_DIR", dir.path().c_str()); // a lock of the test's own
    NamedLock holder(ClipboardLocation::kLockName);
    ASSERT_TRUE(holder.lock());
    const std::string released = dir.file("released");

    int toParent[2];
    ASSERT_EQ(::pipe(toParent), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        NamedLock contender(ClipboardLocation::kLockName);
        const char tried = contender.tryLock() ? 'T' : 'w';
        (void)!::write(toParent[1], &tried, 1);
        const bool locked = contender.lock();
        // Only the holder's release lets us in, and it creates the file first.
        const char after = locked && std::filesystem::exists(released) ? 'P' : 'x';
        (void)!::write(toParent[1], &after, 1);
        ::_exit(0);
    }
    char tried = 0;
    ASSERT_EQ(::read(toParent[0], &tried, 1), 1);
    EXPECT_EQ(tried, 'w'); // held: the contender has to wait
    writeFile(released, Bytes { 1 });
    holder.unlock();
    char after = 0;
    ASSERT_EQ(::read(toParent[0], &after, 1), 1);
    EXPECT_EQ(after, 'P');
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(toParent[0]);
    ::close(toParent[1]);
}

} // namespace
