#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_settings_key.h"

namespace {

void ExpectSameSettings(const OrrerySettings& a, const OrrerySettings& b) {
    EXPECT_STREQ(a.defaultAudio, b.defaultAudio);
    EXPECT_EQ(a.arrangement, b.arrangement);
    EXPECT_EQ(a.cameraSettings, b.cameraSettings);
    EXPECT_EQ(a.planetToView, b.planetToView);
    const uint8_t switchesA[] = {a.trajectories, a.names,       a.fps,    a.distances, a.ambient, a.stars,
                                 a.audio,        a.customAudio, a.redVal, a.greenVal,  a.blueVal};
    const uint8_t switchesB[] = {b.trajectories, b.names,       b.fps,    b.distances, b.ambient, b.stars,
                                 b.audio,        b.customAudio, b.redVal, b.greenVal,  b.blueVal};
    for (size_t i = 0; i < sizeof(switchesA); ++i) {
        EXPECT_EQ(switchesA[i], switchesB[i]) << "switch " << i;
    }
    EXPECT_STREQ(a.audioPath, b.audioPath);
    EXPECT_EQ(a.speedOfCamera, b.speedOfCamera);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    // A key as a first run leaves it: the complete default set.
    void StoreDefaults() { WriteStoredSettings(key_, DefaultSettings(), 0); }

    bool Read() { return ReadStoredSettings(key_, settings_, desktop_); }

    MemorySettingsKey key_;
    OrrerySettings settings_ = DefaultSettings();
    uint8_t desktop_ = 0;
};

TEST_F(SettingsStoreTest, WritesEveryValueInOrderAndReadsThemBack) {
    OrrerySettings chosen = DefaultSettings();
    chosen.arrangement = 0;
    chosen.cameraSettings = 5;
    chosen.planetToView = 9;
    chosen.trajectories = chosen.names = chosen.fps = chosen.distances = chosen.ambient = chosen.stars = 1;
    chosen.audio = 0;
    chosen.customAudio = 1;
    chosen.redVal = 10;
    chosen.greenVal = 20;
    chosen.blueVal = 30;
    std::strcpy(chosen.audioPath, "C:\\Music\\Holst - Jupiter.mp3");
    std::strcpy(chosen.defaultAudio, "C:\\Program Files\\Celestra\\theme.mp3");
    chosen.speedOfCamera = 6.0f;
    WriteStoredSettings(key_, chosen, 1);

    const std::vector<std::string> order = {
        "Default Audio", "Arrangement", "Camera Settings", "Planet to View", "Trajectories",
        "Names",         "FPS",         "Distances",       "Ambient",        "Stars",
        "Desktop",       "Audio",       "Custom Audio",    "Red val",        "Green val",
        "Blue val",      "Audio Path",  "Speed of Camera"};
    EXPECT_EQ(key_.writes, order);
    EXPECT_EQ(key_.Dword("Speed of Camera"), 1u);
    EXPECT_EQ(key_.values.at("Audio Path").size(), std::strlen(chosen.audioPath) + 1)
        << "length plus terminator";

    ASSERT_TRUE(Read());
    ExpectSameSettings(settings_, chosen);
    EXPECT_EQ(desktop_, 1);
}

TEST_F(SettingsStoreTest, ClampsNumbersOutOfRange) {
    StoreDefaults();
    key_.SetDword("Arrangement", 7);
    key_.SetDword("Camera Settings", 9);
    key_.SetDword("Planet to View", 0);
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.arrangement, 2);
    EXPECT_EQ(settings_.cameraSettings, 5);
    EXPECT_EQ(settings_.planetToView, 1);

    key_.SetDword("Arrangement", static_cast<uint32_t>(-3));
    key_.SetDword("Camera Settings", 0x80000000u);
    key_.SetDword("Planet to View", 12);
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.arrangement, 0);
    EXPECT_EQ(settings_.cameraSettings, 0);
    EXPECT_EQ(settings_.planetToView, 9);
}

TEST_F(SettingsStoreTest, SwitchesAndColoursTakeTheLowestByte) {
    StoreDefaults();
    key_.SetDword("Trajectories", 0x101);
    key_.SetDword("Names", 0x100);
    key_.SetDword("Red val", 0x1FF);
    key_.SetDword("Desktop", 0xFF02);
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.trajectories, 1);
    EXPECT_EQ(settings_.names, 0);
    EXPECT_EQ(settings_.redVal, 255);
    EXPECT_EQ(desktop_, 2) << "non-zero means on";
}

TEST_F(SettingsStoreTest, CameraSpeedIndexMapsToTheSpeedTable) {
    StoreDefaults();
    for (auto [index, speed] :
         {std::pair<uint32_t, float>{0, 7.0f}, {5, 2.0f}, {6, 2.0f}, {0xFFFFFFFFu, 2.0f}}) {
        key_.SetDword("Speed of Camera", index);
        ASSERT_TRUE(Read());
        EXPECT_EQ(settings_.speedOfCamera, speed) << index;
    }
    key_.values.erase("Speed of Camera");
    settings_.speedOfCamera = 6.0f;
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.speedOfCamera, 6.0f) << "a missing index keeps the speed";
}

TEST_F(SettingsStoreTest, AKeyWithoutArrangementCountsAsUnwrittenButKeepsDefaultAudio) {
    key_.SetBytes("Default Audio", {'D', ':', '\\', 'a', '.', 'm', 'p', '3', 0});
    key_.SetDword("Camera Settings", 5);
    settings_.cameraSettings = 2;
    EXPECT_FALSE(Read());
    EXPECT_STREQ(settings_.defaultAudio, "D:\\a.mp3");
    EXPECT_EQ(settings_.cameraSettings, 2) << "nothing after the missing Arrangement is read";
}

TEST_F(SettingsStoreTest, MissingValuesKeepTheirFieldsAndPathsBecomeUnset) {
    StoreDefaults();
    key_.values.erase("Camera Settings");
    key_.values.erase("Trajectories");
    key_.values.erase("Audio Path");
    key_.values.erase("Default Audio");
    settings_.cameraSettings = 4;
    settings_.trajectories = 1;
    std::strcpy(settings_.audioPath, "old.mp3");
    std::strcpy(settings_.defaultAudio, "old.mp3");
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.cameraSettings, 4);
    EXPECT_EQ(settings_.trajectories, 1);
    EXPECT_STREQ(settings_.audioPath, " ");
    EXPECT_STREQ(settings_.defaultAudio, " ");
}

TEST_F(SettingsStoreTest, UnusableTextBecomesTheUnsetPath) {
    StoreDefaults();
    key_.SetBytes("Audio Path", std::vector<uint8_t>(300, 'x'));  // too long for the field
    key_.SetBytes("Default Audio", {'a', 'b', 'c'});              // no terminator
    ASSERT_TRUE(Read());
    EXPECT_STREQ(settings_.audioPath, " ");
    EXPECT_STREQ(settings_.defaultAudio, " ");

    // The longest path that fits, 259 characters, survives a round trip.
    std::vector<uint8_t> longest(259, 'y');
    longest.push_back(0);
    key_.SetBytes("Audio Path", longest);
    ASSERT_TRUE(Read());
    EXPECT_EQ(std::strlen(settings_.audioPath), 259u);
}

TEST_F(SettingsStoreTest, NumbersOfTheWrongSizeAreIgnoredOrWidened) {
    StoreDefaults();
    key_.SetBytes("Camera Settings", {1, 0, 0, 0, 0, 0, 0, 0});  // eight bytes: not a number
    key_.SetBytes("Planet to View", {7});                        // one byte: widened
    key_.SetBytes("Names", {});                                  // empty: ignored
    key_.SetBytes("Arrangement", {'h', 'e', 'l', 'l', 'o', 0});  // a string where a number belongs
    settings_.cameraSettings = 3;
    settings_.names = 1;
    ASSERT_TRUE(Read()) << "the value exists, so the settings count as written";
    EXPECT_EQ(settings_.cameraSettings, 3);
    EXPECT_EQ(settings_.planetToView, 7);
    EXPECT_EQ(settings_.names, 1);
    EXPECT_EQ(settings_.arrangement, 2) << "kept, then clamped";
}

TEST_F(SettingsStoreTest, RefusedWritesDoNotStopTheSequence) {
    key_.refuseWrites = true;
    WriteStoredSettings(key_, DefaultSettings(), 0);
    EXPECT_EQ(key_.writes.size(), 18u);
    EXPECT_TRUE(key_.values.empty());
}

}  // namespace
