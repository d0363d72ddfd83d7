#include "util/copy_string_bounded.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CopyStringBounded, KeepsCountMinusOneCharactersAndTerminates) {
    char target[8];
    std::memset(target, 'x', sizeof(target));
    EXPECT_EQ(CopyStringBounded(target, "abcdef", 4), target);
    EXPECT_STREQ(target, "abc");
    EXPECT_EQ(target[4], 'x') << "nothing written past the count";
}

TEST(CopyStringBounded, PadsShortSourcesWithNulsUpToTheCount) {
    char target[6];
    std::memset(target, 'x', sizeof(target));
    CopyStringBounded(target, "ab", 6);
    EXPECT_STREQ(target, "ab");
    for (int i = 2; i < 6; ++i) {
        EXPECT_EQ(target[i], '\0');
    }
}

TEST(CopyStringBounded, MinusOneCopiesTheWholeSource) {
    char target[16] = {};
    EXPECT_EQ(CopyStringBounded(target, "abcdef", -1), target);
    EXPECT_STREQ(target, "abcdef");
}

TEST(CopyStringBounded, RefusesMissingArgumentsAndUnusableCounts) {
    char target[4] = {'k', 'e', 'e', 'p'};
    EXPECT_EQ(CopyStringBounded(nullptr, "a", 4), nullptr);
    EXPECT_EQ(CopyStringBounded(target, nullptr, 4), nullptr);
    EXPECT_EQ(CopyStringBounded(target, "a", 0), nullptr);
    EXPECT_EQ(CopyStringBounded(target, "a", -7), nullptr);
    EXPECT_EQ(std::memcmp(target, "keep", 4), 0);
}

TEST(CopyStringBounded, ArrayFormBoundsByTheArraySize) {
    char target[5];
    CopyStringBounded(target, "a very long name of an adapter");
    EXPECT_STREQ(target, "a ve");
}
