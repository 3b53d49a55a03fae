#include "documents/ChannelSplit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace kx;

WaveDocument stereo(uint16_t bits, const std::vector<uint8_t>& bytes)
{
    WaveDocument document;
    document.header.nChannels = 2;
    document.header.wBitsPerSample = bits;
    document.header.nSamplesPerSec = 8000;
    document.header.nBlockAlign = uint16_t(bits / 4);
    document.header.nAvgBytesPerSec = 8000u * (bits / 4);
    document.header.setDataSize(uint32_t(bytes.size()));
    document.samples = SampleBuffer::copyOf(bytes);
    document.info.fileName = "/music/take.one.wav";
    document.mark.zoom = 7;
    return document;
}

std::vector<uint8_t> bytesOf(const WaveDocument& document)
{
    return { document.samples.data(), document.samples.data() + document.samples.size() };
}

TEST(ChannelSplit, EachChannelBecomesAMonoDocumentOfItsOwn)
{
    struct Case {
        uint16_t bits;
        std::vector<uint8_t> frames, left, right;
    };
    const Case cases[] = {
        // 16 bit: two bytes a value; a trailing half frame is left out.
        { 16, { 1, 2, 3, 4, 5, 6, 7, 8, 9 }, { 1, 2, 5, 6 }, { 3, 4, 7, 8 } },
        { 8, { 10, 20, 11, 21, 12, 22 }, { 10, 11, 12 }, { 20, 21, 22 } },
        { 8, {}, {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        const WaveDocument source = stereo(c.bits, c.frames);
        auto left = documentOfChannel(source, Channel::Left);
        auto right = documentOfChannel(source, Channel::Right);
        ASSERT_TRUE(left && right);
        EXPECT_EQ(bytesOf(*left), c.left);
        EXPECT_EQ(bytesOf(*right), c.right);
        EXPECT_EQ(left->header.nChannels, 1);
        EXPECT_EQ(left->header.wBitsPerSample, c.bits);
        EXPECT_EQ(left->header.nBlockAlign, c.bits / 8);
        EXPECT_EQ(left->header.nAvgBytesPerSec, 8000u * (c.bits / 8));
        EXPECT_EQ(left->header.dataSize, c.left.size());
        EXPECT_EQ(left->header.riffSize, c.left.size() + 36);
        EXPECT_EQ(left->mark.zoom, 7u);
    }
    const WaveDocument source = stereo(8, { 1, 2 });
    EXPECT_EQ(documentOfChannel(source, Channel::Left)->info.fileName, "/music/take.one - Left.wav");
    EXPECT_EQ(documentOfChannel(source, Channel::Right)->info.fileName, "/music/take.one - Right.wav");
    // Content that is in no file yet: closing asks, saving asks for a name.
    EXPECT_EQ(documentOfChannel(source, Channel::Left)->info.saved, 0u);
    EXPECT_FALSE(documentOfChannel(source, Channel::Left)->info.hasFile);

    WaveDocument mono = stereo(8, { 1, 2 });
    mono.header.nChannels = 1;
    EXPECT_FALSE(documentOfChannel(mono, Channel::Left));
}

} // namespace
