#include "util/win32/registry_key.h"

#include <cstring>

// Opened, never created: a key deleted meanwhile stays deleted.
std::unique_ptr<RegistryKey> RegistryKey::OpenForReading(HKEY root, const char* path) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::unique_ptr<RegistryKey>(new RegistryKey(handle, true));
}

std::unique_ptr<RegistryKey> RegistryKey::Create(HKEY root, const char* path, REGSAM access) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return std::unique_ptr<RegistryKey>(new RegistryKey(handle, true));
}

RegistryKey::~RegistryKey() {
    if (owned_ && handle_ != nullptr) {
        RegCloseKey(handle_);
        handle_ = nullptr;
    }
}

namespace {

SettingsKey::ValueType TypeOf(DWORD registryType) {
    switch (registryType) {
        case REG_DWORD:
            return SettingsKey::ValueType::Number;
        case REG_BINARY:
            return SettingsKey::ValueType::Binary;
        case REG_SZ:
        case REG_EXPAND_SZ:
            return SettingsKey::ValueType::Text;
        default:
            return SettingsKey::ValueType::Other;
    }
}

}  // namespace

SettingsKey::ReadResult RegistryKey::Read(const char* name, void* buffer, uint32_t* size, ValueType* type) {
    DWORD registryType = 0;
    DWORD bytes = *size;
    const LONG status =
        RegQueryValueExA(handle_, name, nullptr, &registryType, static_cast<BYTE*>(buffer), &bytes);
    switch (status) {
        case ERROR_SUCCESS:
            *size = bytes;
            *type = TypeOf(registryType);
            return ReadResult::Ok;
        case ERROR_FILE_NOT_FOUND:
            return ReadResult::Missing;
        case ERROR_MORE_DATA:
            return ReadResult::TooLarge;
        default:
            return ReadResult::Failed;
    }
}

bool RegistryKey::WriteDword(const char* name, uint32_t value) {
    const DWORD data = value;
    return RegSetValueExA(handle_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const char* name, const char* text) {
    return RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteBinary(const char* name, const void* data, uint32_t size) {
    return RegSetValueExA(handle_, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}
