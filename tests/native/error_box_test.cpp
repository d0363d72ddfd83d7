#include "framework/error_box.h"

#include <gtest/gtest.h>

namespace {

const ScreenRect testWindow{0, 0, 600, 400};

TEST(ErrorBox, StartsCentredWithSpeedsFromTheScreenSize) {
    const ErrorBox box = PlaceErrorBox(testWindow, false);
    EXPECT_EQ(box.x, 150.0f);
    EXPECT_EQ(box.y, 125.0f);
    EXPECT_EQ(box.width, 300.0f);
    EXPECT_EQ(box.height, 150.0f);
    EXPECT_EQ(box.speedX, 60.0f);
    EXPECT_EQ(box.speedY, 20.0f);
}

TEST(ErrorBox, OddSizesKeepTheirHalvesAndFractions) {
    const struct {
        ScreenRect bounds;
        float x, y, speedX, speedY;
    } cases[] = {
        {{0, 0, 601, 401}, 150.5f, 125.5f, 60.1f, 20.05f},
        {{-1, 0, 1024, 767}, 361.5f, 308.5f, 102.5f, 38.35f},
        {{0, 0, 9, 19}, -145.5f, -65.5f, 0.9f, 0.95f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bounds.right);
        const ErrorBox box = PlaceErrorBox(c.bounds, false);
        EXPECT_FLOAT_EQ(box.x, c.x);
        EXPECT_FLOAT_EQ(box.y, c.y);
        EXPECT_FLOAT_EQ(box.speedX, c.speedX);
        EXPECT_FLOAT_EQ(box.speedY, c.speedY);
    }
}

TEST(ErrorBox, PreviewBoxFillsTheWindowAndStays) {
    const ErrorBox box = PlaceErrorBox(ScreenRect{0, 0, 152, 112}, true);
    EXPECT_EQ(box.x, 0.0f);
    EXPECT_EQ(box.width, 152.0f);
    EXPECT_EQ(box.height, 112.0f);
    EXPECT_EQ(box.speedX, 0.0f);
    EXPECT_EQ(box.speedY, 0.0f);
}

TEST(ErrorBox, MovesAndBouncesOffTheEdges) {
    ErrorBox box = PlaceErrorBox(testWindow, false);
    MoveErrorBox(box, testWindow, 0.0f);
    EXPECT_EQ(box.x, 150.0f) << "a zero step moves nothing";

    MoveErrorBox(box, testWindow, 1.0f);
    EXPECT_FLOAT_EQ(box.x, 210.0f);
    EXPECT_FLOAT_EQ(box.y, 145.0f);

    // From 290 the next step would cross the right edge at 600: it turns first.
    box.x = 290.0f;
    MoveErrorBox(box, testWindow, 0.5f);
    EXPECT_FLOAT_EQ(box.speedX, -60.0f);
    EXPECT_FLOAT_EQ(box.x, 260.0f);
    EXPECT_LE(box.x + box.width, 600.0f);

    // A box moving left at the right edge keeps moving left.
    box.x = 300.0f;
    MoveErrorBox(box, testWindow, 0.5f);
    EXPECT_FLOAT_EQ(box.speedX, -60.0f);
    EXPECT_FLOAT_EQ(box.x, 270.0f);
}

TEST(ErrorBox, StaysInsideOverManySteps) {
    ErrorBox box = PlaceErrorBox(testWindow, false);
    for (int i = 0; i < 5000; ++i) {
        MoveErrorBox(box, testWindow, 0.037f);
        ASSERT_GE(box.x, 0.0f - 60.0f * 0.037f);
        ASSERT_LE(box.x + box.width, 600.0f + 60.0f * 0.037f);
        ASSERT_GE(box.y, 0.0f - 20.0f * 0.037f);
        ASSERT_LE(box.y + box.height, 400.0f + 20.0f * 0.037f);
    }
}

TEST(ErrorBox, RectangleTruncates) {
    const ErrorBox box{10.9f, 20.2f, 300.0f, 150.0f, 0.0f, 0.0f};
    const ScreenRect r = ErrorBoxRect(box);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 310);
    EXPECT_EQ(r.bottom, 170);
}

}  // namespace
