// Every filter streamed from file to file in small blocks gives the bytes it gives on the whole
// document: blocks that split samples' runs, segments and moving windows must not show.
#include "FilterDocuments.h"
#include "TempDir.h"

#include "documents/WavReader.h"
#include "documents/WavWriter.h"
#include "filters/CrossFades.h"
#include "filters/Drawtone.h"
#include "filters/Fades.h"
#include "filters/FileStream.h"
#include "filters/PeakVolume.h"
#include "filters/Reverse.h"
#include "filters/Silence.h"
#include "filters/Soften.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "filters/Zeroize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <tuple>
#include <unistd.h>

namespace {

using namespace kx;
using namespace kx::test;

struct Streamed {
    const char* name;
    std::function<void(WaveDocument&)> document;
    std::function<StreamStatus(FileStream&, const WaveHeader&, const MarkRecord&)> stream;
};

const std::vector<CurvePin> kCurve = { { 0, 100 }, { 70, 20 }, { 150, 180 }, { 151, 179 }, { 300, 100 } };

const std::vector<Streamed>& streamedFilters()
{
    const auto working = [](const WaveHeader& h, const MarkRecord& m) { return workingRange(h.dataSize, m); };
    static const std::vector<Streamed> list = {
        { "volume", [](WaveDocument& d) { changeVolume(d, 150); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return s.change(volumeChange(h, working(h, m), 150));
            } },
        { "peak", [](WaveDocument& d) { setMaxVolume(d); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) { return s.peak(working(h, m)); } },
        { "fadein", [](WaveDocument& d) { fadeIn(d, 10); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return s.change(fadeInChange(h, working(h, m), 10));
            } },
        { "fadeout", [](WaveDocument& d) { fadeOut(d, 30); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return s.change(fadeOutChange(h, working(h, m), 30));
            } },
        { "crossfade", [](WaveDocument& d) { fadeChannels(d, CrossFade::RightToLeft); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return s.change(crossFadeChange(h, working(h, m), CrossFade::RightToLeft));
            } },
        { "silence", [](WaveDocument& d) { setSilence(d); },
            [](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return m.markLength ? s.change(silenceChange(h, markRange(h.dataSize, m))) : s.copy();
            } },
        { "zeroize", [](WaveDocument& d) { zeroize(d, 300); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                return s.change(zeroizeChange(h, working(h, m), 300));
            } },
        { "soften", [](WaveDocument& d) { soften(d, 4); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) { return s.soften(working(h, m), 4); } },
        { "velocity-faster",
            [](WaveDocument& d) {
                changeVelocity(d, { 170, true, 3 });
            },
            [](FileStream& s, const WaveHeader& h, const MarkRecord&) {
                return s.velocity(planVelocity(h, h.dataSize, 170), { 170, true, 3 });
            } },
        { "velocity-slower",
            [](WaveDocument& d) {
                changeVelocity(d, { 60, true, 8 });
            },
            [](FileStream& s, const WaveHeader& h, const MarkRecord&) {
                return s.velocity(planVelocity(h, h.dataSize, 60), { 60, true, 8 });
            } },
        { "reverse", [](WaveDocument& d) { reverse(d); },
            [=](FileStream& s, const WaveHeader& h, const MarkRecord& m) { return s.reverse(working(h, m)); } },
        { "dt-volume", [](WaveDocument& d) { drawtoneVolume(d, kCurve, d.mark.markLength != 0); },
            [](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                const auto change = drawtoneVolumeChange(h, curveRange(h.dataSize, m, m.markLength, false), kCurve);
                return change ? s.change(*change) : s.copy();
            } },
        { "dt-fade", [](WaveDocument& d) { drawtoneFadeChannels(d, kCurve, d.mark.markLength != 0); },
            [](FileStream& s, const WaveHeader& h, const MarkRecord& m) {
                const auto change = drawtoneFadeChange(h, curveRange(h.dataSize, m, m.markLength, true), kCurve);
                return change ? s.change(*change) : s.copy();
            } },
    };
    return list;
}

/// Filter, bits, channels, marked.
using Case = std::tuple<std::size_t, uint16_t, uint16_t, bool>;

class StreamedFilters : public ::testing::TestWithParam<Case> { };

TEST_P(StreamedFilters, GiveTheDocumentsBytesAcrossBlockBoundaries)
{
    const auto [index, bits, channels, marked] = GetParam();
    const Streamed& filter = streamedFilters()[index];
    // 2003 frames against blocks of 60 bytes: no block size divides the data or the mark.
    std::mt19937 random(uint32_t(index * 31 + bits + channels));
    std::vector<uint8_t> bytes(2003 * channels * (bits / 8));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = bits == 8 ? uint8_t(70 + random() % 110) : uint8_t(i % 2 ? random() % 80 - 40 : random());
    WaveDocument document = documentOf(bytes.data(), bytes.size(), bits, channels);
    if (marked)
        mark(document, 1001, 5001);

    TempDir dir;
    ASSERT_EQ(writeWavFile(dir.file("in.wav"), document.header, document.samples.bytes()), WavWriteStatus::Ok);
    WavStreamReader source;
    ASSERT_EQ(source.open(dir.file("in.wav")), WavReadStatus::Ok);
    // Once on one core, once with both cores taking blocks in turn.
    for (const std::size_t split : { kSplitRangeBytes, std::size_t(0) }) {
        FileStream stream(source, dir.file(split ? "out.wav" : "split.wav"), {}, 60, split);
        ASSERT_TRUE(filter.stream(stream, source.header(), document.mark).ok());
    }
    filter.document(document);
    for (const char* name : { "out.wav", "split.wav" }) {
        WavFileContents streamed;
        ASSERT_EQ(readWavFile(dir.file(name), streamed), WavReadStatus::Ok);
        EXPECT_EQ(
            std::vector<uint8_t>(streamed.samples.bytes().begin(), streamed.samples.bytes().end()), bytesOf(document))
            << name;
    }
}

TEST(StreamedFilter, ASourceCutShortWhileStreamingFailsAsUnreadableAndWritesNothing)
{
    std::vector<uint8_t> bytes(40000 * 4);
    std::mt19937 random(7);
    for (uint8_t& byte : bytes)
        byte = uint8_t(random());
    const WaveDocument document = documentOf(bytes.data(), bytes.size(), 16, 2);
    for (const std::size_t split : { kSplitRangeBytes, std::size_t(0) }) {
        TempDir dir;
        const std::string in = dir.file("in.wav");
        ASSERT_EQ(writeWavFile(in, document.header, document.samples.bytes()), WavWriteStatus::Ok);
        WavStreamReader source;
        ASSERT_EQ(source.open(in), WavReadStatus::Ok);
        // Another program cuts the file after it was opened: blocks past the cut cannot be read.
        ASSERT_EQ(::truncate(in.c_str(), off_t(bytes.size() / 3)), 0);
        FileStream stream(source, dir.file("out.wav"), {}, 4096, split);
        const StreamStatus status = stream.change(volumeChange(source.header(), { 0, uint32_t(bytes.size()) }, 150));
        EXPECT_EQ(status.read, WavReadStatus::CannotAscend) << split;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.wav"))) << split;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamedFilters,
    ::testing::Combine(::testing::Range<std::size_t>(0, 13), ::testing::Values<uint16_t>(8, 16),
        ::testing::Values<uint16_t>(1, 2), ::testing::Bool()),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = streamedFilters()[std::get<0>(info.param)].name;
        std::erase(name, '-');
        return name + "_" + std::to_string(std::get<1>(info.param)) + "bit_"
            + (std::get<2>(info.param) == 2 ? "stereo" : "mono") + (std::get<3>(info.param) ? "_marked" : "");
    });

} // namespace
