#include <gtest/gtest.h>

#include <vector>

#include "framework/d3d_codes.h"
#include "framework/display_mode_list.h"
#include "framework/mode_selection.h"

// Found by argument-dependent lookup, so it lives beside DisplayMode.
bool operator==(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.format == b.format;
}

namespace {

std::vector<DisplayMode> Listed(const DisplayModeList& list) {
    return std::vector<DisplayMode>(list.modes, list.modes + list.modeCount);
}

TEST(DisplayModeList, KeepsDistinctModesOfAtLeast640By400InSortOrder) {
    DisplayModeList list(FormatX8R8G8B8);
    const DisplayMode reported[] = {
        {1024, 768, FormatX8R8G8B8}, {640, 480, FormatX8R8G8B8}, {640, 480, FormatR5G6B5},
        {320, 240, FormatR5G6B5},    {640, 400, FormatX8R8G8B8}, {1024, 768, FormatX8R8G8B8},  // other rate
        {800, 600, FormatR5G6B5},    {639, 480, FormatR5G6B5},   {800, 399, FormatR5G6B5},
        {800, 600, FormatX8R8G8B8},  {1024, 600, FormatR5G6B5},
    };
    for (const DisplayMode& mode : reported) {
        list.Add(mode);
    }
    list.Sort();
    const std::vector<DisplayMode> expected = {
        {640, 400, FormatX8R8G8B8},  {640, 480, FormatR5G6B5},   {640, 480, FormatX8R8G8B8},
        {800, 600, FormatR5G6B5},    {800, 600, FormatX8R8G8B8}, {1024, 600, FormatR5G6B5},
        {1024, 768, FormatX8R8G8B8},
    };
    EXPECT_EQ(Listed(list), expected);
    ASSERT_EQ(list.formatCount, 2u);
    EXPECT_EQ(list.formats[0], FormatX8R8G8B8) << "the desktop format comes first";
    EXPECT_EQ(list.formats[1], FormatR5G6B5);
}

TEST(DisplayModeList, StopsAtOneHundredModesAndTwentyFormats) {
    DisplayModeList list(FormatX8R8G8B8);
    for (uint32_t i = 0; i < 150; ++i) {
        list.Add(DisplayMode{640 + i, 480, 100 + i});
    }
    EXPECT_EQ(list.modeCount, MaxListedModes);
    EXPECT_EQ(list.formatCount, MaxListedFormats);
    EXPECT_EQ(list.modes[MaxListedModes - 1].width, 739u);
}

TEST(DefaultMode, Prefers16Bit640By480) {
    const DisplayMode modes[] = {
        {640, 400, FormatR5G6B5}, {640, 480, FormatA8R8G8B8}, {640, 480, FormatX1R5G5B5},
        {640, 480, FormatR5G6B5}, {800, 600, FormatR5G6B5},
    };
    EXPECT_EQ(DefaultModeIndex(modes, 5), 2u) << "the first 16-bit one in list order";
}

TEST(DefaultMode, TakesTheLast640By480WithoutA16BitOne) {
    const DisplayMode modes[] = {{640, 400, FormatR5G6B5},
                                 {640, 480, FormatA8R8G8B8},
                                 {640, 480, FormatX8R8G8B8},
                                 {800, 600, FormatR5G6B5}};
    EXPECT_EQ(DefaultModeIndex(modes, 4), 2u);
    const DisplayMode no640By480[] = {{800, 600, FormatR5G6B5}, {1024, 768, FormatX8R8G8B8}};
    EXPECT_EQ(DefaultModeIndex(no640By480, 2), 0u);
    EXPECT_EQ(DefaultModeIndex(nullptr, 0), 0u);
}

// A typical adapter's list, in enumeration order.
const DisplayMode typical[] = {
    {640, 400, FormatR5G6B5},     // 0
    {640, 480, FormatR5G6B5},     // 1
    {640, 480, FormatX8R8G8B8},   // 2
    {800, 600, FormatR5G6B5},     // 3
    {800, 600, FormatX8R8G8B8},   // 4
    {1024, 768, FormatR5G6B5},    // 5
    {1024, 768, FormatX8R8G8B8},  // 6
};
const uint32_t typicalCount = 7;

ModePreference Automatic(uint32_t desktopWidth, uint32_t desktopHeight) {
    return ModePreference{0, 0, 0, false, desktopWidth, desktopHeight};
}

TEST(AutomaticMode, HardwareTakesTheDesktopSizeIn32Bits) {
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeHal, typical, typicalCount, Automatic(1024, 768)), 6u);
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeRef, typical, typicalCount, Automatic(800, 600)), 4u);
    const DisplayMode only16[] = {
        {800, 600, FormatR5G6B5}, {1024, 768, FormatX1R5G5B5}, {1024, 768, FormatR5G6B5}};
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeHal, only16, 3, Automatic(1024, 768)), 1u)
        << "without 32 bits, the first mode of the desktop size";
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeHal, typical, typicalCount, Automatic(1280, 1024)), 0u)
        << "a desktop size that is not offered falls back to the first mode";
}

TEST(AutomaticMode, SoftwareTakesTheLowestModeButNever400Lines) {
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeSw, typical, typicalCount, Automatic(1024, 768)), 1u);
    const DisplayMode starts32[] = {{640, 400, FormatX8R8G8B8},
                                    {640, 480, FormatX8R8G8B8},
                                    {720, 480, FormatR5G6B5},
                                    {720, 480, FormatX8R8G8B8}};
    EXPECT_EQ(SoftwareAutomaticModeIndex(starts32, 4), 2u)
        << "a 32-bit choice gives way to a later mode of the same height until a 16-bit one is held";
    const DisplayMode only400[] = {{640, 400, FormatR5G6B5}};
    EXPECT_EQ(SoftwareAutomaticModeIndex(only400, 1), 0u);
}

TEST(PreferredMode, UsedWhenOfferedOtherwiseAutomatic) {
    ModePreference preference = Automatic(1024, 768);
    preference.width = 800;
    preference.height = 600;
    preference.format = FormatR5G6B5;
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeHal, typical, typicalCount, preference), 3u);
    preference.format = FormatA8R8G8B8;
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeHal, typical, typicalCount, preference), 6u)
        << "no exact match: the HAL picks the desktop size, 32-bit";
    preference.format = FormatR5G6B5;
    preference.useDesktopSettings = true;
    EXPECT_EQ(ChooseFullScreenModeIndex(DeviceTypeSw, typical, typicalCount, preference), 6u)
        << "the desktop settings override the preference, for any kind";
}

TEST(StepDownMode, DropsBitsThenSizeUntilNothingIsLeft) {
    uint32_t current = 6;  // 1024 x 768 x 32
    std::vector<uint32_t> sequence;
    // Each step leaves a mode for good, so there are fewer steps than modes; a step-down
    // that cycled would fail here at once instead of running out of memory.
    while (sequence.size() <= typicalCount && StepDownModeIndex(typical, typicalCount, &current)) {
        sequence.push_back(current);
    }
    // 1024x768x16, 800x600x32, 800x600x16, 640x480x32, 640x480x16, 640x400x16
    EXPECT_EQ(sequence, (std::vector<uint32_t>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(current, 0u) << "unchanged when no smaller mode exists";
}

TEST(StepDownMode, A32BitModeOfAnySmallerAreaReplacesA16BitCandidate) {
    const DisplayMode modes[] = {
        {640, 480, FormatX8R8G8B8},  // 0
        {800, 600, FormatR5G6B5},    // 1
        {1024, 768, FormatR5G6B5},   // 2
        {1280, 1024, FormatR5G6B5},  // 3
    };
    uint32_t current = 3;
    ASSERT_TRUE(StepDownModeIndex(modes, 4, &current));
    EXPECT_EQ(current, 2u) << "the largest smaller mode wins over the earlier 32-bit one";

    const DisplayMode smallerFirst[] = {
        {800, 600, FormatR5G6B5},    // 0
        {640, 480, FormatX8R8G8B8},  // 1 (out of sort order on purpose)
        {1024, 768, FormatR5G6B5},   // 2
    };
    current = 2;
    ASSERT_TRUE(StepDownModeIndex(smallerFirst, 3, &current));
    EXPECT_EQ(current, 1u) << "while the best is 16-bit, a 32-bit mode takes its place";
}

TEST(StepDownMode, A32BitModeWithoutA16BitTwinStepsToSmallerSizes) {
    const DisplayMode modes[] = {
        {640, 480, FormatR5G6B5}, {800, 600, FormatX8R8G8B8}, {800, 600, FormatA8R8G8B8}};
    uint32_t current = 1;
    ASSERT_TRUE(StepDownModeIndex(modes, 3, &current));
    EXPECT_EQ(current, 0u) << "the other 32-bit mode of the same size is not tried";
    uint32_t outOfRange = 7;
    EXPECT_FALSE(StepDownModeIndex(modes, 3, &outOfRange));
}

}  // namespace
