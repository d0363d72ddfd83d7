#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "d3d8_test_device.h"
#include "scene/orrery_saver.h"
#include "scripted_device_state.h"
#include "support/test_saver.h"

namespace {

// The scene on a real Direct3D 8 device: its objects through the framework's own
// preparation, a device reset and the end of the run, and frames read back.

ULONG References(IDirect3DDevice8* device) {
    device->AddRef();
    return device->Release();
}

bool RecordIsEmpty(const DeviceSceneObjects& objects) {
    const DeviceSceneObjects empty = {};
    return std::memcmp(&objects, &empty, sizeof(empty)) == 0;
}

bool RecordIsFull(const DeviceSceneObjects& objects) {
    bool full = objects.labelFont && objects.panelFont && objects.titleFont && objects.nameFont &&
                objects.skyBoxBuffer && objects.quadBuffer && objects.ringTexture && objects.haloTexture &&
                objects.sunGlowTexture;
    for (int i = 1; i < BodyCount; ++i) {
        full = full && objects.bodyTextures[i] && objects.orbitBuffers[i] && objects.distanceBuffers[i];
    }
    for (IDirect3DTexture8* face : objects.skyTextures) {
        full = full && face;
    }
    return full;
}

class SceneRun : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
        ASSERT_FALSE(saver.errorMode);
        saver.settings.audio = 0;
        saver.settings.customAudio = 0;
        saver.settings.names = 1;
        saver.settings.fps = 1;
        saver.settings.distances = 1;
        saver.settings.trajectories = 1;
        saver.CreateScreenDevices();
        ASSERT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
        ASSERT_EQ(saver.screenDeviceCount, 1u);
        device = saver.screenDevices[0].device;
    }
    void TearDown() override {
        DestroyWindow(saver.mainWindow);
        PumpMessages();
    }
    OrrerySaver saver;
    IDirect3DDevice8* device = nullptr;
};

TEST_F(SceneRun, AResetRebuildsEverythingWithoutALeak) {
    ASSERT_TRUE(saver.screenDevices[0].objectsPrepared);
    EXPECT_TRUE(RecordIsFull(saver.deviceObjects[0]));
    EXPECT_EQ(saver.screenWidth, 600);
    EXPECT_EQ(saver.screenHeight, 400);
    saver.RenderAllScreens();
    const ULONG prepared = References(device);

    {
        ScriptedDeviceState state(device);
        ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
        saver.RenderAllScreens();
        EXPECT_EQ(ScriptedDeviceState::resets, 1);
        EXPECT_EQ(ScriptedDeviceState::presents, 1) << "the frame after the reset is shown";
    }
    EXPECT_FALSE(saver.errorMode) << "nothing of the default pool outlived the reset";
    EXPECT_TRUE(saver.screenDevices[0].objectsPrepared);
    EXPECT_TRUE(RecordIsFull(saver.deviceObjects[0]));
    EXPECT_EQ(References(device), prepared) << "the old objects were all given back";
    saver.RenderAllScreens();

    // Without the scene's objects only the framework holds the device.
    saver.UseScreenDevice(0);
    saver.ReleaseDeviceObjects();
    saver.screenDevices[0].objectsPrepared = FALSE;
    EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[0]));
    EXPECT_EQ(References(device), 1u);
}

// Frames drawn on a device whose back buffer can be read: the Sun's glow where the Sun
// projects, the planet at the centre of the planet view, the frame rate in its corner.
class SceneFrames : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test.Error(), "");
        saver.mode = SaverMode::Test;
        saver.activeDevice = test.Device();
        saver.backBufferDesc.Width = test.Width();
        saver.backBufferDesc.Height = test.Height();
        saver.renderTotal = RECT{0, 0, test.Width(), test.Height()};
        saver.renderCurrent = saver.renderTotal;
        saver.settings.audio = 0;
        saver.settings.customAudio = 0;
        saver.UseScreenDevice(0);
    }
    void TearDown() override {
        saver.ReleaseDeviceObjects();
        EXPECT_EQ(test.References(), 1u);
        saver.activeDevice = nullptr;
    }
    std::vector<uint32_t> Draw(float time) {
        EXPECT_EQ(saver.PrepareDeviceObjects(), S_OK);
        saver.time = time;
        saver.AdvanceFrame();
        saver.RenderFrame();
        return test.ReadBackBuffer();
    }
    uint32_t Pixel(const std::vector<uint32_t>& pixels, int x, int y) const {
        return pixels[y * test.Width() + x];
    }
    static int Brightness(uint32_t pixel) {
        return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
    }
    int BrightPixels(const std::vector<uint32_t>& pixels, int x0, int y0, int x1, int y1) const {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                count += Brightness(Pixel(pixels, x, y)) > 600 ? 1 : 0;
            }
        }
        return count;
    }

    TestDevice test{320, 240};
    OrrerySaver saver;
};

TEST_F(SceneFrames, TheSunGlowsWhereItProjects) {
    saver.settings.cameraSettings = CameraStatic;
    const std::vector<uint32_t> pixels = Draw(1.0f);
    ASSERT_FALSE(pixels.empty());
    // The static camera looks at the Sun from at most ~150 units: the glow fills the
    // middle of the picture with white and yellow.
    D3DXVECTOR3 sun(0.0f, 0.0f, 0.0f), projected;
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveOffCenterLH(&projection, -0.05f * 160 / 240, 0.05f * 160 / 240, -0.05f * 0.5f,
                                     0.05f * 0.5f, 0.05f, 3000.0f);
    const D3DXMATRIX viewProjection = saver.viewMatrix * projection;
    D3DXVec3TransformCoord(&projected, &sun, &viewProjection);
    const int x = static_cast<int>((projected.x + 1.0f) * 160.0f);
    const int y = static_cast<int>((1.0f - projected.y) * 120.0f);
    ASSERT_TRUE(x > 10 && x < 310 && y > 10 && y < 230) << x << "," << y;
    EXPECT_GT(BrightPixels(pixels, x - 5, y - 5, x + 5, y + 5), 50) << "the glow's white centre";
    if (::testing::Test::HasFailure()) {
        SavePixelsAsBmp(pixels, test.Width(), test.Height(), "scene-sun.bmp");
    }
}

TEST_F(SceneFrames, ThePlanetViewCentresItsPlanetAndShowsTheFrameRate) {
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = 5;  // Jupiter, the largest
    saver.settings.fps = 1;
    saver.framesPerSecond = 42.0f;
    const std::vector<uint32_t> pixels = Draw(2.0f);
    ASSERT_FALSE(pixels.empty());
    int lit = 0;
    for (int y = 110; y < 130; ++y) {
        for (int x = 150; x < 170; ++x) {
            lit += Brightness(Pixel(pixels, x, y)) > 60 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 300) << "the lit planet fills the centre";
    int yellow = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t p = Pixel(pixels, x, y);
            yellow += (((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) > 150 && (p & 0xFF) < 100) ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 20) << "\"42.00 fps\" in yellow in the top-left corner";
    if (::testing::Test::HasFailure()) {
        SavePixelsAsBmp(pixels, test.Width(), test.Height(), "scene-planet-view.bmp");
    }
}

// Time per frame on this machine's device, for reading, not for passing or failing.
TEST_F(SceneFrames, FrameTimeFigure) {
    saver.settings.cameraSettings = CameraElliptic;
    saver.settings.names = 1;
    saver.settings.trajectories = 1;
    saver.settings.distances = 1;
    Draw(0.0f);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const int frames = 20;
    for (int frame = 0; frame < frames; ++frame) {
        saver.time = frame * 0.05f;
        saver.AdvanceFrame();
        saver.RenderFrame();
        test.Device()->Present(nullptr, nullptr, nullptr, nullptr);
    }
    QueryPerformanceCounter(&end);
    const double ms =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / frames;
    std::printf("[ figure ] %.1f ms per frame at %dx%d\n", ms, test.Width(), test.Height());
}

}  // namespace
