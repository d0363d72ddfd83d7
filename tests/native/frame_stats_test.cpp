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

TEST(FrameRateGate, FirstRateAfterAWholeSecondOfFrames) {
    // Seconds of each frame and the rate expected then (0: none yet). The first frame
    // only starts the count, however late it comes.
    const struct {
        double now;
        float rate;
    } frames[] = {{5000.0, 0.0f}, {5000.5, 0.0f}, {5001.0, 0.0f}, {5001.25, 2.4f},
                  {5001.5, 0.0f}, {5002.0, 0.0f}, {5002.5, 2.4f}, {5010.5, 0.125f}};
    FrameRateGate gate;
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.now);
        float rate = -1.0f;
        EXPECT_EQ(gate.CountFrame(frame.now, &rate), frame.rate != 0.0f);
        EXPECT_FLOAT_EQ(rate, frame.rate != 0.0f ? frame.rate : -1.0f) << "untouched without a new rate";
    }

    // After a restart (frames paused while the display was off) the dark span is not
    // counted: the next frame starts a new count, as the first did.
    float rate = -1.0f;
    EXPECT_FALSE(gate.CountFrame(5011.0, &rate));
    gate.Restart();
    EXPECT_FALSE(gate.CountFrame(6000.0, &rate));
    EXPECT_FALSE(gate.CountFrame(6000.5, &rate));
    EXPECT_TRUE(gate.CountFrame(6001.25, &rate));
    EXPECT_FLOAT_EQ(rate, 1.6f);
}

TEST(FrameStats, HugeRatesStayWithinTheField) {
    char text[41];
    std::memset(text, '#', sizeof(text));
    FormatFrameStats(text, 40, 1e30f, 4294967295u, 4294967295u, 32, DepthStencilSuffix(79));
    EXPECT_EQ(std::strlen(text), 39u);
    EXPECT_EQ(text[40], '#') << "nothing written past the field";
}

}  // namespace
