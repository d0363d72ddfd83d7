#include "framework/frame_stats.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FrameStats, FormatsRateModeAndDepth) {
    char text[40];
    FormatFrameStats(text, sizeof(text), 59.94f, 1024, 768, 32, DepthStencilSuffix(80));
    EXPECT_STREQ(text, "59.94 fps (1024x768x32) (D16)");
    FormatFrameStats(text, sizeof(text), 5.0f, 640, 480, 16, DepthStencilSuffix(12345));
    EXPECT_STREQ(text, "5.00 fps (640x480x16)");
}

TEST(FrameStats, NamesEveryDepthStencilFormat) {
    EXPECT_STREQ(DepthStencilSuffix(73), " (D15S1)");
    EXPECT_STREQ(DepthStencilSuffix(77), " (D24X8)");
    EXPECT_STREQ(DepthStencilSuffix(75), " (D24S8)");
    EXPECT_STREQ(DepthStencilSuffix(79), " (D24X4S4)");
    EXPECT_STREQ(DepthStencilSuffix(71), " (D32)");
}

TEST(FrameStats, HugeRatesStayWithinTheField) {
    char text[41];
    std::memset(text, '#', sizeof(text));
    FormatFrameStats(text, 40, 1e30f, 4294967295u, 4294967295u, 32, DepthStencilSuffix(79));
    EXPECT_EQ(std::strlen(text), 39u);
    EXPECT_EQ(text[40], '#') << "nothing written past the field";
}

}  // namespace
