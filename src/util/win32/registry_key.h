#pragma once

#include <windows.h>

#include <memory>

#include "util/settings_key.h"

// A registry key as a settings key. Owns its handle and closes it.
class RegistryKey final : public SettingsKey {
public:
    // Opens an existing key for reading: null when it does not exist or cannot be read.
    static std::unique_ptr<RegistryKey> OpenForReading(HKEY root, const char* path);
    // Creates the key if needed and opens it with `access`; null on failure.
    static std::unique_ptr<RegistryKey> Create(HKEY root, const char* path, REGSAM access);

    ~RegistryKey() override;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY handle() const { return handle_; }

    bool WriteDword(const char* name, uint32_t value) override;
    bool WriteString(const char* name, const char* text) override;
    bool WriteBinary(const char* name, const void* data, uint32_t size) override;

    // Wraps a handle owned by someone else; the destructor leaves it open.
    static RegistryKey Borrow(HKEY handle) { return RegistryKey(handle, false); }

private:
    ReadResult Read(const char* name, void* buffer, uint32_t* size, ValueType* type) override;

    RegistryKey(HKEY handle, bool owned) : handle_(handle), owned_(owned) {}

    HKEY handle_;
    bool owned_;
};
