#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "d3dx/d3dx_math.h"
#include "support/recording_device.h"
#include "support/test_saver.h"

namespace {

TEST(SetScreenProjection, WindowOf800By600GetsACentredFrustum) {
    HWND window = CreateWindowExA(0, "STATIC", "projection", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    TestSaver saver;
    GetClientRect(window, &saver.renderTotal);
    saver.renderCurrent = saver.renderTotal;
    RecordingDevice device;
    saver.activeDevice = &device;

    saver.SetScreenProjection(0.05f, 3000.0f);

    ASSERT_EQ(device.Count("SetTransform"), 1);
    D3DXMATRIX expected;
    D3DXMatrixPerspectiveOffCenterLH(&expected, -(400.0f / 600.0f) * 0.05f, (400.0f / 600.0f) * 0.05f,
                                     -0.5f * 0.05f, 0.5f * 0.05f, 0.05f, 3000.0f);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(device.transforms[D3DTS_PROJECTION].m[r][c], expected.m[r][c], 1e-5f)
                << r << "," << c;
        }
    }
    saver.activeDevice = nullptr;
    DestroyWindow(window);
}

// The device made current before stays untouched once there is none.
TEST(SetScreenProjection, WithoutADeviceNothingIsSet) {
    TestSaver saver;
    saver.renderTotal = RECT{0, 0, 640, 480};
    saver.renderCurrent = saver.renderTotal;
    RecordingDevice device;
    saver.activeDevice = &device;
    saver.SetScreenProjection(0.05f, 3000.0f);
    ASSERT_EQ(device.Count("SetTransform"), 1);
    const D3DMATRIX before = device.transforms[D3DTS_PROJECTION];

    saver.activeDevice = nullptr;
    saver.renderCurrent = RECT{0, 0, 320, 240};
    saver.SetScreenProjection(0.05f, 3000.0f);
    EXPECT_EQ(device.Count("SetTransform"), 1);
    EXPECT_EQ(std::memcmp(&device.transforms[D3DTS_PROJECTION], &before, sizeof(before)), 0);
}

}  // namespace
