#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/status_codes.h"
#include "framework/win32/saver_base.h"
#include "support/fake_direct3d.h"
#include "support/recording_device.h"
#include "support/test_saver.h"
#include "support/scripted_device_state.h"

namespace {

class LostDevice : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
        ASSERT_FALSE(saver.errorMode);
        saver.CreateScreenDevices();
        ASSERT_EQ(saver.screenDeviceCount, 1u);
        ASSERT_EQ(saver.prepared, 1);
        device = saver.screenDevices[0].device;
    }
    void TearDown() override {
        DestroyWindow(saver.mainWindow);
        PumpMessages();
    }
    TestSaver saver;
    IDirect3DDevice8* device = nullptr;
};

TEST_F(LostDevice, SkipsTheFrameWhileLost) {
    ScriptedDeviceState state(device);
    ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICELOST;
    saver.RenderAllScreens();
    EXPECT_EQ(saver.rendered, 0);
    EXPECT_EQ(ScriptedDeviceState::presents, 0) << "nothing is presented";
    EXPECT_EQ(ScriptedDeviceState::resets, 0);

    ScriptedDeviceState::cooperativeLevel = D3D_OK;
    saver.RenderAllScreens();
    EXPECT_EQ(saver.rendered, 1);
    EXPECT_EQ(ScriptedDeviceState::presents, 1);
}

TEST_F(LostDevice, ResetsThroughTheApplicationHooks) {
    ScriptedDeviceState state(device);
    ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
    saver.RenderAllScreens();
    EXPECT_EQ(saver.released, 1);
    EXPECT_EQ(ScriptedDeviceState::resets, 1);
    EXPECT_EQ(saver.prepared, 2);
    EXPECT_TRUE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.rendered, 1);
    EXPECT_EQ(ScriptedDeviceState::presents, 1);
    EXPECT_FALSE(saver.errorMode) << "the device's own Reset took the stored parameters";
}

// The lock screen, a UAC prompt or a waking monitor may hold the screen a while, and the
// first resets after it fail: nothing is drawn until one succeeds, then the scene is back.
TEST_F(LostDevice, TheSceneComesBackAfterFailedResets) {
    ScriptedDeviceState state(device);
    ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
    ScriptedDeviceState::resetResult = D3DERR_INVALIDCALL;
    ScriptedDeviceState::failingResets = 2;
    for (int frame = 0; frame < 3; ++frame) {
        saver.RenderAllScreens();
    }
    EXPECT_FALSE(saver.errorMode);
    EXPECT_EQ(ScriptedDeviceState::resets, 3);
    EXPECT_EQ(saver.prepared, 2);
    EXPECT_TRUE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.rendered, 1) << "nothing is drawn on a device that was not reset";
    EXPECT_EQ(ScriptedDeviceState::presents, 1);
}

// A device that says it can be reset yet keeps refusing ends the picture after a few
// seconds, with the code of what failed.
TEST_F(LostDevice, ResetsOrPreparationsThatKeepFailingEnterErrorMode) {
    ScriptedDeviceState state(device);
    ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
    ScriptedDeviceState::resetResult = D3DERR_INVALIDCALL;
    const DWORD start = GetTickCount();
    while (!saver.errorMode && GetTickCount() - start < 6000) {
        saver.RenderAllScreens();
        Sleep(50);
    }
    EXPECT_TRUE(saver.errorMode);
    EXPECT_GE(GetTickCount() - start, 2900u) << "tried again for a few seconds first";
    EXPECT_EQ(saver.errorCode, ErrResetFailed);
    EXPECT_FALSE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.prepared, 1) << "nothing prepared on a device that was not reset";

    saver.errorMode = FALSE;
    ScriptedDeviceState::resetResult = D3D_OK;
    saver.preparation = E_OUTOFMEMORY;
    saver.RenderAllScreens();
    EXPECT_TRUE(saver.errorMode);
    EXPECT_EQ(saver.errorCode, ErrDeviceObjectsFailed);
    EXPECT_FALSE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.released, 1) << "objects that were not prepared are not released again";
}

// The monitors stay in step: while the second screen's device is lost, the first one
// presents nothing either.
TEST(LostDeviceOfTwo, ALostSecondScreenStopsTheFrameOnBoth) {
    TestSaver saver;
    RecordingDevice first, second;
    saver.screenDevices[0].device = &first;
    saver.screenDevices[1].device = &second;
    saver.screenDeviceCount = 2;
    second.cooperativeLevel = D3DERR_DEVICELOST;
    saver.RenderAllScreens();
    EXPECT_EQ(first.Count("Present"), 0);
    EXPECT_EQ(second.Count("Present"), 0);
    EXPECT_FALSE(saver.errorMode);

    second.cooperativeLevel = D3D_OK;
    saver.RenderAllScreens();
    EXPECT_EQ(first.Count("Present"), 1);
    EXPECT_EQ(second.Count("Present"), 1);
    EXPECT_EQ(saver.frames, 2);
    saver.screenDevices[0].device = nullptr;
    saver.screenDevices[1].device = nullptr;
    saver.screenDeviceCount = 0;
}

// Each screen's frame-rate text names its own adapter's mode and depth buffer; none is
// written before a whole second of frames.
AdapterRecord* AdapterWithDepth(D3DFORMAT depthStencilFormat) {
    auto* adapter = new AdapterRecord{};
    adapter->deviceKindCount = 1;
    adapter->currentKind = 0;
    DeviceKindRecord& kind = adapter->deviceKinds[0];
    kind.modeCount = 1;
    kind.currentMode = 0;
    kind.modes[0].depthStencilFormat = depthStencilFormat;
    return adapter;
}

TEST(FrameRate, EachScreenGetsItsOwnTextAfterOneSecondOfFrames) {
    FakeDirect3D direct3d;
    direct3d.desktopModes = {{1024, 768, 60, D3DFMT_X8R8G8B8}, {640, 480, 60, D3DFMT_R5G6B5}};
    TestSaver saver;
    saver.direct3d = &direct3d;
    saver.useDepthBuffer = TRUE;
    saver.adapters[0] = AdapterWithDepth(D3DFMT_D24S8);  // the saver deletes them
    saver.adapters[1] = AdapterWithDepth(D3DFMT_D16);
    saver.screenDevices[0].adapterIndex = 0;
    saver.screenDevices[1].adapterIndex = 1;
    saver.screenDeviceCount = 2;

    saver.MeasureFrameRate();
    saver.MeasureFrameRate();
    EXPECT_STREQ(saver.screenDevices[0].frameStats, "") << "the first frame only starts the count";
    EXPECT_STREQ(saver.screenDevices[1].frameStats, "");
    Sleep(1100);
    saver.MeasureFrameRate();
    EXPECT_GT(saver.framesPerSecond, 0.0f);
    EXPECT_LT(saver.framesPerSecond, 2.0f) << "two frames in a little over a second";
    const std::string firstText = saver.screenDevices[0].frameStats;
    const std::string secondText = saver.screenDevices[1].frameStats;
    const std::string rate = firstText.substr(0, firstText.find(' '));
    EXPECT_EQ(firstText, rate + " fps (1024x768x32) (D24S8)");
    EXPECT_EQ(secondText, rate + " fps (640x480x16) (D16)");

    // The text reaches the framework's field when its screen is made current.
    saver.SwitchToScreenDevice(1);
    EXPECT_EQ(std::string(saver.frameStats), secondText);
    saver.direct3d = nullptr;
    saver.screenDeviceCount = 0;
}

}  // namespace
