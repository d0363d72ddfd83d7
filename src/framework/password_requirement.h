#pragma once

#include "util/settings_key.h"

// Whether the user's desktop settings ("Control Panel\Desktop") ask for the screen-saver
// password: a non-zero "ScreenSaveUsePassword". It is meant to be a DWORD, but is read by
// its stored type:
//   - a number or binary value of 1 to 4 bytes, zero-extended, so that a short non-zero
//     one still asks rather than letting the saver end without a password;
//   - a string, as the decimal number it starts with ("1" asks, "0" does not);
//   - anything else, missing, empty or longer, asks for none.
bool ScreenSaverPasswordRequired(SettingsKey& desktopKey);
