#include <windows.h>

#include <gtest/gtest.h>

#include "framework/saver_base.h"

namespace {

// A saver whose start-up is driven by the test's own command line.
class TestSaver : public SaverBase {
public:
    int cleanups = 0;
    HRESULT CleanupOnce() override {
        ++cleanups;
        return S_OK;
    }
};

RECT ClientRect(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return r;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

TEST(SaverWindows, TestWindowHasA600By400ClientArea) {
    TestSaver saver;
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
    ASSERT_EQ(saver.mode, SaverMode::Test);
    ASSERT_NE(saver.mainWindow, nullptr);
    const RECT client = ClientRect(saver.mainWindow);
    EXPECT_EQ(client.right - client.left, 600);
    EXPECT_EQ(client.bottom - client.top, 400);
    const LONG style = GetWindowLongA(saver.mainWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(saver.errorMode);
    DestroyWindow(saver.mainWindow);
    PumpMessages();
    EXPECT_EQ(saver.cleanups, 1) << "destroying the test window ends the run";
}

}  // namespace
