#include "settings/settings_dialog_model.h"

#include <algorithm>
#include <cmath>

#include "settings/settings_encoding.h"
#include "util/copy_string_bounded.h"

// The maker's page. A reserved example domain until the real address is known: a
// guessed one could belong to someone else.
const char MakerHomePage[] = "https://nebulart.example/";

int32_t ShownNumber(const StoredSetting& setting, const OrrerySettings& settings) {
    const int32_t stored = static_cast<int32_t>(StoredNumber(setting, settings, 0));
    return std::clamp(stored, setting.low, setting.high);
}

void TakeShownNumber(const StoredSetting& setting, std::optional<int32_t> shown, OrrerySettings& settings) {
    uint8_t desktop = 0;  // the framework's flag has no control here
    if (shown && *shown >= setting.low && *shown <= setting.high) {
        TakeStoredNumber(setting, static_cast<uint32_t>(*shown), settings, desktop);
    }
}

std::optional<int32_t> RadioValue(const SettingControl& group, int controlId) {
    const RadioChoice* end = group.radios + group.radioCount;
    const RadioChoice* radio =
        std::find_if(group.radios, end, [&](const RadioChoice& r) { return r.controlId == controlId; });
    return radio != end ? std::optional<int32_t>(radio->value) : std::nullopt;
}

std::optional<int32_t> ListValue(const StoredSetting& setting, long itemData) {
    if (itemData < 0 || itemData > static_cast<long>(setting.high) - setting.low) {
        return std::nullopt;
    }
    return static_cast<int32_t>(setting.low + itemData);
}

void TakeTypedAudioPath(const char* typed, OrrerySettings& settings) {
    if (settings.customAudio != 0) {
        CopyStringBounded(settings.audioPath, typed != nullptr ? typed : "", MaxTypedPathLength + 1);
        if (settings.audioPath[0] == '\0') {
            CopyStringBounded(settings.audioPath, UnsetPath);
        }
    }
}

void ApplyDefaultButtonToRecord(OrrerySettings& settings) {
    for (const StoredSetting& setting : StoredSettings) {
        if ((setting.resets & ButtonReset) != 0 && setting.control.kind == NoControl) {
            TakeShownNumber(setting, setting.byDefault, settings);
        }
    }
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
