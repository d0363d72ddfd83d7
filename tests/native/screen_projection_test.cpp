#include "framework/screen_projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ScreenProjection, WindowOf800By600IsCentred) {
    const ScreenRect window{0, 0, 800, 600};
    const ProjectionBounds b = ComputeProjectionBounds(window, window, 0.05f);
    EXPECT_FLOAT_EQ(b.left, -(400.0f / 600.0f) * 0.05f);
    EXPECT_FLOAT_EQ(b.right, (400.0f / 600.0f) * 0.05f);
    EXPECT_FLOAT_EQ(b.bottom, -0.5f * 0.05f);
    EXPECT_FLOAT_EQ(b.top, 0.5f * 0.05f);
}

TEST(ScreenProjection, SideBySideMonitorsShareOnePicture) {
    const ScreenRect left{0, 0, 1024, 768};
    const ScreenRect right{1024, 0, 2048, 768};
    const ScreenRect total{0, 0, 2048, 768};
    const ProjectionBounds a = ComputeProjectionBounds(left, total, 1.0f);
    const ProjectionBounds b = ComputeProjectionBounds(right, total, 1.0f);
    EXPECT_FLOAT_EQ(a.right, 0.0f);
    EXPECT_FLOAT_EQ(b.left, 0.0f) << "the frusta meet at the shared edge";
    EXPECT_FLOAT_EQ(a.left, -b.right);
    EXPECT_FLOAT_EQ(a.bottom, -0.5f);
    EXPECT_FLOAT_EQ(a.top, 0.5f);
}

TEST(ScreenProjection, EmptyWindowGivesFiniteBounds) {
    const ScreenRect empty{0, 0, 0, 0};
    const ProjectionBounds b = ComputeProjectionBounds(empty, empty, 0.05f);
    EXPECT_TRUE(std::isfinite(b.left) && std::isfinite(b.right) && std::isfinite(b.top) &&
                std::isfinite(b.bottom));
}

}  // namespace
