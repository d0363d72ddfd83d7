#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "support/memory_settings_key.h"

namespace {

// The key as the settings have always been stored for a set of choices none of which is
// a default: every value in the order of writing, with its type and bytes.
struct StoredBytes {
    const char* name;
    SettingsKey::ValueType type;
    std::vector<uint8_t> bytes;
};

template <std::size_t N>
std::vector<uint8_t> TextBytes(const char (&text)[N]) {
    return std::vector<uint8_t>(text, text + N);  // the terminator included
}

using Type = SettingsKey::ValueType;

class SettingsStoreTest : public ::testing::Test {
protected:
    // A key as a first run leaves it: the complete default set.
    void StoreDefaults() { WriteStoredSettings(key_, DefaultSettings(), 0); }

    bool Read() { return ReadStoredSettings(key_, settings_, desktop_); }

    MemorySettingsKey key_;
    OrrerySettings settings_ = DefaultSettings();
    uint8_t desktop_ = 0;
};

// What is written for these choices is the old key to the byte, and the old key reads as
// these choices: writing what was read gives it back (a value not read would keep its
// default and show). Values added to the table since may stand between the old ones.
TEST_F(SettingsStoreTest, WritesAndReadsTheKeyAsItHasAlwaysBeenStored) {
    const StoredBytes oldKey[] = {
        {"Default Audio", Type::Text, TextBytes("C:\\Program Files\\Celestra\\theme.mp3")},
        {"Arrangement", Type::Number, {0, 0, 0, 0}},
        {"Camera Settings", Type::Number, {5, 0, 0, 0}},
        {"Planet to View", Type::Number, {9, 0, 0, 0}},
        {"Trajectories", Type::Number, {1, 0, 0, 0}},
        {"Names", Type::Number, {1, 0, 0, 0}},
        {"FPS", Type::Number, {1, 0, 0, 0}},
        {"Distances", Type::Number, {1, 0, 0, 0}},
        {"Ambient", Type::Number, {1, 0, 0, 0}},
        {"Stars", Type::Number, {1, 0, 0, 0}},
        {"Desktop", Type::Number, {1, 0, 0, 0}},
        {"Audio", Type::Number, {0, 0, 0, 0}},
        {"Custom Audio", Type::Number, {1, 0, 0, 0}},
        {"Red val", Type::Number, {10, 0, 0, 0}},
        {"Green val", Type::Number, {20, 0, 0, 0}},
        {"Blue val", Type::Number, {30, 0, 0, 0}},
        {"Audio Path", Type::Text, TextBytes("C:\\Music\\Holst - Jupiter.mp3")},
        {"Speed of Camera", Type::Number, {1, 0, 0, 0}},
    };
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

    MemorySettingsKey old;
    std::vector<std::string> oldOrder;
    for (const StoredBytes& value : oldKey) {
        old.SetBytes(value.name, value.bytes, value.type);
        oldOrder.push_back(value.name);
    }
    ASSERT_TRUE(ReadStoredSettings(old, settings_, desktop_));
    MemorySettingsKey again;
    WriteStoredSettings(again, settings_, desktop_);
    for (const MemorySettingsKey* written : {&key_, &again}) {
        std::vector<std::string> order;
        std::copy_if(written->writes.begin(), written->writes.end(), std::back_inserter(order),
                     [&](const std::string& name) { return old.values.count(name) != 0; });
        EXPECT_EQ(order, oldOrder);
        for (const StoredBytes& value : oldKey) {
            EXPECT_EQ(written->values.at(value.name), value.bytes) << value.name;
            EXPECT_EQ(written->types.at(value.name), value.type) << value.name;
        }
    }
}

TEST_F(SettingsStoreTest, ClampsNumbersOutOfRange) {
    StoreDefaults();
    key_.SetDword("Arrangement", 7);
    key_.SetDword("Camera Settings", 9);
    key_.SetDword("Planet to View", 0);
    key_.SetDword("Time Speed", 5);
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.arrangement, ArrangementTodaysSky);
    EXPECT_EQ(settings_.cameraSettings, 5);
    EXPECT_EQ(settings_.planetToView, 1);
    EXPECT_EQ(settings_.timeSpeed, TimeSpeedMonth);

    key_.SetDword("Arrangement", static_cast<uint32_t>(-3));
    key_.SetDword("Camera Settings", 0x80000000u);
    key_.SetDword("Planet to View", 12);
    key_.SetDword("Time Speed", static_cast<uint32_t>(-1));
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.arrangement, 0);
    EXPECT_EQ(settings_.cameraSettings, 0);
    EXPECT_EQ(settings_.planetToView, 9);
    EXPECT_EQ(settings_.timeSpeed, TimeSpeedRealTime);
}

// Today's sky and its speed are stored after everything an older saver wrote; a key of
// one has no speed and keeps the default.
TEST_F(SettingsStoreTest, TodaysSkyAndItsTimeSpeedComeBackAsStored) {
    OrrerySettings chosen = DefaultSettings();
    chosen.arrangement = ArrangementTodaysSky;
    chosen.timeSpeed = TimeSpeedHour;
    WriteStoredSettings(key_, chosen, 0);
    EXPECT_EQ(key_.writes.back(), "Time Speed");
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.arrangement, ArrangementTodaysSky);
    EXPECT_EQ(settings_.timeSpeed, TimeSpeedHour);
    key_.values.erase("Time Speed");
    settings_ = DefaultSettings();
    ASSERT_TRUE(Read());
    EXPECT_EQ(settings_.timeSpeed, TimeSpeedDay);
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
    EXPECT_EQ(key_.writes.size(), std::size(StoredSettings));
    EXPECT_TRUE(key_.values.empty());
}

}  // namespace
