#include "media/SoundFileOpener.h"
#include "TempDir.h"
#include "ToneFiles.h"
#include "documents/FileKind.h"
#include "documents/FormatSettings.h"
#include "media/MediaDecoder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace {

using namespace kx;
using namespace kx::test;

/// Answers the raw-file question with a fixed format (nullopt: cancel) and remembers the length.
class ScriptedRawAnswer : public OpenInteraction {
public:
    explicit ScriptedRawAnswer(std::optional<PcmFormat> answer = PcmFormat {})
        : m_answer(answer)
    {
    }
    std::optional<PcmFormat> askRawFormat(uint64_t fileLength) override
    {
        asked = true;
        askedLength = fileLength;
        return m_answer;
    }
    bool asked = false;
    uint64_t askedLength = 0;

private:
    std::optional<PcmFormat> m_answer;
};

OpenResult openBytes(const TempDir& dir, const std::string& name, const Bytes& bytes, OpenInteraction& answer,
    const OpenSettings& settings = {})
{
    writeFile(dir.file(name), bytes);
    return openSoundFile(dir.file(name), settings, answer);
}

/// Root mean square of the difference between two PCM blocks of the same layout, relative to
/// the first one's level.
double relativeError(
    const Bytes& reference, uint16_t referenceBits, const uint8_t* decoded, uint16_t decodedBits, std::size_t values)
{
    double signal = 0, error = 0;
    for (std::size_t i = 0; i < values; ++i) {
        const double want = sampleAt(reference.data(), referenceBits, i);
        const double got = sampleAt(decoded, decodedBits, i);
        signal += want * want;
        error += (got - want) * (got - want);
    }
    return std::sqrt(error / signal);
}

TEST(FileKind, FirstBytesDecideTheWay)
{
    const struct {
        Bytes first;
        const char* path;
        FileKind kind;
    } cases[] = {
        { { 'H', 'e', 'l', 'l' }, "a.txt", FileKind::Raw },
        { { 'T', 'h', 'i', 's' }, "a.txt", FileKind::Riff }, // third byte "i"
        { { 'a', 'b', 'I', 'c' }, "a.raw", FileKind::Riff }, { { 'R', 'I', 'F', 'F' }, "a.wav", FileKind::Riff },
        { { 'r', 'x', 'y', 'z' }, "a.raw", FileKind::Riff }, { { 'R' }, "a.raw", FileKind::Riff },
        { {}, "empty.raw", FileKind::Raw }, { { 0, 0, 0, 0 }, "a.raw", FileKind::Raw },
        { { 'f', 'L', 'a', 'C' }, "a.flac", FileKind::Media }, { { 'O', 'g', 'g', 'S' }, "a.ogg", FileKind::Media },
        { { 'I', 'D', '3', 4 }, "a.bin", FileKind::Media }, { { 0xFF, 0xFB, 0x90, 0x64 }, "song.MP3", FileKind::Media },
        { { 0xFF, 0xFB, 0x90, 0x64 }, "song.raw", FileKind::Raw }, // frame sync alone is not enough
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first.begin(), c.first.end()) + " " + c.path);
        EXPECT_EQ(fileKindOf(c.first, c.path), c.kind);
    }
}

TEST(SoundFileOpener, TextFileOpensAsRawUnderTheDefaultRawFormat)
{
    TempDir dir;
    const std::string text = "Hello, this text becomes sound.\n";
    ScriptedRawAnswer answer(formatOf(NewFileFormat {}));
    const OpenResult result = openBytes(dir, "notes.txt", Bytes(text.begin(), text.end()), answer, { 8, 250 });
    ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
    EXPECT_TRUE(answer.asked);
    EXPECT_EQ(answer.askedLength, text.size());
    const WaveDocument& d = result.document;
    EXPECT_EQ(d.header.dataSize, text.size());
    EXPECT_EQ(d.header.riffSize, text.size() + 36);
    EXPECT_EQ(d.header.wBitsPerSample, 8);
    EXPECT_EQ(d.header.nChannels, 1);
    EXPECT_EQ(d.header.nSamplesPerSec, 22050u);
    EXPECT_EQ(d.header.nAvgBytesPerSec, 22050u);
    EXPECT_EQ(d.header.nBlockAlign, 1);
    EXPECT_EQ(std::string(d.samples.data(), d.samples.data() + d.samples.size()), text);
    EXPECT_EQ(d.info.sourceKind, SourceRawFile);
    EXPECT_EQ(d.info.fileName, dir.file("notes.txt"));
    EXPECT_EQ(d.info.saved, 1u);
    EXPECT_EQ(d.texts.hasInfoList, 0u);
    EXPECT_EQ(d.mark.zoom, 250u);
    EXPECT_EQ(result.message, "");
}

TEST(SoundFileOpener, RawFileKeepsWholeFramesAndCanBeCancelled)
{
    TempDir dir;
    const Bytes bytes = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 };
    ScriptedRawAnswer stereo16(PcmFormat { 16, 2, 8000 });
    const OpenResult result = openBytes(dir, "a.raw", bytes, stereo16);
    ASSERT_EQ(result.status, OpenStatus::Opened);
    EXPECT_EQ(stereo16.askedLength, 11u);
    EXPECT_EQ(result.document.header.dataSize, 8u);
    EXPECT_EQ(result.document.header.nBlockAlign, 4);
    EXPECT_EQ(result.document.header.nAvgBytesPerSec, 32000u);

    ScriptedRawAnswer cancel(std::nullopt);
    const OpenResult cancelled = openBytes(dir, "b.raw", bytes, cancel);
    EXPECT_TRUE(cancel.asked);
    EXPECT_EQ(cancelled.status, OpenStatus::Cancelled);
    EXPECT_EQ(cancelled.message, "");
}

TEST(SoundFileOpener, EveryMessageInTheOrderTheStepsMeetThem)
{
    const Bytes data = chunk("data", ramp(40));
    const struct {
        const char* what;
        Bytes file;
        const char* message;
    } cases[] = {
        { "R alone", { 'R' }, "File too small." },
        { "seven bytes of RIFF", { 'R', 'I', 'F', 'F', 9, 0, 0 }, "File too small." },
        { "R file that is no RIFF", { 'R', 'a', 'w', ' ', 's', 'o', 'u', 'n', 'd', ' ', 'd', 'a', 't', 'a' },
            "File is not a wave file." },
        { "text starting This", { 'T', 'h', 'i', 's', ' ', 'i', 's', ' ', 'a', ' ', 't', 'e', 'x', 't' },
            "File is not a wave file." },
        { "other RIFF form", riff({ chunk("data", ramp(8)) }, "RMID"), "File is not a wave file." },
        { "no fmt", riff({ data }), "File is in wrong format." },
        { "fmt of 12 bytes", riff({ chunk("fmt ", Bytes(12, 1)), data }), "File is in wrong format." },
        { "4-bit PCM", riff({ chunk("fmt ", fmtBody(1, 8000, 4)), data }), "File is neither 8 nor 16 bit." },
        { "PCM without data", riff({ chunk("fmt ", fmtBody(1, 8000, 8)) }), "File bad. Data chunk not found." },
        { "compressed without data", riff({ chunk("fmt ", fmtBody(1, 8000, 4, 0x11, 4)) }),
            "File bad. Data chunk not found." },
        { "compressed fmt cut short",
            [] {
                Bytes b = riff({ chunk("fmt ", fmtBody(1, 8000, 4, 0x11, 4)) });
                b.resize(b.size() - 2);
                return b;
            }(),
            "File truncated." },
        { "unknown compression", riff({ chunk("fmt ", fmtBody(1, 8000, 4, 0x7777, 4)), data }),
            "Sorry. This file cannnot be decompressed." },
        { "AVI without streams", riff({ chunk("LIST", Bytes { 'h', 'd', 'r', 'l' }) }, "AVI "),
            "Sorry. This file cannnot be decompressed." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ScriptedRawAnswer answer;
        const OpenResult result = openBytes(dir, "in.wav", c.file, answer);
        EXPECT_EQ(result.status, OpenStatus::Failed);
        EXPECT_EQ(result.message, c.message);
        EXPECT_FALSE(answer.asked);
    }
    TempDir dir;
    ScriptedRawAnswer answer;
    const OpenResult missing = openSoundFile(dir.file("missing.wav"), {}, answer);
    EXPECT_EQ(missing.status, OpenStatus::Failed);
    EXPECT_EQ(missing.message, "File not found. Please check the pathname.");
    const OpenResult folder = openSoundFile(dir.path().string(), {}, answer);
    EXPECT_EQ(folder.status, OpenStatus::Failed);
    EXPECT_EQ(folder.message, "The file is not a regular file (a folder, pipe or device) and cannot be opened.");
}

TEST(SoundFileOpener, FmtOf16To18BytesIsReadAsPcm)
{
    for (std::size_t extra : { 0, 1, 2 }) {
        SCOPED_TRACE(extra);
        TempDir dir;
        ScriptedRawAnswer answer;
        const Bytes samples = ramp(64);
        const OpenResult result = openBytes(dir, "pcm.wav",
            riff({ chunk("fmt ", fmtBody(2, 11025, 16, 1, extra)), chunk("data", samples) }), answer, { 16, 100 });
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        const WaveDocument& d = result.document;
        EXPECT_EQ(d.info.sourceKind, SourcePcmWave);
        EXPECT_EQ(d.header.wBitsPerSample, 16); // not CompressBits: nothing was decoded
        EXPECT_EQ(d.header.nChannels, 2);
        EXPECT_EQ(d.header.nSamplesPerSec, 11025u);
        EXPECT_EQ(Bytes(d.samples.data(), d.samples.data() + d.samples.size()), samples);
    }
}

/// A WAVE_FORMAT_EXTENSIBLE fmt chunk body wrapping the ordinary tag `subTag`.
Bytes extensibleBody(uint16_t channels, uint16_t bits, uint32_t mask, uint16_t subTag = 1)
{
    Bytes b = fmtBody(channels, 22050, bits, 0xFFFE);
    put16(b, 22); // extra bytes
    put16(b, bits); // valid bits
    put32(b, mask);
    put16(b, subTag);
    const Bytes tail = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

TEST(SoundFileOpener, PcmInALongerFmtChunkIsReadAsItIsWhateverItsSpeakerMask)
{
    const Bytes samples = ramp(96);
    const struct {
        const char* what;
        Bytes fmt;
        uint16_t bits;
        uint16_t channels;
    } cases[] = {
        { "extensible 16-bit stereo, front speakers", extensibleBody(2, 16, 0x3), 16, 2 },
        { "extensible 16-bit stereo, no speakers named", extensibleBody(2, 16, 0), 16, 2 },
        { "extensible 16-bit stereo, left and LFE", extensibleBody(2, 16, 0x9), 16, 2 },
        { "extensible 16-bit mono, more speakers than channels", extensibleBody(1, 16, 0x3F), 16, 1 },
        { "extensible 8-bit mono, reserved mask bit", extensibleBody(1, 8, 0x80000000u), 8, 1 },
        { "PCM tag with 6 extra bytes", fmtBody(2, 22050, 16, 1, 6), 16, 2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ScriptedRawAnswer answer;
        // CompressBits 8 would make the 16-bit files 8-bit if they were decoded.
        const OpenResult result
            = openBytes(dir, "in.wav", riff({ chunk("fmt ", c.fmt), chunk("data", samples) }), answer, { 8, 100 });
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        const WaveDocument& d = result.document;
        EXPECT_EQ(d.info.sourceKind, SourcePcmWave);
        EXPECT_EQ(PcmFormat::of(d.header), (PcmFormat { c.bits, c.channels, 22050 }));
        EXPECT_EQ(Bytes(d.samples.data(), d.samples.data() + d.samples.size()), samples);
    }
}

/// The 16-bit PCM FFmpeg itself decodes `path` to (8-bit for `bits` 8), mixed to `channels`.
Bytes ffmpegDecode(const TempDir& dir, const std::string& path, uint16_t bits, uint16_t channels)
{
    const std::string out = dir.file("reference.raw");
    const std::string format = bits == 8 ? "-f u8 -c:a pcm_u8" : "-f s16le -c:a pcm_s16le";
    if (!ffmpeg("-i " + path + " -ac " + std::to_string(channels) + " " + format + " " + out))
        return {};
    return readFile(out);
}

TEST(SoundFileOpener, WavVariantsOpenAsFfmpegDecodesThem)
{
    const std::string stereo = "-c 2 -r 22050|synth 0.5 sine 440 sine 660 vol 0.8";
    const std::string surround = "-c 6 -r 22050|synth 0.5 sine 300 sine 400 sine 500 sine 600 sine 700 sine 800";
    const struct {
        const char* what;
        std::string sound; // channels and rate, then the synth effect, for sox
        std::string soxOptions; // of the file sox writes
        std::string ffmpegOutput; // then, when set, ffmpeg recodes it with these options
        uint16_t bits; // of the document
        uint16_t channels;
    } cases[] = {
        { "u-law", stereo, "-e u-law", "", 16, 2 },
        { "a-law", stereo, "-e a-law", "", 16, 2 },
        { "mono u-law", "-c 1 -r 8000|synth 0.5 sine 440", "-e u-law", "", 16, 1 },
        { "32-bit float", stereo, "-e float -b 32", "", 16, 2 },
        { "64-bit float, extensible", stereo, "", "-c:a pcm_f64le", 16, 2 },
        { "24-bit PCM, extensible", stereo, "-b 24", "", 16, 2 },
        { "32-bit PCM, extensible", stereo, "-b 32", "", 16, 2 },
        { "24-bit PCM, plain tag", stereo, "-b 24 -t wavpcm", "", 16, 2 },
        { "5.1 16-bit PCM mixed to stereo", surround, "-b 16", "", 16, 2 },
        { "3 channels of 8-bit PCM mixed to stereo", "-c 3 -r 22050|synth 0.5 sine 300 sine 400 sine 500", "-b 8", "",
            8, 2 },
        { "float on left and LFE speakers", stereo, "-e float -b 32",
            "-af 'channelmap=map=FL-FL|FR-LFE:channel_layout=FL+LFE' -c:a pcm_f32le", 16, 2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::string path = dir.file("made.wav");
        const std::size_t bar = c.sound.find('|');
        ASSERT_EQ(std::system(("sox -q -n " + c.sound.substr(0, bar) + " " + c.soxOptions + " " + path + " "
                      + c.sound.substr(bar + 1))
                                  .c_str()),
            0);
        if (!c.ffmpegOutput.empty()) {
            path = dir.file("recoded.wav");
            ASSERT_TRUE(ffmpeg("-i " + dir.file("made.wav") + " " + c.ffmpegOutput + " " + path));
        }
        ScriptedRawAnswer answer;
        const OpenResult result = openSoundFile(path, {}, answer);
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        const WaveDocument& d = result.document;
        EXPECT_EQ(d.info.sourceKind, SourceCompressedWave); // saving asks about the source format
        EXPECT_EQ(PcmFormat::of(d.header).bits, c.bits);
        EXPECT_EQ(PcmFormat::of(d.header).channels, c.channels);
        // FFmpeg's own decode of the file; where it refuses the speakers, the first recoded one.
        Bytes reference = ffmpegDecode(dir, path, c.bits, c.channels);
        if (reference.empty())
            reference = ffmpegDecode(dir, dir.file("made.wav"), c.bits, c.channels);
        ASSERT_EQ(d.samples.size(), reference.size());
        const std::size_t values = reference.size() / (c.bits / 8);
        int worst = 0;
        for (std::size_t i = 0; i < values; ++i) {
            const double lsb = c.bits == 8 ? 128.0 : 32768.0;
            worst = std::max(worst,
                int(std::lround(
                    std::abs(sampleAt(d.samples.data(), c.bits, i) - sampleAt(reference.data(), c.bits, i)) * lsb)));
        }
        EXPECT_LE(worst, 1);
    }
}

TEST(SoundFileOpener, ChosenCompressBitsDecideTheDepthOfWavVariants)
{
    TempDir dir;
    ASSERT_EQ(
        std::system(("sox -q -n -r 8000 -c 1 -e u-law " + dir.file("ulaw.wav") + " synth 0.2 sine 440").c_str()), 0);
    for (uint16_t bits : { 8, 16 }) {
        ScriptedRawAnswer answer;
        const OpenResult result = openSoundFile(dir.file("ulaw.wav"), { bits, 100 }, answer);
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        EXPECT_EQ(result.document.header.wBitsPerSample, bits);
        EXPECT_EQ(result.document.header.dataSize, 1600u * bits / 8);
    }
}

/// Two seconds of a 16-bit tone at 44100 Hz, written as PCM and encoded by ffmpeg into `name`.
struct EncodedTone {
    PcmFormat format;
    Bytes samples;
    std::string path;
};

enum class Encoder { Ffmpeg, Sox };

EncodedTone encodeTone(const TempDir& dir, uint16_t channels, const std::string& name, const std::string& options,
    Encoder encoder = Encoder::Ffmpeg)
{
    EncodedTone encoded { { 16, channels, 44100 }, {}, dir.file(name) };
    encoded.samples = tone(encoded.format, 88200, 440.0);
    const std::string source = dir.file("source.wav");
    writePcmWav(source, encoded.format, encoded.samples);
    const bool made = encoder == Encoder::Sox ? sox(source, options, encoded.path)
                                              : ffmpeg("-i " + source + " " + options + " " + encoded.path);
    if (!made)
        encoded.path.clear();
    return encoded;
}

TEST(SoundFileOpener, AdpcmWaveIsDecodedToCompressBitsOfTheFactLength)
{
    const struct {
        const char* encoding;
        uint16_t channels;
        uint16_t compressBits;
        double tolerance; // relative error of the decoded tone
    } cases[] = {
        { "ima-adpcm", 1, 8, 0.1 },
        { "ima-adpcm", 1, 16, 0.1 },
        { "ima-adpcm", 2, 8, 0.1 },
        { "ima-adpcm", 2, 16, 0.1 },
        { "ms-adpcm", 1, 8, 0.1 },
        { "ms-adpcm", 1, 16, 0.1 },
        { "ms-adpcm", 2, 16, 0.1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + std::to_string(c.channels) + " channel(s) to "
            + std::to_string(c.compressBits) + " bit");
        TempDir dir;
        const EncodedTone encoded
            = encodeTone(dir, c.channels, "adpcm.wav", std::string("-e ") + c.encoding, Encoder::Sox);
        ASSERT_FALSE(encoded.path.empty()) << "ffmpeg could not make the file";
        ScriptedRawAnswer answer;
        const OpenResult result = openSoundFile(encoded.path, { c.compressBits, 100 }, answer);
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        const WaveHeader& h = result.document.header;
        EXPECT_EQ(h.wFormatTag, 1);
        EXPECT_EQ(h.wBitsPerSample, c.compressBits);
        EXPECT_EQ(h.nChannels, c.channels);
        EXPECT_EQ(h.nSamplesPerSec, 44100u);
        EXPECT_EQ(h.nBlockAlign, c.compressBits / 8 * c.channels);
        EXPECT_EQ(h.nAvgBytesPerSec, 44100u * h.nBlockAlign);
        // The fact chunk's 88200 frames, not the decoder's padded last block.
        EXPECT_EQ(h.dataSize, 88200u * h.nBlockAlign);
        EXPECT_EQ(result.document.info.sourceKind, SourceCompressedWave);
        EXPECT_EQ(result.document.texts.hasInfoList, 0u);
        EXPECT_LT(
            relativeError(encoded.samples, 16, result.document.samples.data(), c.compressBits, 88200u * c.channels),
            c.tolerance);
    }
}

TEST(SoundFileOpener, AviSoundStreamPcmKeptAndCompressedDecoded)
{
    const std::string video = "-f lavfi -i color=c=black:s=32x32:r=5:d=2 ";
    const struct {
        const char* what;
        uint16_t channels;
        const char* audio;
        uint16_t bits; // of the document, with CompressBits 8
        bool exact; // PCM: the very bytes, at the very length
        double tolerance;
    } cases[] = {
        { "16-bit PCM", 2, "-c:a pcm_s16le", 16, true, 0 },
        { "8-bit PCM", 1, "-c:a pcm_u8", 8, false, 0.02 },
        { "MS ADPCM", 2, "-c:a adpcm_ms", 8, false, 0.1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        EncodedTone encoded { { 16, c.channels, 44100 }, {}, dir.file("clip.avi") };
        encoded.samples = tone(encoded.format, 88200, 440.0);
        writePcmWav(dir.file("source.wav"), encoded.format, encoded.samples);
        ASSERT_TRUE(ffmpeg(
            video + "-i " + dir.file("source.wav") + " -map 0:v -map 1:a -c:v mjpeg " + c.audio + " " + encoded.path));
        ScriptedRawAnswer answer;
        const OpenResult result = openSoundFile(encoded.path, { 8, 100 }, answer);
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        const WaveDocument& d = result.document;
        EXPECT_EQ(d.info.sourceKind, SourceAviStream);
        EXPECT_EQ(d.header.wBitsPerSample, c.bits);
        EXPECT_EQ(d.header.nChannels, c.channels);
        EXPECT_EQ(d.header.nSamplesPerSec, 44100u);
        // The texts a new document carries.
        EXPECT_EQ(d.texts.hasInfoList, 1u);
        EXPECT_EQ(d.texts.software, "Kestrix2000 for Windows");
        const std::size_t frames = d.header.dataSize / d.header.nBlockAlign;
        if (c.exact) {
            EXPECT_EQ(Bytes(d.samples.data(), d.samples.data() + d.samples.size()), encoded.samples);
        } else {
            EXPECT_GE(frames, 88200u);
            EXPECT_LT(frames, 88200u + 4096u); // at most a padded last block
            EXPECT_LT(relativeError(encoded.samples, 16, d.samples.data(), c.bits, 88200u * c.channels), c.tolerance);
        }
    }
}

TEST(SoundFileOpener, AviWithoutSoundIsAReadError)
{
    TempDir dir;
    ASSERT_TRUE(ffmpeg("-f lavfi -i color=c=black:s=32x32:r=5:d=1 -c:v mjpeg " + dir.file("silent.avi")));
    ScriptedRawAnswer answer;
    const OpenResult result = openSoundFile(dir.file("silent.avi"), {}, answer);
    EXPECT_EQ(result.status, OpenStatus::Failed);
    EXPECT_EQ(result.message, "An error occured.");
}

TEST(SoundFileOpener, ARaisedStopFlagBreaksDecodingOff)
{
    TempDir dir;
    const EncodedTone encoded = encodeTone(dir, 2, "tone.flac", "-c:a flac");
    ASSERT_FALSE(encoded.path.empty()) << "ffmpeg could not make the file";
    const std::atomic<bool> stop = true;
    OpenSettings settings { 16, 100 };
    settings.stop = &stop;
    ScriptedRawAnswer answer;
    const OpenResult result = openSoundFile(encoded.path, settings, answer);
    EXPECT_TRUE(result.status != OpenStatus::Opened || result.document.header.dataSize < 88200u * 4);
}

TEST(SoundFileOpener, FlacOggAndMp3AreDecoded)
{
    const struct {
        const char* name;
        const char* options;
        uint32_t rate;
        bool exact;
        std::size_t slack; // frames the codec may add or drop
    } cases[] = {
        { "tone.flac", "-c:a flac", 44100, true, 0 },
        { "tone.ogg", "-c:a libvorbis", 44100, false, 2048 },
        { "tone.opus", "-c:a libopus", 48000, false, 4096 },
        { "tone.mp3", "-c:a libmp3lame", 44100, false, 2400 },
        { "untagged.mp3", "-c:a libmp3lame -id3v2_version 0 -write_xing 0", 44100, false, 2400 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const EncodedTone encoded = encodeTone(dir, 2, c.name, c.options);
        ASSERT_FALSE(encoded.path.empty()) << "ffmpeg could not make the file";
        ScriptedRawAnswer answer;
        const OpenResult result = openSoundFile(encoded.path, { 16, 100 }, answer);
        ASSERT_EQ(result.status, OpenStatus::Opened) << result.message;
        EXPECT_FALSE(answer.asked);
        const WaveDocument& d = result.document;
        EXPECT_EQ(d.info.sourceKind, SourceMediaFile);
        EXPECT_NE(d.info.sourceKind, SourcePcmWave); // saving asks about the source format
        EXPECT_EQ(d.header.wBitsPerSample, 16);
        EXPECT_EQ(d.header.nChannels, 2);
        EXPECT_EQ(d.header.nSamplesPerSec, c.rate);
        const double frames = double(d.header.dataSize) / d.header.nBlockAlign;
        const double expected = 88200.0 * c.rate / 44100;
        EXPECT_NEAR(frames, expected, double(c.slack));
        if (c.exact)
            EXPECT_EQ(Bytes(d.samples.data(), d.samples.data() + d.samples.size()), encoded.samples);
    }
}

TEST(MediaDecoder, ReadsOnlyTheLocalFileWithTheDemuxersOfTheKindsOffered)
{
    TempDir dir;
    const EncodedTone segment = encodeTone(dir, 1, "segment.mp3", "-c:a libmp3lame");
    ASSERT_FALSE(segment.path.empty()) << "ffmpeg could not make the file";
    DecodedSound sound;
    ASSERT_EQ(decodeFirstAudioStream(segment.path, {}, sound), DecodeStatus::Ok);

    // A playlist named like a sound file would have the decoder read another file (or a URL).
    const std::string playlist = "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:2.0,\nsegment.mp3\n#EXT-X-ENDLIST\n";
    writeFile(dir.file("playlist.mp3"), Bytes(playlist.begin(), playlist.end()));
    EXPECT_EQ(decodeFirstAudioStream(dir.file("playlist.mp3"), {}, sound), DecodeStatus::CannotOpen);
    // A path is a file name, never a protocol.
    EXPECT_EQ(
        decodeFirstAudioStream("concat:" + segment.path + "|" + segment.path, {}, sound), DecodeStatus::CannotOpen);
    // A file whose name has a colon opens all the same.
    std::filesystem::copy_file(segment.path, dir.file("take:1.mp3"));
    EXPECT_EQ(decodeFirstAudioStream(dir.file("take:1.mp3"), {}, sound), DecodeStatus::Ok);
}

} // namespace
