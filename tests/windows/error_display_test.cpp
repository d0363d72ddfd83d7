#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/fake_direct3d.h"
#include "framework/win32/saver_base.h"
#include "support/test_saver.h"
#include "framework/status_codes.h"

namespace {

// A saver on an adapter that offers no usable device, or on the real Direct3D.

std::string StringResource(UINT id) {
    char text[512] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
    return text;
}

// An adapter whose only device type is refused.
FakeDirect3D* NoUsableDevice() {
    static FakeDirect3D fake;
    fake.modes = {D3DDISPLAYMODE{640, 480, 60, D3DFMT_R5G6B5}};
    fake.halAvailable = false;
    return &fake;
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

int DarkPixelsIn(HWND window, const RECT& area) {
    HDC dc = GetDC(window);
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                ++dark;
            }
        }
    }
    ReleaseDC(window, dc);
    return dark;
}

TEST(ErrorDisplay, NoUsableDeviceShowsItsMessageInADriftingBox) {
    TestSaver saver(NoUsableDevice());
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
    ASSERT_TRUE(saver.errorMode);
    ASSERT_EQ(saver.errorCode, ErrNoCompatibleDevices);

    saver.AnimateErrorBox();
    EXPECT_EQ(std::string(saver.errorText), StringResource(2104));
    EXPECT_EQ(std::string(saver.errorText), "Could not find any compatible Direct3D devices.");
    const MonitorRecord& monitor = saver.monitors[0];
    EXPECT_EQ(monitor.boxX, 150.0f);
    EXPECT_EQ(monitor.boxY, 125.0f);
    EXPECT_EQ(monitor.boxWidth, 300.0f);
    EXPECT_EQ(monitor.boxHeight, 150.0f);
    EXPECT_EQ(monitor.boxSpeedX, 60.0f);
    EXPECT_EQ(monitor.boxSpeedY, 20.0f);

    // The box in the window colour with a black frame and the message in it, black
    // around it.
    InvalidateRect(saver.mainWindow, nullptr, TRUE);
    UpdateWindow(saver.mainWindow);
    const COLORREF boxColour = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(PixelAt(saver.mainWindow, 152, 127), boxColour);
    EXPECT_EQ(PixelAt(saver.mainWindow, 150, 125), RGB(0, 0, 0)) << "frame";
    EXPECT_EQ(PixelAt(saver.mainWindow, 100, 100), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(saver.mainWindow, 599, 399), RGB(0, 0, 0));
    EXPECT_GT(DarkPixelsIn(saver.mainWindow, RECT{152, 180, 448, 220}), 50) << "the text, centred vertically";
    EXPECT_EQ(DarkPixelsIn(saver.mainWindow, RECT{152, 127, 448, 170}), 0) << "nothing above the text";

    DestroyWindow(saver.mainWindow);
    PumpMessages();
}

// A Test window standing on another monitor than record 0's still shows the box of
// record 0, which owns the window: here record 1 is made the monitor the window is on.
TEST(ErrorDisplay, TheBoxOfTheRecordThatOwnsTheWindowIsPainted) {
    TestSaver saver(NoUsableDevice());
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
    ASSERT_TRUE(saver.errorMode);
    saver.AnimateErrorBox();
    ASSERT_EQ(saver.monitors[0].window, saver.mainWindow);
    MonitorRecord& other = saver.monitors[1];
    other = MonitorRecord{};
    other.monitorHandle = MonitorFromWindow(saver.mainWindow, MONITOR_DEFAULTTONEAREST);
    other.screenRect = saver.monitors[0].screenRect;
    saver.monitors[0].monitorHandle = reinterpret_cast<HMONITOR>(static_cast<INT_PTR>(0x7FFF0001));
    saver.monitorCount = 2;

    InvalidateRect(saver.mainWindow, nullptr, TRUE);
    UpdateWindow(saver.mainWindow);
    EXPECT_EQ(PixelAt(saver.mainWindow, 152, 127), GetSysColor(COLOR_WINDOW));
    EXPECT_GT(DarkPixelsIn(saver.mainWindow, RECT{152, 180, 448, 220}), 50) << "the message";
    EXPECT_EQ(PixelAt(saver.mainWindow, 100, 100), RGB(0, 0, 0));

    DestroyWindow(saver.mainWindow);
    PumpMessages();
}

TEST(ErrorDisplay, BoxTurnsAtTheEdgesOfTheTestWindow) {
    TestSaver saver(NoUsableDevice());
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
    ASSERT_TRUE(saver.errorMode);
    saver.AnimateErrorBox();
    MonitorRecord& monitor = saver.monitors[0];

    Sleep(50);
    saver.AnimateErrorBox();
    EXPECT_GT(monitor.boxX, 150.0f) << "moving right";
    EXPECT_GT(monitor.boxY, 125.0f) << "moving down";

    // At the bottom-right corner, still heading out: both directions turn before the
    // box leaves the window.
    monitor.boxX = 300.0f;
    monitor.boxY = 250.0f;
    Sleep(50);
    saver.AnimateErrorBox();
    EXPECT_EQ(monitor.boxSpeedX, -60.0f);
    EXPECT_EQ(monitor.boxSpeedY, -20.0f);
    EXPECT_LT(monitor.boxX, 300.0f);
    EXPECT_LT(monitor.boxY, 250.0f);

    // At the left edge moving left it turns again; moving right it just goes on.
    monitor.boxX = 0.0f;
    Sleep(50);
    saver.AnimateErrorBox();
    EXPECT_EQ(monitor.boxSpeedX, 60.0f);
    EXPECT_GT(monitor.boxX, 0.0f);

    DestroyWindow(saver.mainWindow);
    PumpMessages();
}

TEST(ErrorDisplay, FirstPassReleasesTheDevices) {
    TestSaver saver;
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t"), S_OK);
    ASSERT_FALSE(saver.errorMode);
    saver.CreateScreenDevices();
    ASSERT_EQ(saver.screenDeviceCount, 1u);
    saver.EnterErrorMode(ErrDeviceObjectsFailed);
    saver.AnimateErrorBox();
    EXPECT_EQ(saver.screenDeviceCount, 0u);
    EXPECT_EQ(saver.released, 1);
    EXPECT_EQ(saver.direct3d, nullptr);
    EXPECT_EQ(std::string(saver.errorText), StringResource(2100)) << "no message of its own";
    DestroyWindow(saver.mainWindow);
    PumpMessages();
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ErrorDisplay, PreviewBoxFillsThePreviewAndStaysStill) {
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = HostProc;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.lpszClassName = "ErrorDisplayHost";
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, "ErrorDisplayHost", "host", WS_POPUP | WS_VISIBLE, 10, 10, 152, 112,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    const std::string commandLine = "ssaver.scr /p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
    TestSaver saver(NoUsableDevice());
    ASSERT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), commandLine.c_str()), S_OK);
    ASSERT_EQ(saver.mode, SaverMode::Preview);
    ASSERT_TRUE(saver.errorMode);
    saver.AnimateErrorBox();
    const MonitorRecord& monitor = saver.monitors[0];
    EXPECT_EQ(monitor.boxX, 0.0f);
    EXPECT_EQ(monitor.boxY, 0.0f);
    EXPECT_EQ(monitor.boxWidth, 152.0f);
    EXPECT_EQ(monitor.boxHeight, 112.0f);
    Sleep(50);
    saver.AnimateErrorBox();
    EXPECT_EQ(monitor.boxX, 0.0f);
    EXPECT_EQ(monitor.boxY, 0.0f);
    EXPECT_EQ(PixelAt(saver.mainWindow, 5, 5), GetSysColor(COLOR_WINDOW));
    DestroyWindow(host);
    PumpMessages();
}

}  // namespace
