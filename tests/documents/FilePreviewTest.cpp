#include "WavBuilder.h"
#include "documents/FilePreview.h"

#include <gtest/gtest.h>

namespace {

using namespace kx;
using namespace kx::test;

Bytes header(uint32_t riffSize, uint16_t channels, uint32_t rate, uint32_t avgBytes, uint16_t bits, uint32_t dataSize)
{
    Bytes b;
    putId(b, "RIFF");
    put32(b, riffSize);
    putId(b, "WAVE");
    putId(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, channels);
    put32(b, rate);
    put32(b, avgBytes);
    put16(b, uint16_t(channels * bits / 8));
    put16(b, bits);
    putId(b, "data");
    put32(b, dataSize);
    return b;
}

TEST(FilePreview, ShowsTheCanonicalHeaderFields)
{
    auto texts = filePreview(header(1048612, 1, 22050, 22050, 8, 1048576));
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->size, "1024 KB");
    EXPECT_EQ(texts->rate, "22050 Hz");
    EXPECT_EQ(texts->format, "8 Bit, Mono");

    texts = filePreview(header(264636, 2, 44100, 176400, 16, 264600));
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->length, "00 m 01.500 s");
    EXPECT_EQ(texts->format, "16 Bit, Stereo");

    // Other bit depths are compressed; a zero RIFF size or rate shows no length.
    EXPECT_EQ(filePreview(header(100, 1, 8000, 4000, 4, 60))->length, "compressed");
    EXPECT_EQ(filePreview(header(0, 1, 8000, 8000, 8, 8000))->length, "00 m 00.000 s");
    EXPECT_EQ(filePreview(header(100, 1, 8000, 0, 8, 8000))->length, "00 m 00.000 s");
    EXPECT_EQ(filePreview(header(4000000, 2, 44100, 176400, 16, 0xFFFFFFFF))->length, "405 m 47.887 s");
}

TEST(FilePreview, OtherFilesLeaveThePanelAsItWas)
{
    Bytes text(60, 'x');
    EXPECT_FALSE(filePreview(text));
    Bytes shortHeader = header(100, 1, 8000, 8000, 8, 60);
    shortHeader.resize(43);
    EXPECT_FALSE(filePreview(shortHeader));
    // Only the first and fourth bytes are looked at: "RIFX" is not taken, "R..F" of any kind is.
    Bytes rifx = header(100, 1, 8000, 8000, 8, 60);
    rifx[3] = 'X';
    EXPECT_FALSE(filePreview(rifx));
    Bytes odd = header(2048, 1, 8000, 8000, 8, 60);
    odd[1] = 'x';
    EXPECT_TRUE(filePreview(odd));
}

TEST(FilePreview, MinutesAndSeconds)
{
    EXPECT_EQ(formatMinutesSeconds(0), "00 m 00.000 s");
    EXPECT_EQ(formatMinutesSeconds(59999), "00 m 59.999 s");
    EXPECT_EQ(formatMinutesSeconds(60000), "01 m 00.000 s");
    EXPECT_EQ(formatMinutesSeconds(6000000), "100 m 00.000 s");
}

} // namespace
