#include "framework/password_requirement.h"

#include <cstdlib>

bool ScreenSaverPasswordRequired(SettingsKey& desktopKey) {
    const char* const name = "ScreenSaveUsePassword";
    char data[32];
    uint32_t size = sizeof(data) - 1;
    SettingsKey::ValueType type = SettingsKey::ValueType::Other;
    if (desktopKey.ReadValue(name, data, &size, &type) != SettingsKey::ReadResult::Ok) {
        return false;
    }
    uint32_t number = 0;
    switch (type) {
        case SettingsKey::ValueType::Number:
        case SettingsKey::ValueType::Binary:
            return ReadNumber(desktopKey, name, &number) && number != 0;
        case SettingsKey::ValueType::Text:
            data[size] = '\0';
            return std::strtoul(data, nullptr, 10) != 0;
        case SettingsKey::ValueType::Other:
            break;
    }
    return false;
}
