#include "devices/OutputVolume.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace kx {
namespace {

    struct StepCase {
        uint32_t volume;
        uint32_t up;
        uint32_t down;
    };

    class VolumeStepTest : public testing::TestWithParam<StepCase> { };

    TEST_P(VolumeStepTest, MovesBothChannelsWithinTheLimits)
    {
        const StepCase& c = GetParam();
        EXPECT_EQ(outputvolume::stepUp(c.volume), c.up) << std::hex << c.volume;
        EXPECT_EQ(outputvolume::stepDown(c.volume), c.down) << std::hex << c.volume;
    }

    INSTANTIATE_TEST_SUITE_P(Golden, VolumeStepTest,
        testing::Values(StepCase { 0xFFFFFFFF, 0xFFFFFFFF, 0xEFFFEFFF }, // full: only down
            StepCase { 0xEFFFEFFF, 0xFFFFFFFF, 0xDFFFDFFF },
            StepCase { 0x0FFF0FFF, 0x1FFF1FFF, 0x0FFF0FFF }, // the floor: only up
            StepCase { 0x10001000, 0x20002000, 0x00000000 }, // left 0x1000 is above 0x0FFF
            StepCase { 0x1FFF1FFF, 0x2FFF2FFF, 0x0FFF0FFF },
            StepCase { 0xF000F000, 0xF000F000, 0xE000E000 }, // left above 0xEFFF: no step up
            StepCase { 0xEFFFF000, 0xEFFFF000, 0xDFFFE000 },
            StepCase { 0xF0001000, 0xF0001000, 0xE0000000 }, // right too loud: the whole value blocks
            StepCase { 0x0FFF8000, 0x1FFF9000, 0x0FFF8000 }, // right too quiet: no step down
            StepCase { 0x00000000, 0x10001000, 0x00000000 }));

    TEST(VolumeStepTest, FifteenStepsReachTheFloorAndFifteenComeBack)
    {
        uint32_t volume = outputvolume::kFull;
        int downs = 0;
        for (uint32_t next; (next = outputvolume::stepDown(volume)) != volume; volume = next)
            ++downs;
        EXPECT_EQ(downs, 15);
        EXPECT_EQ(volume, 0x0FFF0FFFu);
        int ups = 0;
        for (uint32_t next; (next = outputvolume::stepUp(volume)) != volume; volume = next)
            ++ups;
        EXPECT_EQ(ups, 15);
        EXPECT_EQ(volume, outputvolume::kFull);
    }

    std::vector<uint8_t> sixteenBit(std::initializer_list<int16_t> values)
    {
        std::vector<uint8_t> bytes(values.size() * 2);
        std::memcpy(bytes.data(), std::data(values), bytes.size());
        return bytes;
    }

    TEST(VolumeApplyTest, FullVolumeLeavesEveryByte)
    {
        std::vector<uint8_t> bytes = sixteenBit({ 32767, -32768, 1, -1 });
        const std::vector<uint8_t> before = bytes;
        outputvolume::apply(bytes, { 16, 2, 44100 }, outputvolume::kFull);
        EXPECT_EQ(bytes, before);
    }

    TEST(VolumeApplyTest, ScalesEachStereoChannelByItsOwnWord)
    {
        // Left at half, right silent.
        std::vector<uint8_t> bytes = sixteenBit({ 32767, 32767, -32768, -32768 });
        outputvolume::apply(bytes, { 16, 2, 44100 }, 0x00007FFF);
        EXPECT_EQ(bytes, sixteenBit({ 16383, 0, -16383, 0 }));
    }

    TEST(VolumeApplyTest, MonoFollowsTheLeftChannel)
    {
        std::vector<uint8_t> bytes = sixteenBit({ 1000, -1000 });
        outputvolume::apply(bytes, { 16, 1, 22050 }, 0xFFFF0000);
        EXPECT_EQ(bytes, sixteenBit({ 0, 0 }));
    }

    TEST(VolumeApplyTest, EightBitScalesAroundTheCentre)
    {
        std::vector<uint8_t> bytes { 255, 0, 128, 129 };
        outputvolume::apply(bytes, { 8, 2, 11025 }, 0x00007FFF);
        // Left values halve around 128; right values fall to the centre line.
        EXPECT_EQ(bytes, (std::vector<uint8_t> { 191, 128, 128, 128 }));
    }

} // namespace
} // namespace kx
