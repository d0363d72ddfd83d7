// Fuzz entry point of the stored settings: whatever the key holds, the record read from
// it stays within the ranges the scene relies on and its paths stay terminated.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzzed_settings_key.h"
#include "settings/settings_encoding.h"
#include "settings/settings_store.h"

namespace {

const char* const SettingNames[] = {
    "Default Audio", "Arrangement", "Camera Settings", "Planet to View", "Trajectories", "Names",
    "FPS",           "Distances",   "Ambient",         "Stars",          "Desktop",      "Audio",
    "Custom Audio",  "Red val",     "Green val",       "Blue val",       "Audio Path",   "Speed of Camera",
};

bool Terminated(const char (&path)[SettingsPathSize]) {
    return std::memchr(path, '\0', sizeof(path)) != nullptr;
}

bool KnownSpeed(float speed) {
    for (uint32_t index = 0; index <= MaxCameraSpeedIndex; ++index) {
        if (speed == CameraSpeedFromIndex(index)) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    MemorySettingsKey key;
    FillSettingsKey(input, SettingNames, key);

    OrrerySettings settings = DefaultSettings();
    uint8_t desktop = 0;
    const bool written = ReadStoredSettings(key, settings, desktop);
    if (!Terminated(settings.defaultAudio) || !Terminated(settings.audioPath)) {
        std::abort();
    }
    if (written &&
        (settings.arrangement < ArrangementRealWithPeriods || settings.arrangement > ArrangementRelative ||
         settings.cameraSettings < CameraStatic || settings.cameraSettings > CameraPlanetView ||
         settings.planetToView < 1 || settings.planetToView > 9 || !KnownSpeed(settings.speedOfCamera))) {
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
