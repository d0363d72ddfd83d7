#include "framework/win32/fallback_mode_registry.h"

#include <cstdio>

namespace {

HKEY CreateKey(HKEY parent, const char* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void SetDword(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace

void WriteFallbackMode(const char* registryPath, DWORD monitorIndex, DWORD width, DWORD height,
                       D3DFORMAT format, const GUID& adapterId) {
    HKEY settings = CreateKey(HKEY_CURRENT_USER, registryPath);
    if (settings == nullptr) {
        return;
    }
    char screenName[24];
    std::snprintf(screenName, sizeof(screenName), "Screen %lu", static_cast<unsigned long>(monitorIndex) + 1);
    HKEY screen = CreateKey(settings, screenName);
    if (screen != nullptr) {
        SetDword(screen, "Width", width);
        SetDword(screen, "Height", height);
        SetDword(screen, "Format", static_cast<DWORD>(format));
        RegSetValueExA(screen, "Adapter ID", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&adapterId),
                       sizeof(adapterId));
        RegCloseKey(screen);
    }
    RegCloseKey(settings);
}
