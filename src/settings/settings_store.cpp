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

}  // namespace

// The installer's value has the name of the user's own "Default Audio".
static_assert(StoredSettings[0].field.path == &OrrerySettings::defaultAudio);
void ReadInstalledAudio(SettingsKey& machineKey, char (&path)[SettingsPathSize]) {
    ReadPath(machineKey, StoredSettings[0].name, path);
}

bool ReadStoredSettings(SettingsKey& key, OrrerySettings& settings, uint8_t& desktop) {
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.field.encoding == SettingField::Path) {
            ReadPath(key, setting.name, settings.*setting.field.path);
            continue;
        }
        uint32_t stored = 0;
        uint32_t size = sizeof(stored);
        if (setting.marksWrittenKey &&
            key.ReadValue(setting.name, &stored, &size) == SettingsKey::ReadResult::Missing) {
            return false;
        }
        // A missing value keeps its field, which a number's range still clamps.
        stored = StoredNumber(setting, settings, desktop);
        ReadNumber(key, setting.name, &stored);
        TakeStoredNumber(setting, stored, settings, desktop);
    }
    return true;
}

void WriteStoredSettings(SettingsKey& key, const OrrerySettings& settings, uint8_t desktop) {
    // A failing write does not stop the others.
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.field.encoding == SettingField::Path) {
            key.WriteString(setting.name, settings.*setting.field.path);
        } else {
            key.WriteDword(setting.name, StoredNumber(setting, settings, desktop));
        }
    }
}
