#pragma once

#include <cstdint>

#include "util/settings_key.h"

// The display choices stored for one monitor ("Screen N" beside the settings), keyed by
// the identifier of the graphics adapter they were saved for.
struct ScreenPreferences {
    uint8_t adapterId[16];  // the adapter's DeviceIdentifier GUID, in memory order
    uint32_t leaveBlack;
    uint32_t disableHardware;
    uint32_t preferredWidth;  // 0: automatic
    uint32_t preferredHeight;
    uint32_t preferredFormat;  // a D3DFORMAT value
};

// Reads the stored choices into `current` (which holds the adapter's identifier and the
// values to keep when nothing is stored). Mode and hardware choices saved for another
// adapter, or under an identifier that is not 16 bytes, are ignored; "Leave Black"
// applies whatever the adapter.
void ReadScreenPreferences(SettingsKey& screenKey, ScreenPreferences& current);

void WriteScreenPreferences(SettingsKey& screenKey, const ScreenPreferences& preferences);
