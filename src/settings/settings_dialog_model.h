#pragma once

#include <cstdint>
#include <optional>

#include "settings/orrery_settings.h"

// What the settings dialog's controls mean for the settings record, apart from the
// windows themselves: how a control shows its row of StoredSettings, what OK takes from
// it, what "Set Default Values" changes, and the small rules of the audio boxes, the
// colour swatch and the logo link. The dialog procedure only moves values
// between these and the controls.

// A control shows its value's stored number, kept within the value's range, and only an
// answer within the range (a radio, an item or a position) lands in the record.
int32_t ShownNumber(const StoredSetting& setting, const OrrerySettings& settings);
void TakeShownNumber(const StoredSetting& setting, std::optional<int32_t> shown, OrrerySettings& settings);

// The value of the radio `controlId`, none when it is not one of the group's.
std::optional<int32_t> RadioValue(const SettingControl& group, int controlId);

// The value a drop-down list's item data stands for: none for CB_ERR or data of no item.
std::optional<int32_t> ListValue(const StoredSetting& setting, long itemData);

// A path typed into the edit box keeps at most this many characters. OK takes it only for
// custom audio, and an empty one becomes the unset path.
constexpr int MaxTypedPathLength = 255;
void TakeTypedAudioPath(const char* typed, OrrerySettings& settings);

// "Set Default Values" shows the defaults of the values it resets in their controls; the
// colour, which has no control of its own, takes them in the record at once. It gives a
// first run's scene, but one step slower than a first run's camera: the trackbar goes to
// position 2 (speed 5.0), not to the first-run speed 4.0.
void ApplyDefaultButtonToRecord(OrrerySettings& settings);
constexpr int DefaultButtonTrackbarPosition = 2;

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
