#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/screen_preferences.h"
#include "framework/win32/saver_base.h"
#include "util/win32/registry_key.h"

// Per-monitor display choices live in "Screen N" subkeys of the settings key, N being
// the monitor's place in the monitor table plus one. Only monitors with an adapter have
// choices to keep.

namespace {

ScreenPreferences PreferencesOf(const AdapterRecord& adapter) {
    ScreenPreferences preferences = {};
    std::memcpy(preferences.adapterId, &adapter.identifier.DeviceIdentifier, sizeof(preferences.adapterId));
    preferences.leaveBlack = adapter.leaveBlack;
    preferences.disableHardware = adapter.disableHardware;
    preferences.preferredWidth = adapter.preferredWidth;
    preferences.preferredHeight = adapter.preferredHeight;
    preferences.preferredFormat = static_cast<uint32_t>(adapter.preferredFormat);
    return preferences;
}

void ApplyPreferences(const ScreenPreferences& preferences, AdapterRecord& adapter) {
    adapter.leaveBlack = preferences.leaveBlack;
    adapter.disableHardware = preferences.disableHardware;
    adapter.preferredWidth = preferences.preferredWidth;
    adapter.preferredHeight = preferences.preferredHeight;
    adapter.preferredFormat = static_cast<D3DFORMAT>(preferences.preferredFormat);
}

void FormatScreenKeyName(char (&name)[16], DWORD monitorIndex) {
    std::snprintf(name, sizeof(name), "Screen %lu", static_cast<unsigned long>(monitorIndex + 1));
}

std::unique_ptr<RegistryKey> OpenScreenKey(HKEY settingsKey, DWORD monitorIndex) {
    char name[16];
    FormatScreenKeyName(name, monitorIndex);
    return RegistryKey::Create(settingsKey, name, KEY_ALL_ACCESS);
}

}  // namespace

AdapterRecord* SaverBase::AdapterOfMonitor(DWORD monitorIndex) {
    const DWORD adapterIndex = monitors[monitorIndex].adapterIndex;
    if (adapterIndex == NoAdapter || adapterIndex >= MaxDisplays) {
        return nullptr;
    }
    return adapters[adapterIndex];
}

// Read ahead of the settings, while the adapter's modes are gathered, so that the stored
// mode is among those kept.
bool SaverBase::StoredScreenMode(DWORD monitorIndex, const AdapterRecord& adapter, DisplayMode* mode) {
    if (registryPath[0] == '\0' || monitorIndex >= monitorCount) {
        return false;
    }
    std::unique_ptr<RegistryKey> settingsKey = RegistryKey::OpenForReading(HKEY_CURRENT_USER, registryPath);
    char name[16];
    FormatScreenKeyName(name, monitorIndex);
    std::unique_ptr<RegistryKey> screenKey =
        settingsKey ? RegistryKey::OpenForReading(settingsKey->handle(), name) : nullptr;
    if (!screenKey) {
        return false;
    }
    ScreenPreferences preferences = PreferencesOf(adapter);
    preferences.preferredWidth = 0;
    ReadScreenPreferences(*screenKey, preferences);
    *mode = DisplayMode{preferences.preferredWidth, preferences.preferredHeight, preferences.preferredFormat};
    return preferences.preferredWidth != 0;
}

void SaverBase::ReadScreenSettings(HKEY settingsKey) {
    RegistryKey key = RegistryKey::Borrow(settingsKey);
    uint32_t same = 0;
    if (ReadNumber(key, "AllScreensSame", &same)) {
        allScreensSame = same;
    }
    for (DWORD i = 0; i < monitorCount; ++i) {
        AdapterRecord* adapter = AdapterOfMonitor(i);
        if (adapter == nullptr) {
            continue;
        }
        std::unique_ptr<RegistryKey> screenKey = OpenScreenKey(settingsKey, i);
        if (!screenKey) {
            continue;
        }
        ScreenPreferences preferences = PreferencesOf(*adapter);
        ReadScreenPreferences(*screenKey, preferences);
        ApplyPreferences(preferences, *adapter);
    }
}

void SaverBase::WriteScreenSettings(HKEY settingsKey) {
    RegistryKey key = RegistryKey::Borrow(settingsKey);
    key.WriteDword("AllScreensSame", allScreensSame ? 1 : 0);
    for (DWORD i = 0; i < monitorCount; ++i) {
        const AdapterRecord* adapter = AdapterOfMonitor(i);
        if (adapter == nullptr) {
            continue;
        }
        std::unique_ptr<RegistryKey> screenKey = OpenScreenKey(settingsKey, i);
        if (screenKey) {
            WriteScreenPreferences(*screenKey, PreferencesOf(*adapter));
        }
    }
}
