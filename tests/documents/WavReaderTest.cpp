#include "documents/WavReader.h"
#include "TempDir.h"
#include "WavBuilder.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

WavReadStatus readBytes(const Bytes& bytes, WavFileContents& contents, const WavReadOptions& options = {})
{
    TempDir dir;
    writeFile(dir.file("in.wav"), bytes);
    return readWavFile(dir.file("in.wav"), contents, options);
}

WavReadStatus readBytes(const Bytes& bytes)
{
    WavFileContents contents;
    return readBytes(bytes, contents);
}

TEST(WavReader, EveryMessageInTheOrderTheReaderMeetsThem)
{
    const Bytes data = chunk("data", ramp(8));
    const struct {
        const char* what;
        Bytes file;
        WavReadStatus status;
        const char* message;
    } cases[] = {
        { "empty file", {}, WavReadStatus::NoFirstChunk, "File too small." },
        { "seven bytes", Bytes { 'R', 'I', 'F', 'F', 0, 0, 0 }, WavReadStatus::NoFirstChunk, "File too small." },
        { "AVI form", riff({ chunk("fmt ", fmtBody(1, 8000, 8)), data }, "AVI "), WavReadStatus::NotWave,
            "File is not a wave file." },
        { "not RIFF", chunk("RIFX", Bytes(20, 0)), WavReadStatus::NotWave, "File is not a wave file." },
        { "no fmt", riff({ data }), WavReadStatus::WrongFormat, "File is in wrong format." },
        { "fmt of 14 bytes",
            riff({ chunk("fmt ",
                       [] {
                           Bytes f = fmtBody(1, 8000, 8);
                           f.resize(14);
                           return f;
                       }()),
                data }),
            WavReadStatus::WrongFormat, "File is in wrong format." },
        { "ends inside fmt",
            [] {
                Bytes b = riff({ chunk("fmt ", fmtBody(1, 8000, 8)) });
                b.resize(b.size() - 6);
                return b;
            }(),
            WavReadStatus::Truncated, "File truncated." },
        { "4-bit", riff({ chunk("fmt ", fmtBody(1, 8000, 4, 0x11)), data }), WavReadStatus::NotEightOrSixteenBit,
            "File is neither 8 nor 16 bit." },
        { "24-bit", riff({ chunk("fmt ", fmtBody(2, 48000, 24)), data }), WavReadStatus::NotEightOrSixteenBit,
            "File is neither 8 nor 16 bit." },
        // A document is mono or stereo at some rate; three channels drawn as one are no document.
        { "3 channels", riff({ chunk("fmt ", fmtBody(3, 8000, 16)), data }), WavReadStatus::WrongFormat,
            "File is in wrong format." },
        { "0 channels", riff({ chunk("fmt ", fmtBody(0, 8000, 8)), data }), WavReadStatus::WrongFormat,
            "File is in wrong format." },
        { "rate 0", riff({ chunk("fmt ", fmtBody(1, 0, 8)), data }), WavReadStatus::WrongFormat,
            "File is in wrong format." },
        { "data before fmt", riff({ data, chunk("fmt ", fmtBody(1, 8000, 8)) }), WavReadStatus::NoDataChunk,
            "File bad. Data chunk not found." },
        { "no data", riff({ chunk("fmt ", fmtBody(1, 8000, 8)) }), WavReadStatus::NoDataChunk,
            "File bad. Data chunk not found." },
        { "data outside the RIFF size", riff({ chunk("fmt ", fmtBody(1, 8000, 8)), data }, "WAVE", 4 + 24),
            WavReadStatus::NoDataChunk, "File bad. Data chunk not found." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readBytes(c.file), c.status);
        EXPECT_STREQ(wavReadMessage(c.status), c.message);
    }
    TempDir dir;
    WavFileContents contents;
    EXPECT_EQ(readWavFile(dir.file("missing.wav"), contents), WavReadStatus::CannotOpen);
    EXPECT_EQ(readWavFile(dir.path().string(), contents), WavReadStatus::CannotOpen); // a directory
    EXPECT_STREQ(wavReadMessage(WavReadStatus::CannotOpen), "File not found or something else.");
    EXPECT_STREQ(wavReadMessage(WavReadStatus::OutOfMemory), "NOT ENOUGH MEMORY");
    EXPECT_STREQ(wavReadMessage(WavReadStatus::CannotAscend), "can't ascend.");
}

TEST(WavReader, BuildsTheHeaderFromTheFormatChunk)
{
    const Bytes samples = ramp(12);
    WavFileContents contents;
    // Chunks before and between are skipped; an 18-byte fmt (WAVEFORMATEX) reads as PCM.
    ASSERT_EQ(readBytes(riff({ chunk("junk", Bytes(3, 9)), chunk("fmt ", fmtBody(2, 44100, 16, 1, 2)),
                            chunk("fact", Bytes(4, 0)), chunk("data", samples) }),
                  contents),
        WavReadStatus::Ok);
    const WaveHeader& h = contents.header;
    EXPECT_EQ(h.wFormatTag, 1);
    EXPECT_EQ(h.nChannels, 2);
    EXPECT_EQ(h.nSamplesPerSec, 44100u);
    EXPECT_EQ(h.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(h.nBlockAlign, 4);
    EXPECT_EQ(h.wBitsPerSample, 16);
    EXPECT_EQ(h.dataSize, 12u);
    EXPECT_EQ(h.riffSize, 48u);
    EXPECT_EQ(h.fmtSize, 16u);
    EXPECT_EQ(Bytes(contents.samples.data(), contents.samples.data() + 12), samples);
    EXPECT_FALSE(contents.dataCutShort);

    // An 8-bit file with another format tag loads as PCM.
    Bytes odd = fmtBody(1, 1, 8, 0x55);
    ASSERT_EQ(readBytes(riff({ chunk("fmt ", odd), chunk("data", ramp(3)) }), contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.header.wFormatTag, 1);
    EXPECT_EQ(contents.header.nSamplesPerSec, 1u);
    EXPECT_EQ(contents.header.dataSize, 3u);
}

TEST(WavReader, FrameSizeAndDataRateFollowTheFormatNotTheFile)
{
    // 16-bit stereo at 44100 Hz that claims 2.9 GB per second and one byte per frame: later
    // sizes (Insert Silence, play time) come from these.
    Bytes fmt = fmtBody(2, 44100, 16);
    fmt[8] = 0x00, fmt[9] = 0xD0, fmt[10] = 0xDA, fmt[11] = 0xAC; // 2 900 021 248
    fmt[12] = 1, fmt[13] = 0;
    WavFileContents contents;
    ASSERT_EQ(readBytes(riff({ chunk("fmt ", fmt), chunk("data", ramp(10)) }), contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.header.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(contents.header.nBlockAlign, 4);
    EXPECT_EQ(contents.header.dataSize, 10u);
}

TEST(WavReader, FileCutShortKeepsTheWholeFramesItHas)
{
    // 16-bit stereo declares 1000 bytes but holds 10: two whole frames are kept.
    Bytes file = riff({ chunk("fmt ", fmtBody(2, 48000, 16)), chunk("data", ramp(10), 1000) });
    WavFileContents contents;
    ASSERT_EQ(readBytes(file, contents), WavReadStatus::Ok);
    EXPECT_TRUE(contents.dataCutShort);
    EXPECT_EQ(contents.header.dataSize, 8u);
    EXPECT_EQ(contents.samples.size(), 8u);
    EXPECT_EQ(contents.header.riffSize, 44u);
    EXPECT_EQ(Bytes(contents.samples.data(), contents.samples.data() + 8), Bytes(ramp(8)));

    // A declared size of nearly 4 GiB in a tiny file allocates only what is there.
    file = riff({ chunk("fmt ", fmtBody(1, 8000, 8)), chunk("data", ramp(5), 0xFFFFFFF0) }, "WAVE", 0xFFFFFFFF);
    ASSERT_EQ(readBytes(file, contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.header.dataSize, 6u); // five bytes and the pad byte the builder wrote

    // The header-only read reports the same size without reading samples.
    WavReadOptions headerOnly;
    headerOnly.readSamples = false;
    ASSERT_EQ(readBytes(file, contents, headerOnly), WavReadStatus::Ok);
    EXPECT_EQ(contents.header.dataSize, 6u);
    EXPECT_TRUE(contents.samples.isNull());
}

TEST(WavReader, EmptyDataChunkLoads)
{
    WavFileContents contents;
    ASSERT_EQ(readBytes(riff({ chunk("fmt ", fmtBody(1, 22050, 8)), chunk("data", {}) }), contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.header.dataSize, 0u);
    EXPECT_EQ(contents.header.riffSize, 36u);
}

TEST(WavReader, ListTexts)
{
    const Bytes head = chunk("fmt ", fmtBody(1, 8000, 8));
    const Bytes data = chunk("data", ramp(4));
    WavFileContents contents;

    ASSERT_EQ(
        readBytes(
            riff({ head, data,
                infoList({ chunk("ICMT", text("a comment")), chunk("ICOP", text("(c) us")),
                    chunk("ISBJ", text("subject")), chunk("INAM", text("The Title")), chunk("IART", text("Artist")),
                    chunk("ISFT", text("Soft")), chunk("IMED", text("CD")), chunk("IKEY", text("k1; k2")) }) }),
            contents),
        WavReadStatus::Ok);
    const FileTextInfo& t = contents.texts;
    EXPECT_EQ(t.hasInfoList, 1u);
    EXPECT_EQ(t.comment, "a comment");
    EXPECT_EQ(t.copyright, "(c) us");
    EXPECT_EQ(t.subject, "subject");
    EXPECT_EQ(t.title, "The Title");
    EXPECT_EQ(t.artist, "Artist");
    EXPECT_EQ(t.software, "Soft");
    EXPECT_EQ(t.medium, "CD");
    EXPECT_EQ(t.keywords, "k1; k2");

    // A comment of 200 bytes is skipped, not shortened; the texts after it are still read.
    ASSERT_EQ(readBytes(riff({ head, data, infoList({ chunk("ICMT", Bytes(200, 'x')), chunk("INAM", text("kept")) }) }),
                  contents),
        WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.comment, "");
    EXPECT_EQ(contents.texts.title, "kept");

    // 127 bytes fit, 128 do not; a text without a terminating zero is still whole.
    ASSERT_EQ(
        readBytes(riff({ head, data, infoList({ chunk("ICMT", Bytes(127, 'a')), chunk("ICOP", Bytes(128, 'b')) }) }),
            contents),
        WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.comment, std::string(127, 'a'));
    EXPECT_EQ(contents.texts.copyright, "");

    // Texts stand in any order, and the LIST chunk before the data as well as after it.
    ASSERT_EQ(readBytes(riff({ head,
                            infoList({ chunk("IART", text("artist")), chunk("INAM", text("title")),
                                chunk("IPRD", text("album")), chunk("ICRD", text("2026")), chunk("IGNR", text("Jazz")),
                                chunk("ITRK", text("7")), chunk("ITCH", text("ffmpeg")) }),
                            data }),
                  contents),
        WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.hasInfoList, 1u);
    EXPECT_EQ(contents.texts.title, "title");
    EXPECT_EQ(contents.texts.artist, "artist");
    EXPECT_EQ(contents.texts.album, "album");
    EXPECT_EQ(contents.texts.date, "2026");
    EXPECT_EQ(contents.texts.genre, "Jazz");
    EXPECT_EQ(contents.texts.track, "7");
    EXPECT_EQ(contents.texts.encodedBy, "ffmpeg");

    // An ID3 tag (v2.3 here, a Latin-1 title, a UTF-16 artist and a comment) fills what the LIST
    // chunk leaves empty.
    const auto frame = [](const char* id, Bytes body) {
        Bytes f(id, id + 4);
        f.insert(f.end(), { 0, 0, uint8_t(body.size() >> 8), uint8_t(body.size()), 0, 0 });
        f.insert(f.end(), body.begin(), body.end());
        return f;
    };
    Bytes id3 { 'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0 };
    for (const Bytes& f :
        { frame("TIT2", { 0, 'Z', 0xE9, 'r', 'o' }), frame("TPE1", { 1, 0xFF, 0xFE, 'B', 0, 0xE4, 0, 0, 0 }),
            frame("COMM", { 0, 'e', 'n', 'g', 'd', 0, 'n', 'o', 't', 'e' }) })
        id3.insert(id3.end(), f.begin(), f.end());
    id3[9] = uint8_t(id3.size() - 10);
    ASSERT_EQ(
        readBytes(riff({ head, data, chunk("id3 ", id3), infoList({ chunk("INAM", text("from LIST")) }) }), contents),
        WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.title, "from LIST");
    EXPECT_EQ(contents.texts.artist, "B\xC3\xA4");
    EXPECT_EQ(contents.texts.comment, "note");
    ASSERT_EQ(readBytes(riff({ head, data, chunk("id3 ", id3) }), contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.title, "Z\xC3\xA9ro");
    EXPECT_EQ(contents.texts.hasInfoList, 0u);

    // No LIST leaves the record empty.
    ASSERT_EQ(readBytes(riff({ head, data }), contents), WavReadStatus::Ok);
    EXPECT_EQ(contents.texts.hasInfoList, 0u);
    EXPECT_EQ(contents.texts.comment, "");
}

} // namespace
