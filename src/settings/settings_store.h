#pragma once

#include <cstdint>

#include "settings/orrery_settings.h"
#include "util/settings_key.h"

// Reading and writing the settings record in an open settings key. Reading never
// fails loudly: missing values keep the field, numbers are clamped, unusable text
// becomes the unset path " ".

// Reads every value. False, with only "Default Audio" taken, when the key holds no
// "Arrangement": such a key counts as not yet written. `desktop` is the framework's
// "Desktop" flag, stored beside the application's values.
bool ReadStoredSettings(SettingsKey& key, OrrerySettings& settings, uint8_t& desktop);

// The "Default Audio" of a machine-wide key (the installer's, for every user), or the
// unset path " ".
void ReadInstalledAudio(SettingsKey& machineKey, char (&path)[SettingsPathSize]);

// Writes every value, in the order a reader expects to find them.
void WriteStoredSettings(SettingsKey& key, const OrrerySettings& settings, uint8_t desktop);
