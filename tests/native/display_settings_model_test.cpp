#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/display_settings_model.h"
#include "resource_ids.h"

namespace {

AdapterAbilities Hardware() {
    return {true, true, true, false, false, false};
}
AdapterAbilities Software() {
    return {true, false, false, true, true, false};
}

TEST(DisplaySettingsModel, StatusTextFollowsWhatTheAdapterCanRender) {
    EXPECT_EQ(RenderingStatusTextId(Hardware()), IDS_CAN_USE_HARDWARE);
    EXPECT_EQ(RenderingStatusTextId(Software()), IDS_CAN_USE_SOFTWARE);
    EXPECT_EQ(RenderingStatusTextId(AdapterAbilities{}), IDS_CANNOT_DISPLAY) << "no adapter";

    AdapterAbilities both = {true, true, true, true, true, false};
    EXPECT_EQ(RenderingStatusTextId(both), IDS_CAN_USE_HARDWARE);
    both.disableHardware = true;
    EXPECT_EQ(RenderingStatusTextId(both), IDS_CAN_USE_SOFTWARE) << "hardware switched off";

    AdapterAbilities unusable = {true, true, false, true, false, false};  // devices without modes
    EXPECT_EQ(RenderingStatusTextId(unusable), IDS_CANNOT_DISPLAY);
    EXPECT_FALSE(SaverCanUseMonitor(unusable));
    EXPECT_FALSE(SaverCanUseMonitor(AdapterAbilities{}));
    EXPECT_TRUE(SaverCanUseMonitor(Hardware()));
    EXPECT_TRUE(SaverCanUseMonitor(Software()));
    AdapterAbilities disabledOnly = Hardware();
    disabledOnly.disableHardware = true;
    EXPECT_FALSE(SaverCanUseMonitor(disabledOnly));
}

TEST(DisplaySettingsModel, ModeControlsServeAMonitorThatShowsTheSaver) {
    EXPECT_TRUE(ModeControlsEnabled(false));
    EXPECT_FALSE(ModeControlsEnabled(true));
    EXPECT_TRUE(ModeListEnabled(false, false));
    EXPECT_FALSE(ModeListEnabled(false, true)) << "the desktop's mode is used";
    EXPECT_FALSE(ModeListEnabled(true, false));
}

TEST(DisplaySettingsModel, ThirtyTwoBitFormatsAreTheRgbOnes) {
    EXPECT_EQ(ModeBitDepth(20), 32);  // R8G8B8
    EXPECT_EQ(ModeBitDepth(21), 32);  // A8R8G8B8
    EXPECT_EQ(ModeBitDepth(22), 32);  // X8R8G8B8
    EXPECT_EQ(ModeBitDepth(23), 16);  // R5G6B5
    EXPECT_EQ(ModeBitDepth(25), 16);  // A1R5G5B5
    EXPECT_EQ(ModeBitDepth(0), 16);
}

const DisplayModeChoice Modes[] = {{640, 480, 23}, {640, 480, 22}, {1024, 768, 22}};

TEST(DisplaySettingsModel, TheStoredPreferenceIsSelectedElseAutomatic) {
    EXPECT_EQ(ModeListItemFor(Modes, 3, {640, 480, 22}), 2);
    EXPECT_EQ(ModeListItemFor(Modes, 3, {1024, 768, 22}), 3);
    EXPECT_EQ(ModeListItemFor(Modes, 3, {1024, 768, 23}), 0) << "same size, other format";
    EXPECT_EQ(ModeListItemFor(Modes, 3, {0, 0, 0}), 0);
    EXPECT_EQ(ModeListItemFor(nullptr, 0, {640, 480, 23}), 0);
}

TEST(DisplaySettingsModel, ItemDataNamesAModeOrAutomatic) {
    DisplayModeChoice preference = {1, 1, 1};
    ASSERT_TRUE(PreferenceForItemData(Modes, 3, AutomaticItemData, &preference));
    EXPECT_EQ(preference.width + preference.height + preference.format, 0u);
    ASSERT_TRUE(PreferenceForItemData(Modes, 3, 2, &preference));
    EXPECT_EQ(preference.width, 1024u);
    EXPECT_EQ(preference.format, 22u);
    EXPECT_FALSE(PreferenceForItemData(Modes, 3, 3, &preference));
    EXPECT_FALSE(PreferenceForItemData(Modes, 3, -2, &preference));
    EXPECT_EQ(preference.width, 1024u) << "untouched";
}

std::string Format(const char* pattern, std::initializer_list<long> numbers, std::size_t size = 64) {
    std::string out(size, 'X');
    FormatNumbers(&out[0], size, pattern, numbers.begin(), numbers.size());
    return out.c_str();
}

TEST(DisplaySettingsModel, TemplatesTakeTheirNumbers) {
    EXPECT_EQ(Format("Monitor %d", {2}), "Monitor 2");
    EXPECT_EQ(Format("%d x %d, %d bit color", {640, 480, 16}), "640 x 480, 16 bit color");
    EXPECT_EQ(Format("%d by %d, %d bit color", {1024, 768, 32}), "1024 by 768, 32 bit color");
}

TEST(DisplaySettingsModel, BrokenTemplatesStaySafe) {
    EXPECT_EQ(Format("%d %d %d %d", {1, 2}), "1 2 %d %d") << "no number left";
    EXPECT_EQ(Format("100%% %s %n %d%", {7}), "100% %s %n 7%");
    EXPECT_EQ(Format("", {1}), "");
    EXPECT_EQ(Format("Monitor %d", {12345}, 10), "Monitor 1") << "cut to the buffer";
    char one[1] = {'X'};
    FormatNumbers(one, 1, "abc", nullptr, 0);
    EXPECT_EQ(one[0], '\0');
    FormatNumbers(one, 0, "abc", nullptr, 0);  // nothing to write into
    char out[8] = {'X'};
    FormatNumbers(out, sizeof(out), nullptr, nullptr, 0);
    EXPECT_STREQ(out, "");
}

}  // namespace
