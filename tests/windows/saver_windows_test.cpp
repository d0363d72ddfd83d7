#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/win32/multi_monitor_api.h"
#include "support/test_saver.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND CreateHostWindow(int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PreviewHost";
    RegisterClassA(&windowClass);
    RECT rc = {0, 0, width, height};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, "PreviewHost", "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                           rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(SaverWindows, TestWindowHasA600By400ClientAreaAndTheProductTitle) {
    TestSaver saver;
    ASSERT_EQ(saver.Start("ssaver.scr /t"), S_OK);
    ASSERT_EQ(saver.mode, SaverMode::Test);
    ASSERT_NE(saver.mainWindow, nullptr);
    EXPECT_FALSE(saver.errorMode);
    const SIZE client = ClientSize(saver.mainWindow);
    EXPECT_EQ(client.cx, 600);
    EXPECT_EQ(client.cy, 400);
    EXPECT_EQ(saver.renderTotal.right, 600);
    EXPECT_EQ(saver.renderTotal.bottom, 400);
    const LONG style = GetWindowLongA(saver.mainWindow, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(saver.monitors[0].window, saver.mainWindow);

    char className[64] = {};
    GetClassNameA(saver.mainWindow, className, sizeof(className));
    EXPECT_STREQ(className, "SaverWindowClass");
    char title[64] = {};
    GetWindowTextA(saver.mainWindow, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver") << "the framework's title until the application sets its own";
    saver.DestroyWindows();
    PumpMessages();
}

// 600 x 400 are the pixels at 96 dpi: on a monitor at 150 % the window is half as large
// again, so the scene and its texts keep their proportions in it.
TEST(SaverWindows, TestWindowGrowsWithItsMonitorsDpi) {
    TestSaver saver;
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    saver.monitorDpis = {{primary, 144}};
    ASSERT_EQ(saver.Start("ssaver.scr /t"), S_OK);
    ASSERT_NE(saver.mainWindow, nullptr);
    const SIZE client = ClientSize(saver.mainWindow);
    EXPECT_EQ(client.cx, 900);
    EXPECT_EQ(client.cy, 600);
    EXPECT_EQ(saver.dpiQueries, std::vector<HMONITOR>{primary});
    saver.DestroyWindows();
    PumpMessages();
}

TEST(SaverWindows, FullScreenCoversEveryMonitorWithATopmostPopup) {
    TestSaver saver;
    ASSERT_EQ(saver.Start("ssaver.scr /s"), S_OK);
    ASSERT_EQ(saver.mode, Full);
    ASSERT_GE(saver.monitorCount, 1u);
    ASSERT_NE(saver.mainWindow, nullptr);
    int windows = 0;
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        const MonitorRecord& monitor = saver.monitors[i];
        if (monitor.monitorHandle == nullptr) {
            EXPECT_EQ(monitor.window, nullptr);
            continue;
        }
        ++windows;
        ASSERT_NE(monitor.window, nullptr);
        EXPECT_TRUE(GetWindowLongA(monitor.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongA(monitor.window, GWL_STYLE) & WS_POPUP);
        RECT windowRect = {};
        GetWindowRect(monitor.window, &windowRect);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetMonitorInfoA(monitor.monitorHandle, &info));
        EXPECT_TRUE(EqualRect(&windowRect, &info.rcMonitor)) << "monitor " << i;
        EXPECT_TRUE(EqualRect(&monitor.screenRect, &info.rcMonitor));
        if (monitor.window != saver.mainWindow) {
            EXPECT_EQ(GetWindow(monitor.window, GW_OWNER), saver.mainWindow)
                << "the first window owns the others";
        }
    }
    EXPECT_GE(windows, 1);
    saver.DestroyWindows();
    PumpMessages();
}

TEST(SaverWindows, PreviewIsAChildFillingItsHostAfterTheStartDelay) {
    HWND host = CreateHostWindow(152, 112);
    ASSERT_NE(host, nullptr);
    TestSaver saver;
    const std::string commandLine = "ssaver.scr /p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
    const DWORD before = GetTickCount();
    ASSERT_EQ(saver.Start(commandLine.c_str()), S_OK);
    const DWORD waited = GetTickCount() - before;
    ASSERT_EQ(saver.mode, Preview);
    EXPECT_EQ(saver.parentWindow, host);
    ASSERT_NE(saver.mainWindow, nullptr);
    EXPECT_FALSE(saver.errorMode);
    EXPECT_EQ(GetParent(saver.mainWindow), host);
    EXPECT_TRUE(GetWindowLongA(saver.mainWindow, GWL_STYLE) & WS_CHILD);
    const SIZE client = ClientSize(saver.mainWindow);
    EXPECT_EQ(client.cx, 152);
    EXPECT_EQ(client.cy, 112);
    EXPECT_FALSE(saver.waitingForTimer);
    EXPECT_GE(waited, 450u) << "Direct3D waits half a second behind the preview window";

    // The host decides when the preview ends.
    DestroyWindow(host);
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(saver.Ended());
}

// Pumps the calling thread's messages for the given time, as a host window's thread does.
void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

// The control panel may close while its preview still starts. The host window lives on
// another thread (in another process, for the control panel), so its destruction reaches
// the preview only as messages sent to the preview's thread, and waits for them to be
// read. The run ends and builds nothing more for the gone host, whether the host went
// during the start delay, while the preview was busy, or while the application prepared
// its objects; the last ends once the application has given them back.
TEST(SaverWindows, PreviewWhoseHostGoesDuringItsStartEndsWithoutBuildingMore) {
    enum class HostGoes { DuringTheStartDelay, AfterTheStartDelay, WhileObjectsArePrepared };
    for (const HostGoes when :
         {HostGoes::DuringTheStartDelay, HostGoes::AfterTheStartDelay, HostGoes::WhileObjectsArePrepared}) {
        SCOPED_TRACE(static_cast<int>(when));
        const bool whilePrepared = when == HostGoes::WhileObjectsArePrepared;
        HWND host = CreateHostWindow(152, 112);
        ASSERT_NE(host, nullptr);
        struct PreviewRun {
            std::string commandLine;
            HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            DWORD pauseAfterStart = 0;
            HANDLE preparing = nullptr;
            bool ended = false;
            int objectsCreated = 0;
            int objectsDestroyed = 0;
            bool endedWhilePreparing = false;
            bool errorMode = false;
            static DWORD WINAPI Main(void* argument) {
                PreviewRun& run = *static_cast<PreviewRun*>(argument);
                TestSaver saver;
                saver.preparingUntilHostGoes = run.preparing;
                saver.Start(run.commandLine.c_str());
                if (run.preparing == nullptr) {
                    SetEvent(run.started);
                }
                // Busy, as with Direct3D, and reading no messages: the host's end waits
                // for the preview's thread meanwhile.
                Sleep(run.pauseAfterStart);
                saver.Run();
                run.ended = saver.Ended();
                run.objectsCreated = saver.created;
                run.objectsDestroyed = saver.destroyed;
                run.endedWhilePreparing = saver.endedWhilePreparing;
                run.errorMode = saver.errorMode != FALSE;
                return 0;
            }
        } run;
        if (whilePrepared) {
            run.preparing = run.started;
        }
        run.commandLine = "ssaver.scr /p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
        run.pauseAfterStart = (when == HostGoes::AfterTheStartDelay) ? 300 : 0;
        HANDLE thread = CreateThread(nullptr, 0, PreviewRun::Main, &run, 0, nullptr);
        ASSERT_NE(thread, nullptr);

        // Pumping lets the preview's creation reach the host. During the delay, the host
        // goes a fifth of a second after its preview child appeared.
        DWORD start = GetTickCount();
        while (FindWindowExA(host, nullptr, SaverWindowClassName, nullptr) == nullptr &&
               GetTickCount() - start < 5000) {
            PumpFor(10);
        }
        if (when == HostGoes::DuringTheStartDelay) {
            PumpFor(200);
        } else {  // once the preview is busy, or prepares its objects
            while (MsgWaitForMultipleObjects(1, &run.started, FALSE, 5000, QS_ALLINPUT) != WAIT_OBJECT_0) {
                PumpMessages();
            }
        }
        start = GetTickCount();
        DestroyWindow(host);
        DWORD waited = 0;
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
               (waited = GetTickCount() - start) < 10000) {
            PumpMessages();
        }
        const bool finished = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        if (!finished) {
            TerminateThread(thread, 1);  // stuck for good: nothing else can end its wait
        }
        CloseHandle(thread);
        CloseHandle(run.started);
        ASSERT_TRUE(finished) << "the preview still ran " << waited << " ms after its host was destroyed";
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.objectsCreated, whilePrepared ? 1 : 0);
        EXPECT_EQ(run.objectsDestroyed, run.objectsCreated);
        EXPECT_FALSE(run.endedWhilePreparing) << "the run ended under the application's feet";
        EXPECT_FALSE(run.errorMode) << "an abandoned preparation is not an error";
    }
}

TEST(SaverWindows, PreviewWithoutAUsableParentEndsTheRunAtOnce) {
    for (const char* commandLine : {"ssaver.scr /p", "ssaver.scr /p 12345678"}) {
        TestSaver saver;
        ASSERT_EQ(saver.Start(commandLine), S_OK) << commandLine;
        EXPECT_EQ(saver.mainWindow, nullptr) << commandLine;
        EXPECT_TRUE(saver.errorMode) << commandLine;
        EXPECT_EQ(saver.errorCode, E_FAIL) << commandLine;
        // Nothing could ever end a loop without a window: the run must return by itself.
        EXPECT_EQ(saver.RunSaver(), S_OK) << commandLine;
        EXPECT_TRUE(saver.Ended()) << commandLine;
    }
}

TEST(SaverWindows, ConfigAndPasswordModesCreateNoWindow) {
    for (const char* commandLine : {"ssaver.scr", "ssaver.scr /c:0987", "ssaver.scr /a"}) {
        TestSaver saver;
        ASSERT_EQ(saver.Start(commandLine), S_OK);
        EXPECT_EQ(saver.mainWindow, nullptr) << commandLine;
        EXPECT_FALSE(saver.errorMode) << commandLine;
    }
}

TEST(SaverWindows, WithoutMultiMonitorSupportOnePseudoMonitorCoversThePrimaryScreen) {
    MultiMonitorApi::UseFallbacksForTesting(true);
    TestSaver saver;
    saver.EnumerateMonitors();
    MultiMonitorApi::UseFallbacksForTesting(false);
    ASSERT_EQ(saver.monitorCount, 1u);
    EXPECT_STREQ(saver.monitors[0].adapterDescription, "DISPLAY");
    EXPECT_STREQ(saver.monitors[0].monitorDescription, "");
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(saver.monitors[0].monitorHandle), MultiMonitorApi::PseudoMonitor);
    const RECT expected = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(EqualRect(&saver.monitors[0].screenRect, &expected));
    EXPECT_EQ(saver.monitors[0].adapterIndex, NoAdapter);
}

// A docked laptop lists every output of every card, most of them idle: only those
// attached to the desktop take one of the nine records, in their order.
TEST(SaverWindows, OnlyOutputsAttachedToTheDesktopTakeAMonitorRecord) {
    TestSaver saver;
    saver.displayDevices.resize(24);
    for (int n = 0; n < 24; ++n) {
        DISPLAY_DEVICEA& device = saver.displayDevices[n];
        std::snprintf(device.DeviceString, sizeof(device.DeviceString), "Output %d", n);
        device.StateFlags = (n % 2 == 1) ? DISPLAY_DEVICE_ATTACHED_TO_DESKTOP : 0;
    }
    saver.EnumerateMonitors();
    ASSERT_EQ(saver.monitorCount, MaxDisplays);
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        EXPECT_EQ(std::string(saver.monitors[i].adapterDescription), "Output " + std::to_string(2 * i + 1));
    }
}

TEST(SaverWindows, MonitorFallbacksAnswerOnlyForThePseudoMonitor) {
    MultiMonitorApi::UseFallbacksForTesting(true);
    const HMONITOR pseudo = reinterpret_cast<HMONITOR>(MultiMonitorApi::PseudoMonitor);
    const RECT onScreen = {10, 10, 20, 20};
    const RECT offScreen = {-50, -50, -10, -10};
    EXPECT_EQ(MultiMonitorApi::MonitorFromRect(&onScreen, MONITOR_DEFAULTTONULL), pseudo);
    EXPECT_EQ(MultiMonitorApi::MonitorFromRect(&offScreen, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MultiMonitorApi::MonitorFromRect(&offScreen, MONITOR_DEFAULTTONEAREST), pseudo);

    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(MultiMonitorApi::GetMonitorInfoA(pseudo, &info));
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));
    EXPECT_STREQ(info.szDevice, "DISPLAY");
    EXPECT_FALSE(MultiMonitorApi::GetMonitorInfoA(reinterpret_cast<HMONITOR>(0x1234), &info));
    info.cbSize = 20;
    EXPECT_FALSE(MultiMonitorApi::GetMonitorInfoA(pseudo, &info)) << "a structure too small is refused";

    DISPLAY_DEVICEA device = {};
    device.cb = sizeof(device);
    EXPECT_FALSE(MultiMonitorApi::EnumDisplayDevicesA(nullptr, 1, &device, 0));
    EXPECT_FALSE(MultiMonitorApi::EnumDisplayDevicesA("DISPLAY", 0, &device, 0));
    MultiMonitorApi::UseFallbacksForTesting(false);
}

}  // namespace
