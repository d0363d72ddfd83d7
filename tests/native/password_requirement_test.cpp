#include "framework/password_requirement.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/memory_settings_key.h"

namespace {

TEST(PasswordRequirement, ANonZeroValueOfOneToFourBytesAsks) {
    struct Case {
        std::vector<uint8_t> bytes;
        bool required;
    };
    const Case cases[] = {
        {{1}, true},  {{0, 1}, true},           {{0, 0, 1}, true},  {{0, 0, 0, 1}, true},
        {{0}, false}, {{0, 0}, false},          {{0, 0, 0}, false}, {{0, 0, 0, 0}, false},
        {{}, false},  {{1, 0, 0, 0, 0}, false},  // not a number of this setting
    };
    for (const Case& c : cases) {
        MemorySettingsKey key;
        key.SetBytes("ScreenSaveUsePassword", c.bytes);
        EXPECT_EQ(ScreenSaverPasswordRequired(key), c.required) << c.bytes.size() << " bytes";
    }
}

TEST(PasswordRequirement, WithoutTheValueNoneIsAsked) {
    MemorySettingsKey key;
    EXPECT_FALSE(ScreenSaverPasswordRequired(key));
}

}  // namespace
