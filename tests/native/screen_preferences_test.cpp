#include "framework/screen_preferences.h"

#include <gtest/gtest.h>

#include "support/memory_settings_key.h"

namespace {

ScreenPreferences Adapter(uint8_t idByte) {
    ScreenPreferences p = {};
    for (uint8_t& b : p.adapterId) {
        b = idByte;
    }
    return p;
}

TEST(ScreenPreferences, RoundTripForTheSameAdapter) {
    MemorySettingsKey key;
    ScreenPreferences saved = Adapter(7);
    saved.leaveBlack = 1;
    saved.disableHardware = 1;
    saved.preferredWidth = 1024;
    saved.preferredHeight = 768;
    saved.preferredFormat = 23;
    WriteScreenPreferences(key, saved);
    EXPECT_EQ(key.values.at("Adapter ID").size(), 16u);

    ScreenPreferences read = Adapter(7);
    ReadScreenPreferences(key, read);
    EXPECT_EQ(read.leaveBlack, 1u);
    EXPECT_EQ(read.disableHardware, 1u);
    EXPECT_EQ(read.preferredWidth, 1024u);
    EXPECT_EQ(read.preferredHeight, 768u);
    EXPECT_EQ(read.preferredFormat, 23u);
}

TEST(ScreenPreferences, ChoicesForAnotherAdapterKeepOnlyLeaveBlack) {
    MemorySettingsKey key;
    ScreenPreferences saved = Adapter(7);
    saved.leaveBlack = 1;
    saved.disableHardware = 1;
    saved.preferredWidth = 1024;
    WriteScreenPreferences(key, saved);

    ScreenPreferences read = Adapter(9);  // the graphics card was replaced
    ReadScreenPreferences(key, read);
    EXPECT_EQ(read.leaveBlack, 1u);
    EXPECT_EQ(read.disableHardware, 0u);
    EXPECT_EQ(read.preferredWidth, 0u) << "automatic until saved again";
}

TEST(ScreenPreferences, WithoutAStoredIdentifierEverythingApplies) {
    MemorySettingsKey key;
    key.SetDword("Width", 800);
    key.SetDword("Height", 600);
    key.SetDword("Format", 22);
    key.SetBytes("Adapter ID", {1, 2, 3});  // not a GUID: as if none were stored
    ScreenPreferences read = Adapter(9);
    ReadScreenPreferences(key, read);
    EXPECT_EQ(read.preferredWidth, 800u);
    EXPECT_EQ(read.preferredFormat, 22u);
    EXPECT_EQ(read.leaveBlack, 0u);
}

TEST(ScreenPreferences, AnEmptyKeyChangesNothing) {
    MemorySettingsKey key;
    ScreenPreferences read = Adapter(3);
    read.preferredWidth = 640;
    ReadScreenPreferences(key, read);
    EXPECT_EQ(read.preferredWidth, 640u);
}

}  // namespace
