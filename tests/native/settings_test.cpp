#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "settings/orrery_settings.h"
#include "settings/settings_dialog_model.h"
#include "settings/settings_encoding.h"

namespace {

TEST(OrrerySettings, DefaultsMatchAFirstRun) {
    const OrrerySettings s = DefaultSettings();
    EXPECT_EQ(s.arrangement, 2);
    EXPECT_EQ(s.cameraSettings, 2);
    EXPECT_EQ(s.planetToView, 2);
    EXPECT_EQ(s.trajectories + s.names + s.fps + s.distances + s.ambient + s.stars + s.customAudio, 0);
    EXPECT_EQ(s.audio, 1);
    EXPECT_EQ(s.redVal, 255);
    EXPECT_EQ(s.greenVal, 255);
    EXPECT_EQ(s.blueVal, 0);
    EXPECT_STREQ(s.audioPath, " ");
    EXPECT_STREQ(s.defaultAudio, " ");
    EXPECT_EQ(s.speedOfCamera, 4.0f);
}

TEST(OrrerySettings, ApplyDefaultsKeepsDefaultAudioAndTheColour) {
    OrrerySettings s = DefaultSettings();
    std::strcpy(s.defaultAudio, "C:\\music\\orbit.mp3");
    SetTextColour(s, 0x00030201);
    s.cameraSettings = 5;
    s.trajectories = 1;
    std::strcpy(s.audioPath, "C:\\other.mp3");
    ApplyDefaultSettings(s);
    EXPECT_STREQ(s.defaultAudio, "C:\\music\\orbit.mp3");
    EXPECT_EQ(s.redVal + s.greenVal + s.blueVal, 6);
    EXPECT_EQ(s.cameraSettings, 2);
    EXPECT_EQ(s.trajectories, 0);
    EXPECT_STREQ(s.audioPath, " ");
}

// The user's own choices win over the installer's machine-wide music.
TEST(OrrerySettings, MusicToPlayPrefersTheUsersOwnChoice) {
    struct Case {
        uint8_t customAudio;
        const char* audioPath;
        const char* defaultAudio;
        const char* installed;
        const char* played;
    };
    const Case cases[] = {
        {0, " ", "C:\\mine.mp3", "C:\\installed.mp3", "C:\\mine.mp3"},
        {0, " ", " ", "C:\\installed.mp3", "C:\\installed.mp3"},
        {0, " ", "", "C:\\installed.mp3", "C:\\installed.mp3"},
        {0, " ", " ", " ", " "},
        {1, "C:\\chosen.mp3", "C:\\mine.mp3", "C:\\installed.mp3", "C:\\chosen.mp3"},
        {1, " ", " ", "C:\\installed.mp3", " "},  // custom music on, no file chosen: silence
    };
    for (const Case& c : cases) {
        OrrerySettings s = DefaultSettings();
        s.customAudio = c.customAudio;
        std::strcpy(s.audioPath, c.audioPath);
        std::strcpy(s.defaultAudio, c.defaultAudio);
        EXPECT_STREQ(MusicToPlay(s, c.installed), c.played) << c.defaultAudio << " / " << c.installed;
    }
}

TEST(SettingsEncoding, CameraSpeedTableInBothDirections) {
    const float speeds[] = {7.0f, 6.0f, 5.0f, 4.0f, 3.0f, 2.0f};
    for (uint32_t index = 0; index <= 5; ++index) {
        EXPECT_EQ(CameraSpeedFromIndex(index), speeds[index]);
        EXPECT_EQ(CameraSpeedToIndex(speeds[index]), index);
    }
    EXPECT_EQ(CameraSpeedFromIndex(6), 2.0f);
    EXPECT_EQ(CameraSpeedFromIndex(0xFFFFFFFFu), 2.0f) << "a negative index reads as 5";
    EXPECT_EQ(CameraSpeedToIndex(4.0f), 3u);
    EXPECT_EQ(CameraSpeedToIndex(100.0f), 0u);
    EXPECT_EQ(CameraSpeedToIndex(-1.0f), 5u);
    EXPECT_EQ(CameraSpeedToIndex(NAN), 0u);
}

TEST(SettingsEncoding, StoredTextNeedsATerminatorAndMustFit) {
    char field[SettingsPathSize];
    const char good[] = "C:\\Music\\space.mp3";
    EXPECT_TRUE(DecodeStoredText(good, sizeof(good), field, sizeof(field)));
    EXPECT_STREQ(field, good);

    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(DecodeStoredText(unterminated, sizeof(unterminated), field, sizeof(field)));
    EXPECT_STREQ(field, " ");

    char longText[300];
    std::memset(longText, 'x', sizeof(longText));
    longText[299] = '\0';
    EXPECT_FALSE(DecodeStoredText(longText, sizeof(longText), field, sizeof(field)));
    EXPECT_STREQ(field, " ");

    // 260 characters need one byte more than the field has.
    longText[260] = '\0';
    EXPECT_FALSE(DecodeStoredText(longText, 261, field, sizeof(field)));
    EXPECT_STREQ(field, " ");

    // 259 characters and the terminator fill the field exactly.
    longText[259] = '\0';
    EXPECT_TRUE(DecodeStoredText(longText, 260, field, sizeof(field)));
    EXPECT_EQ(std::strlen(field), 259u);

    EXPECT_FALSE(DecodeStoredText(nullptr, 0, field, sizeof(field)));
    EXPECT_STREQ(field, " ");
}

}  // namespace
