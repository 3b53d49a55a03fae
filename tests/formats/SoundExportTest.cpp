#include "media/SoundExport.h"
#include "TempDir.h"
#include "ToneFiles.h"
#include "media/SoundFileOpener.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace {

using namespace kx;
using namespace kx::test;

class NoRawFiles : public OpenInteraction {
public:
    std::optional<PcmFormat> askRawFormat(uint64_t) override { return std::nullopt; }
};

WaveDocument toneDocument(const PcmFormat& format, std::size_t frames)
{
    WaveDocument document;
    const Bytes samples = tone(format, frames, 330.0);
    document.header = headerOf(format, samples.size());
    document.samples = SampleBuffer::allocate(samples.size());
    std::copy(samples.begin(), samples.end(), document.samples.data());
    document.texts.hasInfoList = 1;
    document.texts.title = "Take One";
    document.texts.artist = "The Quell Quartet";
    return document;
}

/// What ffprobe prints of the file's tags, wherever the container keeps them.
std::string tagsOf(const std::string& path)
{
    std::string text;
    FILE* pipe
        = popen(("ffprobe -v error -show_entries format_tags:stream_tags -of default=nw=1 " + path).c_str(), "r");
    if (!pipe)
        return text;
    std::array<char, 256> line;
    while (std::fgets(line.data(), int(line.size()), pipe))
        text += line.data();
    pclose(pipe);
    return text;
}

TEST(SoundExport, EachFormatDecodesBackToTheSameLengthWithTheTexts)
{
    const struct {
        ExportFormat format;
        PcmFormat source;
        uint32_t decodedRate;
        bool exact;
    } cases[] = {
        { ExportFormat::Flac, { 16, 2, 44100 }, 44100, true },
        { ExportFormat::Flac, { 8, 1, 22050 }, 22050, true },
        { ExportFormat::OggVorbis, { 16, 2, 44100 }, 44100, false },
        { ExportFormat::Opus, { 16, 2, 44100 }, 48000, false },
        { ExportFormat::Opus, { 8, 1, 8000 }, 48000, false }, // Opus always decodes at 48000 Hz
        { ExportFormat::Mp3, { 16, 2, 44100 }, 44100, false },
        { ExportFormat::Mp3, { 16, 1, 22050 }, 22050, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(exportFormatName(c.format)) + " from " + std::to_string(c.source.bits) + " bit "
            + std::to_string(c.source.rate) + " Hz");
        TempDir dir;
        const std::size_t frames = c.source.rate * 3 / 2 + 7;
        const WaveDocument document = toneDocument(c.source, frames);
        const std::string path = dir.file(std::string("out.") + exportFormatName(c.format));
        ASSERT_EQ(exportSound(document, c.format, exportQuality(c.format).standard, path), ExportStatus::Ok);

        NoRawFiles noRaw;
        const OpenResult back = openSoundFile(path, { c.source.bits, 100 }, noRaw);
        ASSERT_EQ(back.status, OpenStatus::Opened) << back.message;
        EXPECT_EQ(back.document.header.nSamplesPerSec, c.decodedRate);
        EXPECT_EQ(back.document.header.nChannels, c.source.channels);
        EXPECT_EQ(uint64_t(back.document.header.dataSize) / back.document.header.nBlockAlign,
            (uint64_t(frames) * c.decodedRate + c.source.rate / 2) / c.source.rate);
        if (c.exact) {
            ASSERT_EQ(back.document.header.dataSize, document.header.dataSize);
            EXPECT_TRUE(std::equal(document.samples.data(), document.samples.data() + document.header.dataSize,
                back.document.samples.data()));
        }
        const std::string tags = tagsOf(path);
        EXPECT_NE(tags.find("Take One"), std::string::npos) << tags;
        EXPECT_NE(tags.find("The Quell Quartet"), std::string::npos) << tags;
    }
}

TEST(SoundExport, AStoppedExportLeavesTheTargetAsItWas)
{
    TempDir dir;
    const Bytes before = { 'o', 'l', 'd' };
    writeFile(dir.file("keep.flac"), before);
    const std::atomic<bool> stop = true;
    EXPECT_EQ(exportSound(toneDocument({ 16, 2, 44100 }, 44100), ExportFormat::Flac, 5, dir.file("keep.flac"), &stop),
        ExportStatus::Stopped);
    EXPECT_EQ(readFile(dir.file("keep.flac")), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
