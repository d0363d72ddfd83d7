#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <string>

#include "resource_ids.h"
#include "settings/orrery_settings.h"
#include "settings/settings_dialog_model.h"

namespace {

const StoredSetting& Row(const char* name) {
    for (const StoredSetting& setting : StoredSettings) {
        if (std::strcmp(setting.name, name) == 0) {
            return setting;
        }
    }
    throw std::invalid_argument(name);
}

TEST(SettingsDialogModel, EveryControlShowsOneValue) {
    std::multiset<int> ids;
    for (const StoredSetting& setting : StoredSettings) {
        for (int i = 0; i < setting.control.radioCount; ++i) {
            ids.insert(setting.control.radios[i].controlId);
        }
        ids.insert(setting.control.id);
    }
    for (int id : ids) {
        EXPECT_TRUE(id == 0 || ids.count(id) == 1) << id;
    }
}

TEST(SettingsDialogModel, RadiosListAndTrackbarShowTheSettingsWithinTheirRanges) {
    OrrerySettings s = DefaultSettings();
    s.arrangement = 7;
    s.planetToView = 0;
    s.speedOfCamera = 7.0f;
    EXPECT_EQ(ShownNumber(Row("Arrangement"), s), ArrangementTodaysSky);
    EXPECT_EQ(RadioValue(ArrangementRadios, 2216), ArrangementRealWithPeriods);
    EXPECT_EQ(RadioValue(CameraRadios, 2224), CameraPlanetView);
    EXPECT_FALSE(RadioValue(CameraRadios, IDC_PLANET_LIST));
    EXPECT_EQ(ShownNumber(Row("Planet to View"), s), 1) << "the Sun is never listed";
    EXPECT_EQ(ShownNumber(Row("Speed of Camera"), s), 0) << "slow on the left";
    s.speedOfCamera = 2.0f;
    EXPECT_EQ(ShownNumber(Row("Speed of Camera"), s), 5);
}

TEST(SettingsDialogModel, OnlyARealListItemChangesThePlanet) {
    const StoredSetting& planet = Row("Planet to View");
    EXPECT_EQ(ListValue(planet, 4), 5);  // Jupiter
    EXPECT_EQ(ListValue(planet, 0), 1);
    EXPECT_EQ(ListValue(planet, 8), 9);
    EXPECT_FALSE(ListValue(planet, -1)) << "CB_ERR: no selection must not pick the Sun";
    EXPECT_FALSE(ListValue(planet, 9));
    OrrerySettings s = DefaultSettings();
    TakeShownNumber(planet, ListValue(planet, -1), s);
    EXPECT_EQ(s.planetToView, 2);
}

TEST(SettingsDialogModel, OkTakesOnlyAnswersWithinTheRanges) {
    OrrerySettings s = DefaultSettings();
    TakeShownNumber(Row("Arrangement"), 0, s);
    TakeShownNumber(Row("Camera Settings"), 5, s);
    TakeShownNumber(Row("Speed of Camera"), 0, s);
    TakeShownNumber(Row("Names"), 1, s);
    TakeShownNumber(Row("Audio"), 0, s);
    EXPECT_EQ(s.arrangement, 0);
    EXPECT_EQ(s.cameraSettings, 5);
    EXPECT_EQ(s.speedOfCamera, 7.0f);
    EXPECT_EQ(s.names, 1);
    EXPECT_EQ(s.audio, 0);
    TakeShownNumber(Row("Speed of Camera"), 5, s);
    EXPECT_EQ(s.speedOfCamera, 2.0f);
    TakeShownNumber(Row("Camera Settings"), std::nullopt, s);  // no radio checked
    TakeShownNumber(Row("Speed of Camera"), 6, s);             // beyond the trackbar's range
    EXPECT_EQ(s.cameraSettings, 5);
    EXPECT_EQ(s.speedOfCamera, 2.0f);
}

TEST(SettingsDialogModel, ATypedPathCountsForCustomAudioOnlyIsCutAndNeverEmpty) {
    OrrerySettings s = DefaultSettings();
    std::strcpy(s.audioPath, "C:\\kept.mp3");
    TakeTypedAudioPath("C:\\typed.mp3", s);
    EXPECT_STREQ(s.audioPath, "C:\\kept.mp3") << "without custom audio the typed path is not taken";
    s.customAudio = 1;
    TakeTypedAudioPath("C:\\music\\orbit.mp3", s);
    EXPECT_STREQ(s.audioPath, "C:\\music\\orbit.mp3");
    const std::string longPath(300, 'p');
    TakeTypedAudioPath(longPath.c_str(), s);
    EXPECT_EQ(std::strlen(s.audioPath), 255u);
    for (const char* empty : {"", static_cast<const char*>(nullptr)}) {
        TakeTypedAudioPath(empty, s);
        EXPECT_STREQ(s.audioPath, " ") << "an unset path is one space";
    }
}

TEST(SettingsDialogModel, DefaultButtonPutsOnlyTheColourIntoTheRecordAtOnce) {
    OrrerySettings s = DefaultSettings();
    s.cameraSettings = 5;
    s.trajectories = 1;
    SetTextColour(s, 0x00030201);
    ApplyDefaultButtonToRecord(s);
    EXPECT_EQ(TextColourRef(s), 0x00FFFFu) << "yellow";
    EXPECT_EQ(s.cameraSettings, 5) << "the other defaults go to the controls";
    EXPECT_EQ(s.trajectories, 1);
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
