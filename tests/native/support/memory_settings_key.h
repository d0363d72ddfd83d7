#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "util/settings_key.h"

// A settings key in memory that answers like the registry: raw bytes whatever the type,
// "too large" when the caller's buffer is short. It remembers the order of writes.
// Values set as bytes are binary unless a type is given.
class MemorySettingsKey : public SettingsKey {
public:
    std::map<std::string, std::vector<uint8_t>> values;
    std::map<std::string, ValueType> types;
    std::vector<std::string> writes;
    bool refuseWrites = false;

    bool WriteDword(const char* name, uint32_t value) override {
        return Store(name, ValueType::Number,
                     {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                      static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
    }
    bool WriteString(const char* name, const char* text) override {
        return Store(name, ValueType::Text, std::vector<uint8_t>(text, text + std::strlen(text) + 1));
    }
    bool WriteBinary(const char* name, const void* data, uint32_t size) override {
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        return Store(name, ValueType::Binary, std::vector<uint8_t>(bytes, bytes + size));
    }

    void SetDword(const std::string& name, uint32_t value) { WriteDword(name.c_str(), value); }
    void SetBytes(const std::string& name, std::vector<uint8_t> bytes, ValueType type = ValueType::Binary) {
        values[name] = std::move(bytes);
        types[name] = type;
    }
    uint32_t Dword(const std::string& name) const {
        const std::vector<uint8_t>& b = values.at(name);
        return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }
    std::string Text(const std::string& name) const {
        const std::vector<uint8_t>& b = values.at(name);
        return std::string(b.begin(), b.end() - 1);
    }

private:
    ReadResult Read(const char* name, void* buffer, uint32_t* size, ValueType* type) override {
        auto found = values.find(name);
        if (found == values.end()) {
            return ReadResult::Missing;
        }
        if (found->second.size() > *size) {
            return ReadResult::TooLarge;
        }
        if (!found->second.empty()) {
            std::memcpy(buffer, found->second.data(), found->second.size());
        }
        *size = static_cast<uint32_t>(found->second.size());
        auto stored = types.find(name);
        *type = stored != types.end() ? stored->second : ValueType::Binary;
        return ReadResult::Ok;
    }

    bool Store(const char* name, ValueType type, std::vector<uint8_t> bytes) {
        writes.push_back(name);
        if (refuseWrites) {
            return false;
        }
        values[name] = std::move(bytes);
        types[name] = type;
        return true;
    }
};
