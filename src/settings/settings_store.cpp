#include "settings/settings_store.h"

#include "settings/settings_encoding.h"
#include "util/copy_string_bounded.h"

namespace {

// A path: the unset path " " unless a terminated text that fits the field is stored.
void ReadPath(SettingsKey& key, const char* name, char (&field)[SettingsPathSize]) {
    char scratch[SettingsPathSize];
    uint32_t size = sizeof(scratch);
    if (key.ReadValue(name, scratch, &size) == SettingsKey::ReadResult::Ok) {
        DecodeStoredText(scratch, size, field, sizeof(field));
    } else {
        CopyStringBounded(field, UnsetPath);
    }
}

void ReadClamped(SettingsKey& key, const char* name, int32_t& field, int32_t low, int32_t high) {
    uint32_t stored = 0;
    if (ReadNumber(key, name, &stored)) {
        field = static_cast<int32_t>(stored);
    }
    field = ClampSetting(field, low, high);
}

void ReadByte(SettingsKey& key, const char* name, uint8_t& field) {
    uint32_t stored = 0;
    if (ReadNumber(key, name, &stored)) {
        field = LowestByte(stored);
    }
}

}  // namespace

void ReadInstalledAudio(SettingsKey& machineKey, char (&path)[SettingsPathSize]) {
    ReadPath(machineKey, "Default Audio", path);
}

bool ReadStoredSettings(SettingsKey& key, OrrerySettings& settings, uint8_t& desktop) {
    ReadPath(key, "Default Audio", settings.defaultAudio);

    uint32_t arrangement = 0;
    uint32_t size = sizeof(arrangement);
    const SettingsKey::ReadResult found = key.ReadValue("Arrangement", &arrangement, &size);
    if (found == SettingsKey::ReadResult::Missing) {
        return false;
    }
    if (ReadNumber(key, "Arrangement", &arrangement)) {
        settings.arrangement = static_cast<int32_t>(arrangement);
    }
    settings.arrangement =
        ClampSetting(settings.arrangement, ArrangementRealWithPeriods, ArrangementRelative);
    ReadClamped(key, "Camera Settings", settings.cameraSettings, CameraStatic, CameraPlanetView);
    ReadClamped(key, "Planet to View", settings.planetToView, 1, 9);

    ReadByte(key, "Trajectories", settings.trajectories);
    ReadByte(key, "Names", settings.names);
    ReadByte(key, "FPS", settings.fps);
    ReadByte(key, "Distances", settings.distances);
    ReadByte(key, "Ambient", settings.ambient);
    ReadByte(key, "Stars", settings.stars);
    ReadByte(key, "Desktop", desktop);
    ReadByte(key, "Audio", settings.audio);
    ReadByte(key, "Custom Audio", settings.customAudio);
    ReadByte(key, "Red val", settings.redVal);
    ReadByte(key, "Green val", settings.greenVal);
    ReadByte(key, "Blue val", settings.blueVal);

    ReadPath(key, "Audio Path", settings.audioPath);

    uint32_t speedIndex = 0;
    if (ReadNumber(key, "Speed of Camera", &speedIndex)) {
        settings.speedOfCamera = CameraSpeedFromIndex(speedIndex);
    }
    return true;
}

void WriteStoredSettings(SettingsKey& key, const OrrerySettings& settings, uint8_t desktop) {
    // A failing write does not stop the others.
    key.WriteString("Default Audio", settings.defaultAudio);
    key.WriteDword("Arrangement", static_cast<uint32_t>(settings.arrangement));
    key.WriteDword("Camera Settings", static_cast<uint32_t>(settings.cameraSettings));
    key.WriteDword("Planet to View", static_cast<uint32_t>(settings.planetToView));
    key.WriteDword("Trajectories", settings.trajectories);
    key.WriteDword("Names", settings.names);
    key.WriteDword("FPS", settings.fps);
    key.WriteDword("Distances", settings.distances);
    key.WriteDword("Ambient", settings.ambient);
    key.WriteDword("Stars", settings.stars);
    key.WriteDword("Desktop", desktop);
    key.WriteDword("Audio", settings.audio);
    key.WriteDword("Custom Audio", settings.customAudio);
    key.WriteDword("Red val", settings.redVal);
    key.WriteDword("Green val", settings.greenVal);
    key.WriteDword("Blue val", settings.blueVal);
    key.WriteString("Audio Path", settings.audioPath);
    key.WriteDword("Speed of Camera", CameraSpeedToIndex(settings.speedOfCamera));
}
