#include "devices/FormatSummary.h"
#include "devices/OutputDevices.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

    struct SummaryCase {
        uint32_t mask;
        const char* expected;
    };

    class FormatSummaryTest : public testing::TestWithParam<SummaryCase> { };

    TEST_P(FormatSummaryTest, DescribesTheMask)
    {
        EXPECT_EQ(formatSummaryText(GetParam().mask), GetParam().expected) << "mask " << GetParam().mask;
    }

    INSTANTIATE_TEST_SUITE_P(Golden, FormatSummaryTest,
        testing::Values(SummaryCase { Format4M16 | Format4S16 | Format4M08 | Format2M16, "16 Bit 44100 Hz STEREO" },
            // Without the 44.1 kHz stereo 16-bit bit no device is reported as stereo.
            SummaryCase {
                Format1M08 | Format1S08 | Format2M08 | Format2S08 | Format4M08 | Format4S08, "8 Bit 44100 Hz MONO" },
            // The 16-bit test for 11025 Hz comes after the 8-bit test for 44100 Hz.
            SummaryCase { Format4M08 | Format1M16, "8 Bit 11025 Hz MONO" },
            SummaryCase { 0xFFF, "16 Bit 44100 Hz STEREO" }, SummaryCase { Format1M08, "8 Bit 11025 Hz MONO" },
            SummaryCase { Format2M08, "8 Bit 22050 Hz MONO" },
            SummaryCase { Format2M16 | Format1M08, "8 Bit 22050 Hz MONO" },
            // 16 bit only follows the 44.1 kHz mono 16-bit bit.
            SummaryCase { Format4M16, "16 Bit 44100 Hz MONO" },
            SummaryCase { Format4S16 | Format1M08, "8 Bit 11025 Hz STEREO" },
            // No mono bit leaves the rate undetermined.
            SummaryCase { 0, "No standard format" }, SummaryCase { Format4S16 | Format2S08, "No standard format" }));

    TEST(StandardFormatBitTest, NamesEachOfTheTwelveFormats)
    {
        struct Case {
            uint32_t rate;
            uint16_t channels;
            uint16_t bits;
            uint32_t bit;
        };
        const Case cases[] = {
            { 11025, 1, 8, Format1M08 },
            { 11025, 2, 8, Format1S08 },
            { 11025, 1, 16, Format1M16 },
            { 11025, 2, 16, Format1S16 },
            { 22050, 1, 8, Format2M08 },
            { 22050, 2, 8, Format2S08 },
            { 22050, 1, 16, Format2M16 },
            { 22050, 2, 16, Format2S16 },
            { 44100, 1, 8, Format4M08 },
            { 44100, 2, 8, Format4S08 },
            { 44100, 1, 16, Format4M16 },
            { 44100, 2, 16, Format4S16 },
            { 48000, 2, 16, 0 },
            { 44100, 3, 16, 0 },
            { 44100, 2, 24, 0 },
            { 8000, 1, 8, 0 },
        };
        for (const Case& c : cases)
            EXPECT_EQ(standardFormatBit(c.rate, c.channels, c.bits), c.bit)
                << c.rate << "/" << c.channels << "/" << c.bits;
    }

    TEST(DriverVersionTest, ShowsHighAndLowByte)
    {
        EXPECT_EQ(driverVersionText(0x0104), "1.4");
        EXPECT_EQ(driverVersionText(0x1306), "19.6");
        EXPECT_EQ(driverVersionText(0), "0.0");
        EXPECT_EQ(driverVersionText(0xFFFF), "255.255");
    }

    TEST(OutputDeviceIdTest, StoresTheDefaultDeviceAsAllOnes)
    {
        EXPECT_EQ(outputdevices::textOfId(-1), "4294967295");
        EXPECT_EQ(outputdevices::textOfId(0), "0");
        EXPECT_EQ(outputdevices::textOfId(3), "3");
        EXPECT_EQ(outputdevices::idFromText("4294967295"), -1);
        EXPECT_EQ(outputdevices::idFromText("2"), 2);
        EXPECT_EQ(outputdevices::idFromText("0"), 0);
        // Missing or broken values fall back to the default device.
        EXPECT_EQ(outputdevices::idFromText(""), -1);
        EXPECT_EQ(outputdevices::idFromText("x1"), -1);
        EXPECT_EQ(outputdevices::idFromText("1x"), -1);
        EXPECT_EQ(outputdevices::idFromText("-1"), -1);
        EXPECT_EQ(outputdevices::idFromText("99999999999"), -1);
    }

} // namespace
} // namespace kx
