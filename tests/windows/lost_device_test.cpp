#include <windows.h>

#include <gtest/gtest.h>

#include "framework/saver_base.h"
#include "support/test_saver.h"
#include "scripted_device_state.h"

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

TEST_F(LostDevice, FailedResetOrPreparationEntersErrorMode) {
    ScriptedDeviceState state(device);
    ScriptedDeviceState::cooperativeLevel = D3DERR_DEVICENOTRESET;
    ScriptedDeviceState::resetResult = D3DERR_INVALIDCALL;
    saver.RenderAllScreens();
    EXPECT_TRUE(saver.errorMode);
    EXPECT_EQ(saver.errorCode, S_OK) << "the code stays as it was";
    EXPECT_FALSE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.prepared, 1) << "nothing prepared on a device that was not reset";

    saver.errorMode = FALSE;
    ScriptedDeviceState::resetResult = D3D_OK;
    saver.preparation = E_OUTOFMEMORY;
    saver.RenderAllScreens();
    EXPECT_TRUE(saver.errorMode);
    EXPECT_FALSE(saver.screenDevices[0].objectsPrepared);
    EXPECT_EQ(saver.released, 1) << "objects that were not prepared are not released again";
}

}  // namespace
