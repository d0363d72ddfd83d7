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

    // How the store keeps a value; the bytes read are the same whatever it is.
    enum class ValueType {
        Number,  // a 32-bit number (REG_DWORD)
        Binary,  // raw bytes (REG_BINARY)
        Text,    // a string with its terminator (REG_SZ, REG_EXPAND_SZ)
        Other,   // any other type
    };

    virtual ~SettingsKey() = default;

    // Reads the raw bytes of `name`, whatever its stored type, into `buffer`, which has
    // room for `*size` bytes; the second form also tells the type.
    ReadResult ReadValue(const char* name, void* buffer, uint32_t* size) {
        ValueType unused = ValueType::Other;
        return Read(name, buffer, size, &unused);
    }
    ReadResult ReadValue(const char* name, void* buffer, uint32_t* size, ValueType* type) {
        return Read(name, buffer, size, type);
    }

    virtual bool WriteDword(const char* name, uint32_t value) = 0;
    // Stores the text with its terminator.
    virtual bool WriteString(const char* name, const char* text) = 0;
    virtual bool WriteBinary(const char* name, const void* data, uint32_t size) = 0;

private:
    // `*type` is set whenever the result is Ok.
    virtual ReadResult Read(const char* name, void* buffer, uint32_t* size, ValueType* type) = 0;
};

// A 32-bit number stored in 1 to 4 little-endian bytes (shorter data is zero-extended).
// False, with `*value` untouched, when the value is missing or of any other size.
bool ReadNumber(SettingsKey& key, const char* name, uint32_t* value);

// Exactly `size` bytes of binary data; false, with `data` untouched, otherwise.
bool ReadExactBytes(SettingsKey& key, const char* name, void* data, uint32_t size);
