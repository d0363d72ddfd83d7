#include "framework/password_requirement.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/memory_settings_key.h"

namespace {

TEST(PasswordRequirement, TheValueIsReadByItsStoredType) {
    using Type = SettingsKey::ValueType;
    struct Case {
        Type type;
        std::vector<uint8_t> bytes;
        bool required;
    };
    const Case cases[] = {
        {Type::Number, {1, 0, 0, 0}, true},
        {Type::Number, {0, 0, 0, 0}, false},
        {Type::Binary, {1}, true},
        {Type::Binary, {0, 1}, true},
        {Type::Binary, {0, 0, 1}, true},
        {Type::Binary, {0, 0, 0, 1}, true},
        {Type::Binary, {0}, false},
        {Type::Binary, {0, 0, 0}, false},
        {Type::Binary, {}, false},
        {Type::Binary, {1, 0, 0, 0, 0}, false},  // not a number of this setting
        {Type::Text, {'0', 0}, false},           // as a string: its digit, not its byte 0x30
        {Type::Text, {'1', 0}, true},
        {Type::Text, {' ', '2', '0', 0}, true},
        {Type::Text, {'0', '0', 0}, false},
        {Type::Text, {0}, false},
        {Type::Text, {'y', 'e', 's', 0}, false},
        {Type::Text, {'1'}, true},  // stored without its terminator
        {Type::Other, {1, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        MemorySettingsKey key;
        key.SetBytes("ScreenSaveUsePassword", c.bytes, c.type);
        EXPECT_EQ(ScreenSaverPasswordRequired(key), c.required)
            << static_cast<int>(c.type) << ": " << c.bytes.size() << " bytes";
    }
}

TEST(PasswordRequirement, WithoutTheValueNoneIsAsked) {
    MemorySettingsKey key;
    EXPECT_FALSE(ScreenSaverPasswordRequired(key));
}

}  // namespace
