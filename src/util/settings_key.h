#pragma once

#include <cstdint>

// One open key of a settings store: the registry on Windows, memory in tests. The
// readers built on it decide what stored data means; the key only moves bytes.
class SettingsKey {
public:
    enum class ReadResult {
        Ok,        // the value's bytes are in the buffer and `*size` holds their count
        Missing,   // no value of that name
        TooLarge,  // the value does not fit the buffer; the buffer is undefined
        Failed,    // any other failure
    };

    virtual ~SettingsKey() = default;

    // Reads the raw bytes of `name`, whatever its stored type, into `buffer`, which has
    // room for `*size` bytes.
    virtual ReadResult ReadValue(const char* name, void* buffer, uint32_t* size) = 0;

    virtual bool WriteDword(const char* name, uint32_t value) = 0;
    // Stores the text with its terminator.
    virtual bool WriteString(const char* name, const char* text) = 0;
    virtual bool WriteBinary(const char* name, const void* data, uint32_t size) = 0;
};

// A 32-bit number stored in 1 to 4 little-endian bytes (shorter data is zero-extended).
// False, with `*value` untouched, when the value is missing or of any other size.
bool ReadNumber(SettingsKey& key, const char* name, uint32_t* value);

// Exactly `size` bytes of binary data; false, with `data` untouched, otherwise.
bool ReadExactBytes(SettingsKey& key, const char* name, void* data, uint32_t size);
