#include "framework/screen_preferences.h"

#include <gtest/gtest.h>

#include <vector>

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
    for (bool zeros : {false, true}) {
        MemorySettingsKey key;
        key.SetDword("Width", 800);
        key.SetDword("Height", 600);
        key.SetDword("Format", 22);
        if (zeros) {
            key.SetBytes("Adapter ID", std::vector<uint8_t>(16, 0));
        }
        ScreenPreferences read = Adapter(9);
        ReadScreenPreferences(key, read);
        EXPECT_EQ(read.preferredWidth, 800u) << zeros;
        EXPECT_EQ(read.preferredFormat, 22u) << zeros;
        EXPECT_EQ(read.leaveBlack, 0u) << zeros;
    }
}

TEST(ScreenPreferences, ADamagedIdentifierCountsAsAnotherAdapter) {
    for (size_t size : {0u, 1u, 3u, 15u, 17u, 32u}) {
        MemorySettingsKey key;
        key.SetDword("Leave Black", 1);
        key.SetDword("Disable Hardware", 1);
        key.SetDword("Width", 800);
        key.SetDword("Height", 600);
        key.SetDword("Format", 22);
        key.SetBytes("Adapter ID", std::vector<uint8_t>(size, 9));  // this adapter's bytes, wrong length
        ScreenPreferences read = Adapter(9);
        ReadScreenPreferences(key, read);
        EXPECT_EQ(read.leaveBlack, 1u) << size << " bytes";
        EXPECT_EQ(read.disableHardware, 0u) << size << " bytes";
        EXPECT_EQ(read.preferredWidth, 0u) << size << " bytes";
        EXPECT_EQ(read.preferredHeight, 0u) << size << " bytes";
        EXPECT_EQ(read.preferredFormat, 0u) << size << " bytes";
    }
}

TEST(ScreenPreferences, AnEmptyKeyChangesNothing) {
    MemorySettingsKey key;
    ScreenPreferences read = Adapter(3);
    read.preferredWidth = 640;
    ReadScreenPreferences(key, read);
    EXPECT_EQ(read.preferredWidth, 640u);
}

}  // namespace
