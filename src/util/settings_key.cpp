#include "util/settings_key.h"

#include <cstring>

bool ReadNumber(SettingsKey& key, const char* name, uint32_t* value) {
    uint8_t bytes[4] = {};
    uint32_t size = sizeof(bytes);
    if (key.ReadValue(name, bytes, &size) != SettingsKey::ReadResult::Ok || size == 0 ||
        size > sizeof(bytes)) {
        return false;
    }
    uint32_t number = 0;
    for (uint32_t i = 0; i < size; ++i) {
        number |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    }
    *value = number;
    return true;
}

bool ReadExactBytes(SettingsKey& key, const char* name, void* data, uint32_t size) {
    uint8_t scratch[64];
    if (size > sizeof(scratch)) {
        return false;
    }
    uint32_t stored = size;
    if (key.ReadValue(name, scratch, &stored) != SettingsKey::ReadResult::Ok || stored != size) {
        return false;
    }
    std::memcpy(data, scratch, size);
    return true;
}
