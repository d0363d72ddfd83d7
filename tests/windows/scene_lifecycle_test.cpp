#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/real_device.h"
#include "scene/win32/orrery_saver.h"
#include "support/scripted_device_state.h"
#include "support/test_saver.h"
#include "util/win32/frame_timer.h"

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
                objects.sunGlowTexture && objects.lineTexture;
    for (int i = 1; i < BodyCount; ++i) {
        full = full && objects.bodyTextures[i];
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

// Today's sky counts its date in days near 2.46 million: in the 32-bit build a second of
// real time moves it only while the x87 unit keeps double precision after the device
// was made on this thread.
TEST_F(SceneRun, TodaysSkyAtRealTimeMovesTheDateBySeconds) {
    constexpr double Present = 2461385.0;
    saver.settings.arrangement = ArrangementTodaysSky;
    saver.settings.timeSpeed = TimeSpeedRealTime;
    saver.presentClock = [] { return Present; };
    saver.AdvanceScene(10.0);
    saver.AdvanceScene(70.0);
    EXPECT_NEAR((saver.sky.Day() - Present) * 86400.0, 60.0, 0.01);
}

// A reset mid-run leaves every body where a run that was never reset has it at the same
// time, so the frame after it shows the planets where the camera and the labels expect
// them.
TEST_F(SceneRun, AResetLeavesEveryBodyWhereAnUndisturbedRunHasIt) {
    saver.settings.cameraSettings = CameraPlanetView;
    // 12.3 seconds into the run, whatever the clock says.
    FrameTimer(TimerReset);
    FrameTimer(TimerStop);
    for (int step = 0; step < 123; ++step) {
        FrameTimer(TimerAdvance);
    }
    saver.RenderAllScreens();
    {
        ScriptedDeviceState state(device);
        ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
        saver.RenderAllScreens();
        ASSERT_EQ(ScriptedDeviceState::resets, 1);
    }
    FrameTimer(TimerStart);
    ASSERT_GT(saver.time, 12.0f);

    OrreryScene undisturbed;
    undisturbed.settings = saver.settings;
    undisturbed.InitCatalogue();
    undisturbed.AdvanceScene(saver.time);
    for (int i = 0; i < BodyCount; ++i) {
        SCOPED_TRACE(saver.bodies[i].name);
        EXPECT_FLOAT_EQ(saver.bodies[i].position.x, undisturbed.bodies[i].position.x);
        EXPECT_FLOAT_EQ(saver.bodies[i].position.y, undisturbed.bodies[i].position.y);
        EXPECT_FLOAT_EQ(saver.bodies[i].position.z, undisturbed.bodies[i].position.z);
    }
    // The planet view still looks at its planet.
    const D3DXVECTOR3 planet = saver.bodies[saver.ViewedPlanet()].position;
    EXPECT_FLOAT_EQ(saver.lookAtPos.x, planet.x);
    EXPECT_FLOAT_EQ(saver.lookAtPos.z, planet.z);
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

    RealDevice test{320, 240};
    OrrerySaver saver;
};

TEST_F(SceneFrames, TheSunGlowsWhereItProjects) {
    // The static eye comes from the clock. This one is among the farthest of its grid, 173
    // units from the Sun at (-100, 100, 100); nearer eyes only see a larger glow.
    saver.millisecondClock = [] { return 58u; };
    saver.settings.cameraSettings = CameraStatic;
    const std::vector<uint32_t> pixels = Draw(1.0f);
    ASSERT_FALSE(pixels.empty());
    ASSERT_EQ(saver.staticEyePos, D3DXVECTOR3(-100.0f, 100.0f, 100.0f));
    D3DXVECTOR3 sun(0.0f, 0.0f, 0.0f), projected;
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveOffCenterLH(&projection, -0.05f * 160 / 240, 0.05f * 160 / 240, -0.05f * 0.5f,
                                     0.05f * 0.5f, 0.05f, 3000.0f);
    const D3DXMATRIX viewProjection = saver.viewMatrix * projection;
    D3DXVec3TransformCoord(&projected, &sun, &viewProjection);
    const int x = static_cast<int>((projected.x + 1.0f) * 160.0f);
    const int y = static_cast<int>((1.0f - projected.y) * 120.0f);
    ASSERT_TRUE(x > 10 && x < 310 && y > 10 && y < 230) << x << "," << y;
    // From there the glow's white centre still covers 45 of these 100 pixels.
    EXPECT_GT(BrightPixels(pixels, x - 5, y - 5, x + 5, y + 5), 35) << "the glow's white centre";
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

// The frame after a reset, on the device: its objects released and prepared again in
// the middle of a run, as a Reset does, and Jupiter still fills the centre of the view.
TEST_F(SceneFrames, ThePlanetViewKeepsItsPlanetCentredAfterAReset) {
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = 5;
    Draw(40.0f);
    saver.ReleaseDeviceObjects();
    ASSERT_EQ(saver.PrepareDeviceObjects(), S_OK);
    saver.RenderFrame();
    const std::vector<uint32_t> pixels = test.ReadBackBuffer();
    ASSERT_FALSE(pixels.empty());
    int lit = 0;
    for (int y = 110; y < 130; ++y) {
        for (int x = 150; x < 170; ++x) {
            lit += Brightness(Pixel(pixels, x, y)) > 60 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 300) << "the lit planet fills the centre";
    const char* folder = std::getenv("CELESTRA_SNAPSHOT_DIR");
    if (::testing::Test::HasFailure() || folder != nullptr) {
        const std::string path = std::string(folder != nullptr ? folder : ".") + "\\scene-after-reset.bmp";
        SavePixelsAsBmp(pixels, test.Width(), test.Height(), path.c_str());
    }
}

}  // namespace
