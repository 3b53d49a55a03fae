// The arithmetic that maps wave view columns to sample values and moves the view.
#include "WaveViewGeometry.h"

#include "documents/PcmFormat.h"
#include "documents/WaveDocument.h"

#include <gtest/gtest.h>

#include <optional>

namespace kx {
namespace {

    struct View {
        uint16_t bits = 8;
        uint16_t channels = 1;
        uint32_t dataSize = 0;
        uint32_t zoom = 1;
        uint32_t viewStart = 0;
        int width = 400;
    };

    WaveViewGeometry geometryOf(const View& view)
    {
        WaveHeader header;
        PcmFormat { view.bits, view.channels, 22050 }.applyTo(header);
        header.setDataSize(view.dataSize);
        MarkRecord mark;
        mark.zoom = view.zoom;
        mark.viewStart = view.viewStart;
        return WaveViewGeometry(header, mark, view.width, 200);
    }

    using Scroll = WaveViewGeometry::Scroll;

    struct ScrollCase {
        const char* name;
        View view;
        Scroll step;
        std::optional<uint32_t> expected;
    };

    class ScrollTest : public testing::TestWithParam<ScrollCase> { };

    TEST_P(ScrollTest, MovesTheViewStart)
    {
        EXPECT_EQ(geometryOf(GetParam().view).scrolled(GetParam().step), GetParam().expected);
    }

    INSTANTIATE_TEST_SUITE_P(Steps, ScrollTest,
        testing::Values(
            // One value per column: a quarter of the width per line in frames; a page is the
            // drawing width (W - 6 columns) of values.
            ScrollCase { "LineRightOneToOne", { 8, 1, 100000, 1, 1000, 400 }, Scroll::LineRight, 1100 },
            ScrollCase { "LineLeftOneToOne", { 8, 1, 100000, 1, 1000, 400 }, Scroll::LineLeft, 900 },
            ScrollCase { "PageRightOneToOne", { 8, 1, 100000, 1, 1000, 400 }, Scroll::PageRight, 1394 },
            ScrollCase { "PageLeftStopsAtZero", { 8, 1, 100000, 1, 300, 400 }, Scroll::PageLeft, 0 },
            ScrollCase { "LineRightStereo16", { 16, 2, 400000, 1, 1000, 400 }, Scroll::LineRight, 1400 },
            // Several values per column: spp * (W / 8) per line, times B; spp * (W - 6) per page.
            ScrollCase { "LineRightZoomed", { 16, 1, 400000, 10, 5000, 400 }, Scroll::LineRight, 6000 },
            ScrollCase { "LineLeftZoomed", { 16, 1, 400000, 10, 5000, 400 }, Scroll::LineLeft, 4000 },
            ScrollCase { "PageLeftZoomed", { 16, 1, 400000, 10, 5000, 400 }, Scroll::PageLeft, 1060 },
            ScrollCase { "PageRightStereo16", { 16, 2, 400000, 10, 5000, 400 }, Scroll::PageRight, 8940 },
            ScrollCase { "PageRightStopsAtTotal", { 16, 1, 16000, 10, 5000, 400 }, Scroll::PageRight, 8000 },
            // A file shorter than the window at zoom 0: the line right lands on 0 and does nothing.
            ScrollCase { "LineRightLandingOnZero", { 8, 1, 100, 0, 0, 400 }, Scroll::LineRight, std::nullopt },
            ScrollCase { "LineLeftAtZoomZeroShortFile", { 8, 1, 100, 0, 0, 400 }, Scroll::LineLeft, 0 },
            ScrollCase { "LineRightFromZeroZoomed", { 8, 1, 100000, 10, 0, 400 }, Scroll::LineRight, 500 }),
        [](const auto& info) { return std::string(info.param.name); });

    struct WheelCase {
        const char* name;
        View view;
        int notches;
        std::optional<uint32_t> expected;
    };

    class WheelTest : public testing::TestWithParam<WheelCase> { };

    TEST_P(WheelTest, MovesTheViewStart)
    {
        EXPECT_EQ(geometryOf(GetParam().view).wheeled(GetParam().notches), GetParam().expected);
    }

    INSTANTIATE_TEST_SUITE_P(Notches, WheelTest,
        testing::Values(WheelCase { "AwayOneToOne", { 8, 1, 100000, 1, 1000, 400 }, 1, 900 },
            WheelCase { "TowardsOneToOne", { 8, 1, 100000, 1, 1000, 400 }, -2, 1200 },
            WheelCase { "TowardsZoomed", { 8, 2, 100000, 10, 1000, 400 }, -1, 2000 },
            WheelCase { "AwayZoomedStopsAtZero", { 8, 1, 100000, 10, 100, 400 }, 1, 0 },
            WheelCase { "TowardsLandingOnZero", { 8, 1, 100, 0, 0, 400 }, -1, std::nullopt }),
        [](const auto& info) { return std::string(info.param.name); });

    struct ZoomCase {
        const char* name;
        View view;
        int notches;
        uint32_t expected;
    };

    class ZoomTest : public testing::TestWithParam<ZoomCase> { };

    TEST_P(ZoomTest, StepsByOneUpToTenThenByAQuarter)
    {
        EXPECT_EQ(geometryOf(GetParam().view).zoomedBy(GetParam().notches), GetParam().expected);
    }

    INSTANTIATE_TEST_SUITE_P(Wheel, ZoomTest,
        testing::Values(ZoomCase { "TowardsUserZoomsOut", { 8, 1, 100000, 5 }, -1, 6 },
            ZoomCase { "AwayZoomsIn", { 8, 1, 100000, 5 }, 1, 4 },
            ZoomCase { "NeverBelowOne", { 8, 1, 100000, 1 }, 1, 1 },
            // 39400 values over 394 columns: whole file is 100 values per pixel.
            ZoomCase { "FromWholeFileOut", { 8, 1, 39400, 0 }, -1, 125 },
            ZoomCase { "FromWholeFileIn", { 8, 1, 39400, 0 }, 1, 80 },
            ZoomCase { "FromWholeFileShortFile", { 8, 1, 100, 0 }, 1, 1 },
            // At 500 a step of one would not show; a quarter does, and comes back to ten.
            ZoomCase { "PastTenOutByAQuarter", { 8, 1, 100000, 10 }, -1, 13 },
            ZoomCase { "PastTenInStopsAtTen", { 8, 1, 100000, 13 }, 1, 10 },
            ZoomCase { "ThreeNotchesOut", { 8, 1, 100000, 500 }, -3, 978 },
            ZoomCase { "NeverAboveTheLargestZoom", { 8, 1, 100000, 29000 }, -1, 30000 }),
        [](const auto& info) { return std::string(info.param.name); });

    struct PositionCase {
        const char* name;
        View view;
        int x;
        uint32_t expected;
    };

    class PositionTest : public testing::TestWithParam<PositionCase> { };

    TEST_P(PositionTest, BytesUnderTheMouse)
    {
        const WaveViewGeometry geometry = geometryOf(GetParam().view);
        EXPECT_EQ(geometry.positionAt(geometry.effectiveColumn(GetParam().x, true)), GetParam().expected);
    }

    INSTANTIATE_TEST_SUITE_P(Columns, PositionTest,
        testing::Values(PositionCase { "Mono8", { 8, 1, 100000, 3, 30 }, 13, 30 + 10 * 3 },
            PositionCase { "LeftOfTheArea", { 8, 1, 100000, 3, 30 }, -40, 30 },
            PositionCase { "RightOfTheArea", { 8, 1, 100000, 1, 0, 400 }, 1000, 394 },
            // 16 bit: twice the value index, so always even.
            PositionCase { "Mono16Even", { 16, 1, 100000, 3, 7 }, 10, 2 * (7 + 7 * 3) },
            PositionCase { "Mono16OddValue", { 16, 1, 100000, 1, 0 }, 8, 10 },
            // Stereo: rounded down to the frame, so a mark never splits a frame.
            PositionCase { "Stereo16Frame", { 16, 2, 100000, 1, 0 }, 8, 8 },
            PositionCase { "Stereo8Frame", { 8, 2, 100000, 1, 0 }, 8, 4 },
            PositionCase { "PastTheEnd", { 16, 1, 100, 1, 0 }, 300, 100 }),
        [](const auto& info) { return std::string(info.param.name); });

    TEST(WaveViewGeometry, WholeFileFitsAtEveryWidth)
    {
        for (int width : { 7, 50, 206, 400, 801, 1920 }) {
            for (uint32_t dataSize : { 1u, 99u, 794u, 795u, 100000u, 600000000u }) {
                const WaveViewGeometry geometry = geometryOf({ 8, 1, dataSize, 0, 0, width });
                SCOPED_TRACE(testing::Message() << "width " << width << " values " << dataSize);
                EXPECT_EQ(geometry.viewEnd(), dataSize);
                EXPECT_LE(geometry.columnOf(dataSize - 1), width - 4);
            }
        }
    }

    TEST(WaveViewGeometry, ResizingChangesSppAtZoomZero)
    {
        EXPECT_EQ(geometryOf({ 8, 1, 100000, 0, 0, 406 }).spp(), 250u);
        EXPECT_EQ(geometryOf({ 8, 1, 100000, 0, 0, 806 }).spp(), 125u);
        EXPECT_EQ(geometryOf({ 8, 1, 100000, 0, 0, 806 }).zoomSpp(), 125u);
        EXPECT_EQ(geometryOf({ 8, 1, 100, 0, 0, 806 }).zoomSpp(), 0u);
        EXPECT_EQ(geometryOf({ 8, 1, 100, 0, 0, 806 }).spp(), 1u);
    }

    TEST(WaveViewGeometry, BandStopsAtTheEndOfTheData)
    {
        // 100 values at one per column end at column 103.
        const WaveViewGeometry geometry = geometryOf({ 8, 1, 100, 1, 0, 400 });
        EXPECT_EQ(geometry.bandEndColumn(50), 50);
        EXPECT_EQ(geometry.bandEndColumn(200), 103);
        const WaveViewGeometry sixteen = geometryOf({ 16, 1, 200, 2, 0, 400 });
        EXPECT_EQ(sixteen.bandEndColumn(200), 53);
    }

} // namespace
} // namespace kx
