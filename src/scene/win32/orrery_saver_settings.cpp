#include <memory>

#include "scene/win32/orrery_saver.h"
#include "settings/settings_store.h"
#include "util/copy_string_bounded.h"
#include "util/win32/registry_key.h"

// The settings live in HKEY_CURRENT_USER under `registryPath`, beside the framework's
// per-monitor choices. The installer, which works for every user of the machine, leaves
// its music's path under the same path in HKEY_LOCAL_MACHINE; a user's own "Default
// Audio" wins over it.

bool OrrerySaver::ReadSettings() {
    if (registryPath[0] == '\0') {
        return false;  // an empty path would name the root of the user's registry
    }
    std::unique_ptr<RegistryKey> machineKey = RegistryKey::OpenForReading(HKEY_LOCAL_MACHINE, registryPath);
    if (machineKey) {
        ReadInstalledAudio(*machineKey, installedAudio);
    } else {
        CopyStringBounded(installedAudio, UnsetPath);
    }
    std::unique_ptr<RegistryKey> key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, registryPath);
    if (!key) {
        return false;
    }
    if (!ReadStoredSettings(*key, settings, useDesktopSettings)) {
        return false;
    }
    ReadScreenSettings(key->handle());
    return true;
}

void OrrerySaver::WriteSettings() {
    if (registryPath[0] == '\0') {
        return;
    }
    std::unique_ptr<RegistryKey> key = RegistryKey::Create(HKEY_CURRENT_USER, registryPath, KEY_WRITE);
    if (!key) {
        return;
    }
    WriteStoredSettings(*key, settings, useDesktopSettings);
    WriteScreenSettings(key->handle());
}

// A preview always shows the default scene and never writes. A first full or test run
// (no settings stored yet) stores the complete default set, keeping a "Default Audio"
// that an installer may have put there.
void OrrerySaver::LoadSettings() {
    const bool stored = ReadSettings();
    if (mode == Preview) {
        ApplyDefaultSettings();
        return;
    }
    if (!stored) {
        ApplyFirstRunSettings(settings);
        WriteSettings();
        ReadSettings();
    }
}
