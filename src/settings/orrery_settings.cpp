#include "settings/orrery_settings.h"

#include "settings/settings_encoding.h"
#include "util/copy_string_bounded.h"

namespace {

// The defaults of the values that any of `resets` restores; every default when it is 0.
void ApplyDefaults(OrrerySettings& settings, uint8_t resets) {
    uint8_t frameworkFlag = 0;  // "Desktop" is the framework's to default
    for (const StoredSetting& setting : StoredSettings) {
        const bool restored = resets == 0 || (setting.resets & resets) != 0;
        if (restored && setting.field.encoding == SettingField::Path) {
            CopyStringBounded(settings.*setting.field.path, UnsetPath);
        } else if (restored) {
            TakeStoredNumber(setting, static_cast<uint32_t>(setting.byDefault), settings, frameworkFlag);
        }
    }
}

bool IsUnset(const char* path) {
    return path[0] == '\0' || (path[0] == ' ' && path[1] == '\0');
}

}  // namespace

void ApplyDefaultSettings(OrrerySettings& settings) {
    ApplyDefaults(settings, SceneReset);
}

void ApplyFirstRunSettings(OrrerySettings& settings) {
    ApplyDefaults(settings, SceneReset | FirstRunReset);
}

OrrerySettings DefaultSettings() {
    OrrerySettings settings{};
    ApplyDefaults(settings, 0);
    return settings;
}

const char* MusicToPlay(const OrrerySettings& settings, const char* installedAudio) {
    if (settings.customAudio) {
        return settings.audioPath;
    }
    return IsUnset(settings.defaultAudio) ? installedAudio : settings.defaultAudio;
}
