// Fuzz entry point of the stored settings: whatever the key holds, the record read from
// it stays within the ranges the scene relies on and its paths stay terminated.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "fuzzed_settings_key.h"
#include "settings/settings_encoding.h"
#include "settings/settings_store.h"

namespace {

bool Terminated(const char (&path)[SettingsPathSize]) {
    return std::memchr(path, '\0', sizeof(path)) != nullptr;
}

// Clamped numbers within their ranges, the speed one of its table's.
bool WithinRanges(const OrrerySettings& settings) {
    for (const StoredSetting& setting : StoredSettings) {
        const int32_t stored = static_cast<int32_t>(StoredNumber(setting, settings, 0));
        if (setting.field.encoding == SettingField::Number &&
            (stored < setting.low || stored > setting.high)) {
            return false;
        }
    }
    return settings.speedOfCamera == CameraSpeedFromIndex(CameraSpeedToIndex(settings.speedOfCamera));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    const char* names[std::size(StoredSettings)];
    for (std::size_t i = 0; i < std::size(StoredSettings); ++i) {
        names[i] = StoredSettings[i].name;
    }
    MemorySettingsKey key;
    FillSettingsKey(input, names, key);

    OrrerySettings settings = DefaultSettings();
    uint8_t desktop = 0;
    const bool written = ReadStoredSettings(key, settings, desktop);
    if (!Terminated(settings.defaultAudio) || !Terminated(settings.audioPath) ||
        (written && !WithinRanges(settings))) {
        std::abort();
    }

    // What was read is written back and read again unchanged.
    MemorySettingsKey copy;
    WriteStoredSettings(copy, settings, desktop);
    OrrerySettings again = DefaultSettings();
    uint8_t desktopAgain = 0;
    if (!ReadStoredSettings(copy, again, desktopAgain) || desktopAgain != desktop ||
        std::strcmp(again.audioPath, settings.audioPath) != 0 ||
        std::strcmp(again.defaultAudio, settings.defaultAudio) != 0) {
        std::abort();
    }
    return 0;
}
