#include "framework/screen_preferences.h"

#include <cstring>

namespace {

bool IsZero(const uint8_t (&id)[16]) {
    for (uint8_t byte : id) {
        if (byte != 0) {
            return false;
        }
    }
    return true;
}

// True when the stored identifier lets the mode choices apply: it names this adapter, is
// all zeros, or is not stored at all. An identifier of any other size (or one that cannot
// be read) is damaged and could have been any card's, so it counts as another card's.
bool StoredForThisAdapter(SettingsKey& screenKey, const uint8_t (&adapterId)[16]) {
    uint8_t storedId[sizeof(adapterId)] = {};
    uint32_t size = sizeof(storedId);
    const SettingsKey::ReadResult result = screenKey.ReadValue("Adapter ID", storedId, &size);
    if (result == SettingsKey::ReadResult::Missing) {
        return true;
    }
    if (result != SettingsKey::ReadResult::Ok || size != sizeof(storedId)) {
        return false;
    }
    return std::memcmp(storedId, adapterId, sizeof(storedId)) == 0 || IsZero(storedId);
}

}  // namespace

void ReadScreenPreferences(SettingsKey& screenKey, ScreenPreferences& current) {
    ReadNumber(screenKey, "Leave Black", &current.leaveBlack);
    if (!StoredForThisAdapter(screenKey, current.adapterId)) {
        return;
    }
    ReadNumber(screenKey, "Disable Hardware", &current.disableHardware);
    ReadNumber(screenKey, "Width", &current.preferredWidth);
    ReadNumber(screenKey, "Height", &current.preferredHeight);
    ReadNumber(screenKey, "Format", &current.preferredFormat);
}

void WriteScreenPreferences(SettingsKey& screenKey, const ScreenPreferences& preferences) {
    screenKey.WriteDword("Leave Black", preferences.leaveBlack);
    screenKey.WriteDword("Disable Hardware", preferences.disableHardware);
    screenKey.WriteDword("Width", preferences.preferredWidth);
    screenKey.WriteDword("Height", preferences.preferredHeight);
    screenKey.WriteDword("Format", preferences.preferredFormat);
    screenKey.WriteBinary("Adapter ID", preferences.adapterId, sizeof(preferences.adapterId));
}
