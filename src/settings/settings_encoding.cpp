#include "settings/settings_encoding.h"

#include <algorithm>
#include <cstring>

uint32_t StoredNumber(const StoredSetting& setting, const OrrerySettings& settings, uint8_t desktop) {
    const SettingField& field = setting.field;
    switch (field.encoding) {
        case SettingField::Number:
            return static_cast<uint32_t>(settings.*field.number);
        case SettingField::LowestByte:
            return field.byte != nullptr ? settings.*field.byte : desktop;
        case SettingField::CameraSpeed:
            return CameraSpeedToIndex(settings.*field.speed);
        default:
            return 0;
    }
}

void TakeStoredNumber(const StoredSetting& setting, uint32_t stored, OrrerySettings& settings,
                      uint8_t& desktop) {
    const SettingField& field = setting.field;
    switch (field.encoding) {
        case SettingField::Number:
            settings.*field.number = std::clamp(static_cast<int32_t>(stored), setting.low, setting.high);
            break;
        case SettingField::LowestByte:
            (field.byte != nullptr ? settings.*field.byte : desktop) = static_cast<uint8_t>(stored & 0xFF);
            break;
        case SettingField::CameraSpeed:
            settings.*field.speed = CameraSpeedFromIndex(stored);
            break;
        default:
            break;
    }
}

float CameraSpeedFromIndex(uint32_t index) {
    if (index > MaxCameraSpeedIndex) {
        index = MaxCameraSpeedIndex;
    }
    return 7.0f - static_cast<float>(index);
}

uint32_t CameraSpeedToIndex(float speed) {
    if (!(speed < 7.0f)) {
        return 0;  // 7.0 and above, or NaN
    }
    if (speed <= 2.0f) {
        return MaxCameraSpeedIndex;
    }
    return static_cast<uint32_t>(7.0f - speed + 0.5f);
}

bool DecodeStoredText(const void* data, std::size_t size, char* field, std::size_t fieldSize) {
    const char* text = static_cast<const char*>(data);
    const void* terminator = (text != nullptr) ? std::memchr(text, '\0', size) : nullptr;
    const std::size_t length = (terminator != nullptr)
                                   ? static_cast<std::size_t>(static_cast<const char*>(terminator) - text)
                                   : size;
    if (text == nullptr || terminator == nullptr || length + 1 > fieldSize) {
        std::strncpy(field, UnsetPath, fieldSize);
        field[fieldSize - 1] = '\0';
        return false;
    }
    std::memcpy(field, text, length + 1);
    return true;
}
