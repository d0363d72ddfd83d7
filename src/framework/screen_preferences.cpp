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

}  // namespace

void ReadScreenPreferences(SettingsKey& screenKey, ScreenPreferences& current) {
    uint8_t storedId[16] = {};
    ReadExactBytes(screenKey, "Adapter ID", storedId, sizeof(storedId));
    ReadNumber(screenKey, "Leave Black", &current.leaveBlack);
    const bool sameAdapter = std::memcmp(storedId, current.adapterId, sizeof(storedId)) == 0;
    if (!sameAdapter && !IsZero(storedId)) {
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
