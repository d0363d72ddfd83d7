#include "framework/password_requirement.h"

bool ScreenSaverPasswordRequired(SettingsKey& desktopKey) {
    uint32_t value = 0;
    return ReadNumber(desktopKey, "ScreenSaveUsePassword", &value) && value != 0;
}
