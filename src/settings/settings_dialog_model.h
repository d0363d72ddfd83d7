#pragma once

#include <cstdint>

#include "settings/orrery_settings.h"

// What the settings dialog's controls mean for the settings record, apart from the
// windows themselves: which control shows which setting, what OK takes from the
// controls, what "Set Default Values" puts into them, and the small rules of the audio
// boxes, the colour swatch and the logo link. The dialog procedure only moves values
// between these and the controls.

// An automatic check box and the on/off setting it shows.
struct SettingsCheckBox {
    int controlId;
    uint8_t OrrerySettings::*field;
};

constexpr int SettingsCheckBoxCount = 8;
extern const SettingsCheckBox SettingsCheckBoxes[SettingsCheckBoxCount];

// The boxes "Set Default Values" clears: all but the two audio boxes.
constexpr int DisplayCheckBoxCount = 6;
extern const int DisplayCheckBoxIds[DisplayCheckBoxCount];

constexpr int ArrangementChoiceCount = 3;
constexpr int CameraChoiceCount = 6;
constexpr int PlanetListItemCount = 9;  // bodies 1 (Pluto) to 9 (Mercury)
constexpr int TrackbarLastPosition = 5;
// Where "Set Default Values" puts the trackbar: speed 5.0.
constexpr int DefaultButtonTrackbarPosition = 2;

// A path typed into the edit box keeps at most this many characters.
constexpr int MaxTypedPathLength = 255;

// Radio button of an arrangement or camera mode, the setting kept within its range.
int ArrangementRadioId(int32_t arrangement);
int CameraRadioId(int32_t cameraMode);

// The planet list and "Font color..." serve only the informative camera mode.
bool InformativeControlsEnabled(int checkedCameraRadioId);

// Trackbar position 0 ("Slow") to 5 ("Fast") of a camera speed.
int TrackbarPositionOfSpeed(float speedOfCamera);

// List item showing `Planet to View` (item i is body i + 1).
int PlanetListItemOf(int32_t planetToView);

// `Planet to View` after the list reported the item data `data` (CB_ERR when nothing is
// selected): only the data of a real item changes it.
int32_t PlanetFromListData(long data, int32_t current);

// The controls' state when OK is pressed.
struct ConfirmedChoices {
    int arrangement = -1;  // first checked radio of the group, -1 when none
    int cameraMode = -1;
    long trackbarPosition = -1;  // as the trackbar reports it
    bool checked[SettingsCheckBoxCount] = {};
    const char* typedAudioPath = "";  // the edit box's text
};

// What OK stores in the record. Positions outside the trackbar's range and groups
// without a checked radio leave their settings alone; the typed path is taken only for
// custom audio, and an empty one becomes the unset path.
void ApplyConfirmedChoices(const ConfirmedChoices& choices, OrrerySettings& settings);

// What "Set Default Values" puts into the controls (the colour goes to the record at
// once); the audio boxes, the path and the planet list keep their state.
struct DefaultChoices {
    int arrangementRadioId;
    int cameraRadioId;
    int trackbarPosition;
};
DefaultChoices DefaultButtonChoices();
void ApplyDefaultTextColour(OrrerySettings& settings);

// The "Default" and "Custom" audio boxes after one of them toggled itself: they are
// never both checked, and the path controls serve "Custom" only.
struct AudioBoxes {
    bool defaultChecked;
    bool customChecked;
    bool pathEnabled;
};
AudioBoxes AudioBoxesAfterDefaultClicked(AudioBoxes boxes);
AudioBoxes AudioBoxesAfterCustomClicked(AudioBoxes boxes);

// The informative-mode text colour as a Windows COLORREF (red in the lowest byte).
uint32_t TextColourRef(const OrrerySettings& settings);
void SetTextColour(OrrerySettings& settings, uint32_t colourRef);

// The swatch beside "Font color...": the colour with a black frame in informative mode,
// otherwise an empty window-coloured box with a grey frame.
struct SwatchLook {
    uint32_t penColourRef;
    bool fillWithTextColour;  // false: the system's window colour
    uint32_t fillColourRef;
};
SwatchLook SwatchLookFor(bool informativeChecked, const OrrerySettings& settings);

// The logo reacts only strictly inside its rectangle.
bool PointStrictlyInside(long left, long top, long right, long bottom, long x, long y);

// The page the logo opens.
extern const char MakerHomePage[];

// A picture's or its control's size in pixels.
struct PictureSize {
    int width;
    int height;
};

// The size at which a picture of the dialog is shown, centred in its control. The
// controls are laid out in dialog units, which grow with the dialog's font and so with
// the screen's DPI, while the bitmaps have the size made for 96 dpi: a picture keeps its
// own size while its control is about that size (at 96 dpi), and grows to fill a control
// at least an eighth larger both ways, keeping its shape. Empty sizes keep the picture.
PictureSize DialogPictureSize(PictureSize picture, PictureSize control);
