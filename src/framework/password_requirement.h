#pragma once

#include "util/settings_key.h"

// Whether the user's desktop settings ("Control Panel\Desktop") ask for the screen-saver
// password: a non-zero "ScreenSaveUsePassword". It is meant to be a DWORD; a shorter
// value of 1 to 4 bytes is read zero-extended, so that a non-zero one still asks
// rather than letting the saver end without a password. Missing, empty or longer
// values ask for none.
bool ScreenSaverPasswordRequired(SettingsKey& desktopKey);
