#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource_ids.h"
#include "settings/orrery_settings.h"
#include "settings/settings_dialog_model.h"

namespace {

int BoxIndex(int controlId) {
    for (int i = 0; i < SettingsCheckBoxCount; ++i) {
        if (SettingsCheckBoxes[i].controlId == controlId) {
            return i;
        }
    }
    return -1;
}

TEST(SettingsDialogModel, EveryOnOffSettingHasItsOwnBox) {
    const std::pair<int, uint8_t OrrerySettings::*> expected[] = {
        {IDC_SHOW_TRAJECTORIES, &OrrerySettings::trajectories},
        {IDC_SHOW_NAMES, &OrrerySettings::names},
        {IDC_SHOW_FPS, &OrrerySettings::fps},
        {IDC_SHOW_DISTANCES, &OrrerySettings::distances},
        {IDC_AUDIO_DEFAULT, &OrrerySettings::audio},
        {IDC_FULL_AMBIENT, &OrrerySettings::ambient},
        {IDC_MORE_STARS, &OrrerySettings::stars},
        {IDC_AUDIO_CUSTOM, &OrrerySettings::customAudio},
    };
    for (const auto& [id, field] : expected) {
        const int index = BoxIndex(id);
        ASSERT_GE(index, 0) << id;
        EXPECT_TRUE(SettingsCheckBoxes[index].field == field) << id;
    }
    // "Set Default Values" clears the display boxes but never the audio choice.
    for (int id : DisplayCheckBoxIds) {
        EXPECT_NE(id, IDC_AUDIO_DEFAULT);
        EXPECT_NE(id, IDC_AUDIO_CUSTOM);
        EXPECT_GE(BoxIndex(id), 0);
    }
}

TEST(SettingsDialogModel, RadiosAndListShowTheSettingsWithinTheirRanges) {
    EXPECT_EQ(ArrangementRadioId(0), 2216);
    EXPECT_EQ(ArrangementRadioId(2), 2218);
    EXPECT_EQ(ArrangementRadioId(7), 2218);
    EXPECT_EQ(CameraRadioId(0), 2219);
    EXPECT_EQ(CameraRadioId(5), 2224);
    EXPECT_EQ(CameraRadioId(-3), 2219);
    EXPECT_TRUE(InformativeControlsEnabled(2224));
    EXPECT_FALSE(InformativeControlsEnabled(2223));
    EXPECT_EQ(PlanetListItemOf(1), 0);  // Pluto heads the list
    EXPECT_EQ(PlanetListItemOf(9), 8);
    EXPECT_EQ(PlanetListItemOf(0), 0) << "the Sun is never listed";
}

TEST(SettingsDialogModel, TrackbarRunsFromSlowToFast) {
    EXPECT_EQ(TrackbarPositionOfSpeed(7.0f), 0);
    EXPECT_EQ(TrackbarPositionOfSpeed(4.0f), 3);
    EXPECT_EQ(TrackbarPositionOfSpeed(2.0f), 5);
}

TEST(SettingsDialogModel, OnlyARealListItemChangesThePlanet) {
    EXPECT_EQ(PlanetFromListData(4, 2), 5);  // Jupiter
    EXPECT_EQ(PlanetFromListData(0, 2), 1);
    EXPECT_EQ(PlanetFromListData(8, 2), 9);
    EXPECT_EQ(PlanetFromListData(-1, 2), 2) << "CB_ERR: no selection must not pick the Sun";
    EXPECT_EQ(PlanetFromListData(9, 2), 2);
}

TEST(SettingsDialogModel, OkTakesEveryControl) {
    OrrerySettings s = DefaultSettings();
    ConfirmedChoices choices;
    choices.arrangement = 0;
    choices.cameraMode = 5;
    choices.trackbarPosition = 0;
    choices.checked[BoxIndex(IDC_SHOW_NAMES)] = true;
    choices.checked[BoxIndex(IDC_MORE_STARS)] = true;
    choices.checked[BoxIndex(IDC_AUDIO_CUSTOM)] = true;
    choices.typedAudioPath = "C:\\music\\orbit.mp3";
    ApplyConfirmedChoices(choices, s);
    EXPECT_EQ(s.arrangement, 0);
    EXPECT_EQ(s.cameraSettings, 5);
    EXPECT_EQ(s.speedOfCamera, 7.0f);
    EXPECT_EQ(s.names, 1);
    EXPECT_EQ(s.stars, 1);
    EXPECT_EQ(s.trajectories + s.fps + s.distances + s.ambient + s.audio, 0);
    EXPECT_EQ(s.customAudio, 1);
    EXPECT_STREQ(s.audioPath, "C:\\music\\orbit.mp3");

    choices.trackbarPosition = 5;
    ApplyConfirmedChoices(choices, s);
    EXPECT_EQ(s.speedOfCamera, 2.0f);
}

TEST(SettingsDialogModel, OkLeavesWhatTheControlsDoNotSay) {
    OrrerySettings s = DefaultSettings();
    s.arrangement = 1;
    s.cameraSettings = 3;
    s.speedOfCamera = 6.0f;
    std::strcpy(s.audioPath, "C:\\kept.mp3");
    ConfirmedChoices choices;  // no radio checked, trackbar answer -1, custom off
    choices.typedAudioPath = "C:\\typed.mp3";
    ApplyConfirmedChoices(choices, s);
    EXPECT_EQ(s.arrangement, 1);
    EXPECT_EQ(s.cameraSettings, 3);
    EXPECT_EQ(s.speedOfCamera, 6.0f);
    EXPECT_STREQ(s.audioPath, "C:\\kept.mp3") << "without custom audio the typed path is not taken";

    choices.trackbarPosition = 6;
    ApplyConfirmedChoices(choices, s);
    EXPECT_EQ(s.speedOfCamera, 6.0f);
}

TEST(SettingsDialogModel, ATypedPathIsCutAndNeverEmpty) {
    OrrerySettings s = DefaultSettings();
    ConfirmedChoices choices;
    choices.checked[BoxIndex(IDC_AUDIO_CUSTOM)] = true;
    const std::string longPath(300, 'p');
    choices.typedAudioPath = longPath.c_str();
    ApplyConfirmedChoices(choices, s);
    EXPECT_EQ(std::strlen(s.audioPath), 255u);

    choices.typedAudioPath = "";
    ApplyConfirmedChoices(choices, s);
    EXPECT_STREQ(s.audioPath, " ") << "an unset path is one space";
    choices.typedAudioPath = nullptr;
    ApplyConfirmedChoices(choices, s);
    EXPECT_STREQ(s.audioPath, " ");
}

TEST(SettingsDialogModel, DefaultButtonGivesTheFirstRunSceneWithASlowerCamera) {
    const DefaultChoices d = DefaultButtonChoices();
    EXPECT_EQ(d.arrangementRadioId, 2218);
    EXPECT_EQ(d.cameraRadioId, 2221);  // move elliptic
    EXPECT_EQ(d.trackbarPosition, 2) << "speed 5.0, not the first run's 4.0 (position 3)";
    EXPECT_EQ(TrackbarPositionOfSpeed(DefaultSettings().speedOfCamera), 3);
    OrrerySettings s = DefaultSettings();
    s.redVal = 1;
    s.greenVal = 2;
    s.blueVal = 3;
    ApplyDefaultTextColour(s);
    EXPECT_EQ(TextColourRef(s), 0x00FFFFu) << "yellow";
}

TEST(SettingsDialogModel, DefaultAndCustomAudioAreNeverBothChecked) {
    // "Custom" checked: the path opens and "Default" clears.
    AudioBoxes boxes = AudioBoxesAfterCustomClicked({true, true, false});
    EXPECT_FALSE(boxes.defaultChecked);
    EXPECT_TRUE(boxes.customChecked);
    EXPECT_TRUE(boxes.pathEnabled);
    // "Default" checked: "Custom" clears and the path closes.
    boxes = AudioBoxesAfterDefaultClicked({true, true, true});
    EXPECT_TRUE(boxes.defaultChecked);
    EXPECT_FALSE(boxes.customChecked);
    EXPECT_FALSE(boxes.pathEnabled);
    // Clearing either leaves the other as it is: no music at all is a choice too.
    boxes = AudioBoxesAfterDefaultClicked({false, false, false});
    EXPECT_FALSE(boxes.customChecked);
    EXPECT_FALSE(boxes.defaultChecked);
    boxes = AudioBoxesAfterCustomClicked({false, false, true});
    EXPECT_FALSE(boxes.pathEnabled);
    EXPECT_FALSE(boxes.defaultChecked);
}

TEST(SettingsDialogModel, ColourTravelsAsAColourRef) {
    OrrerySettings s = DefaultSettings();
    SetTextColour(s, 0x00336699);
    EXPECT_EQ(s.redVal, 0x99);
    EXPECT_EQ(s.greenVal, 0x66);
    EXPECT_EQ(s.blueVal, 0x33);
    EXPECT_EQ(TextColourRef(s), 0x00336699u);
    SetTextColour(s, 0xFF010203);  // the top byte of a COLORREF is not a colour part
    EXPECT_EQ(TextColourRef(s), 0x00010203u);
}

TEST(SettingsDialogModel, SwatchShowsTheColourOnlyInInformativeMode) {
    OrrerySettings s = DefaultSettings();
    SetTextColour(s, 0x00123456);
    SwatchLook look = SwatchLookFor(true, s);
    EXPECT_EQ(look.penColourRef, 0u);
    EXPECT_TRUE(look.fillWithTextColour);
    EXPECT_EQ(look.fillColourRef, 0x00123456u);
    look = SwatchLookFor(false, s);
    EXPECT_EQ(look.penColourRef, 0x646464u);
    EXPECT_FALSE(look.fillWithTextColour);
}

TEST(SettingsDialogModel, LogoEdgesAreOutside) {
    EXPECT_TRUE(PointStrictlyInside(10, 20, 30, 40, 11, 21));
    EXPECT_FALSE(PointStrictlyInside(10, 20, 30, 40, 10, 25));
    EXPECT_FALSE(PointStrictlyInside(10, 20, 30, 40, 30, 25));
    EXPECT_FALSE(PointStrictlyInside(10, 20, 30, 40, 15, 20));
    EXPECT_FALSE(PointStrictlyInside(10, 20, 30, 40, 15, 40));
}

}  // namespace

// At 96 dpi the controls are the bitmaps' size and the pictures stay as they are; at 150 %
// and 200 % they fill their larger controls instead of shrinking in them.
TEST(SettingsDialogModel, PicturesGrowWithTheirControlsButNeverShrink) {
    struct Case {
        PictureSize picture;
        PictureSize control;
        PictureSize shown;
    };
    for (const Case& c : {Case{{267, 167}, {267, 166}, {267, 167}}, Case{{54, 96}, {54, 96}, {54, 96}},
                          Case{{267, 167}, {534, 332}, {531, 332}}, Case{{54, 96}, {108, 192}, {108, 192}},
                          Case{{267, 167}, {401, 249}, {398, 249}}, Case{{267, 167}, {290, 400}, {267, 167}},
                          Case{{267, 167}, {100, 60}, {267, 167}}, Case{{0, 167}, {534, 332}, {0, 167}},
                          Case{{267, 167}, {0, 0}, {267, 167}}}) {
        const PictureSize shown = DialogPictureSize(c.picture, c.control);
        EXPECT_EQ(shown.width, c.shown.width) << c.control.width << "x" << c.control.height;
        EXPECT_EQ(shown.height, c.shown.height) << c.control.width << "x" << c.control.height;
    }
}
