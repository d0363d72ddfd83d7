#include "settings/settings_dialog_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "resource_ids.h"
#include "settings/settings_encoding.h"
#include "util/copy_string_bounded.h"

const SettingsCheckBox SettingsCheckBoxes[SettingsCheckBoxCount] = {
    {IDC_SHOW_TRAJECTORIES, &OrrerySettings::trajectories},
    {IDC_SHOW_NAMES, &OrrerySettings::names},
    {IDC_SHOW_FPS, &OrrerySettings::fps},
    {IDC_SHOW_DISTANCES, &OrrerySettings::distances},
    {IDC_AUDIO_DEFAULT, &OrrerySettings::audio},
    {IDC_FULL_AMBIENT, &OrrerySettings::ambient},
    {IDC_MORE_STARS, &OrrerySettings::stars},
    {IDC_AUDIO_CUSTOM, &OrrerySettings::customAudio},
};

const int DisplayCheckBoxIds[DisplayCheckBoxCount] = {
    IDC_SHOW_TRAJECTORIES, IDC_SHOW_NAMES, IDC_SHOW_FPS, IDC_SHOW_DISTANCES, IDC_MORE_STARS, IDC_FULL_AMBIENT,
};

// The maker's page. A reserved example domain until the real address is known: a
// guessed one could belong to someone else.
const char MakerHomePage[] = "https://nebulart.example/";

int ArrangementRadioId(int32_t arrangement) {
    return IDC_ARRANGEMENT_FIRST + ClampSetting(arrangement, 0, ArrangementChoiceCount - 1);
}

int CameraRadioId(int32_t cameraMode) {
    return IDC_CAMERA_FIRST + ClampSetting(cameraMode, 0, CameraChoiceCount - 1);
}

bool InformativeControlsEnabled(int checkedCameraRadioId) {
    return checkedCameraRadioId == IDC_CAMERA_LAST;
}

int TrackbarPositionOfSpeed(float speedOfCamera) {
    return static_cast<int>(CameraSpeedToIndex(speedOfCamera));
}

int PlanetListItemOf(int32_t planetToView) {
    return ClampSetting(planetToView, 1, PlanetListItemCount) - 1;
}

int32_t PlanetFromListData(long data, int32_t current) {
    if (data < 0 || data >= PlanetListItemCount) {
        return current;
    }
    return static_cast<int32_t>(data) + 1;
}

void ApplyConfirmedChoices(const ConfirmedChoices& choices, OrrerySettings& settings) {
    if (choices.arrangement >= 0 && choices.arrangement < ArrangementChoiceCount) {
        settings.arrangement = choices.arrangement;
    }
    if (choices.cameraMode >= 0 && choices.cameraMode < CameraChoiceCount) {
        settings.cameraSettings = choices.cameraMode;
    }
    for (int i = 0; i < SettingsCheckBoxCount; ++i) {
        settings.*SettingsCheckBoxes[i].field = choices.checked[i] ? 1 : 0;
    }
    if (settings.customAudio != 0) {
        const char* typed = choices.typedAudioPath != nullptr ? choices.typedAudioPath : "";
        CopyStringBounded(settings.audioPath, typed, MaxTypedPathLength + 1);
        if (settings.audioPath[0] == '\0') {
            CopyStringBounded(settings.audioPath, UnsetPath);
        }
    }
    if (choices.trackbarPosition >= 0 && choices.trackbarPosition <= TrackbarLastPosition) {
        settings.speedOfCamera = CameraSpeedFromIndex(static_cast<uint32_t>(choices.trackbarPosition));
    }
}

// The button gives a first run's scene, but one step slower than a first run's camera:
// its trackbar position is 2 (speed 5.0), not the position of the first-run speed 4.0.
DefaultChoices DefaultButtonChoices() {
    const OrrerySettings defaults = DefaultSettings();
    return {ArrangementRadioId(defaults.arrangement), CameraRadioId(defaults.cameraSettings),
            DefaultButtonTrackbarPosition};
}

void ApplyDefaultTextColour(OrrerySettings& settings) {
    const OrrerySettings defaults = DefaultSettings();
    settings.redVal = defaults.redVal;
    settings.greenVal = defaults.greenVal;
    settings.blueVal = defaults.blueVal;
}

AudioBoxes AudioBoxesAfterDefaultClicked(AudioBoxes boxes) {
    if (boxes.defaultChecked) {
        boxes.customChecked = false;
        boxes.pathEnabled = false;
    }
    return boxes;
}

AudioBoxes AudioBoxesAfterCustomClicked(AudioBoxes boxes) {
    boxes.pathEnabled = boxes.customChecked;
    if (boxes.customChecked) {
        boxes.defaultChecked = false;
    }
    return boxes;
}

uint32_t TextColourRef(const OrrerySettings& settings) {
    return static_cast<uint32_t>(settings.redVal) | (static_cast<uint32_t>(settings.greenVal) << 8) |
           (static_cast<uint32_t>(settings.blueVal) << 16);
}

void SetTextColour(OrrerySettings& settings, uint32_t colourRef) {
    settings.redVal = static_cast<uint8_t>(colourRef & 0xFF);
    settings.greenVal = static_cast<uint8_t>((colourRef >> 8) & 0xFF);
    settings.blueVal = static_cast<uint8_t>((colourRef >> 16) & 0xFF);
}

SwatchLook SwatchLookFor(bool informativeChecked, const OrrerySettings& settings) {
    if (informativeChecked) {
        return {0x000000, true, TextColourRef(settings)};
    }
    return {0x646464, false, 0};
}

bool PointStrictlyInside(long left, long top, long right, long bottom, long x, long y) {
    return left < x && x < right && top < y && y < bottom;
}

PictureSize DialogPictureSize(PictureSize picture, PictureSize control) {
    constexpr double LeastGrowth = 1.125;
    if (picture.width <= 0 || picture.height <= 0 || control.width <= 0 || control.height <= 0) {
        return picture;
    }
    const double scale = std::min(static_cast<double>(control.width) / picture.width,
                                  static_cast<double>(control.height) / picture.height);
    if (scale < LeastGrowth) {
        return picture;
    }
    return {static_cast<int>(std::lround(picture.width * scale)),
            static_cast<int>(std::lround(picture.height * scale))};
}
