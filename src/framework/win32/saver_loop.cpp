#include "framework/win32/saver_base.h"

#include <mmsystem.h>

#include <cstdio>

#include "d3dx/d3dx_math.h"
#include "framework/frame_stats.h"
#include "framework/screen_projection.h"
#include "framework/status_codes.h"
#include "util/copy_string_bounded.h"
#include "util/screen_dpi.h"
#include "util/win32/frame_timer.h"

namespace {

ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// The clock of frame pacing, in whole microseconds (FramePacer says why not seconds): the
// performance counter, or timeGetTime where there is none.
int64_t MicrosecondsNow() {
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER counter = {};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 ||
        !QueryPerformanceCounter(&counter)) {
        return static_cast<int64_t>(timeGetTime()) * 1000;
    }
    const int64_t ticks = counter.QuadPart;
    const int64_t perSecond = frequency.QuadPart;
    return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}

}  // namespace

// Startup waits half a second in a preview before it creates Direct3D, so that the
// control panel shows its dialog without stalling.
void SaverBase::WaitForPreviewDelay() {
    waitingForTimer = TRUE;
    PostMessageA(mainWindow, WM_USER, 0, 0);
    MSG message;
    while (waitingForTimer) {
        const BOOL got = GetMessageA(&message, mainWindow, 0, 0);
        if (got == 0) {
            PostQuitMessage(0);
            break;
        }
        if (got == -1) {
            break;  // the window is gone
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HRESULT SaverBase::RunSaver() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    isWindows9x = (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
    if (mode == Full && isWindows9x) {
        PreparePasswordVerifier();
    }

    FrameTimer(TimerStart);
    if (!errorMode && !StartupAbandoned()) {
        const HRESULT hr = InitOnce();
        if (FAILED(hr)) {
            return hr;
        }
        if (!StartupAbandoned()) {
            CreateScreenDevices();
        }
    }

    // The system is told a saver runs only while this one goes on: the run may already
    // have ended during device creation (activation lost under a message box), and the
    // flag would then outlive the process.
    UINT scratch = 0;
    if (mode == Full && !ending_) {
        SystemParametersInfoA(SPI_SCREENSAVERRUNNING, TRUE, &scratch, 0);
    }
    // Without a window nothing can be shown and no message will ever end the run.
    if (mainWindow == nullptr) {
        EndSaver("it has no window");
    } else if (!ending_) {
        UpdateFrameRateLimit();
        RaiseTimerResolution(true);
        WatchPowerSettings();
    }

    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (ending_) {
                    break;
                }
                // A quit the saver did not plan (a failed music start posts one): the
                // run still ends through its teardown, and leaves on the quit that posts.
                EndSaver("a quit message it did not post");
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        // In the dark only a message can change anything: input, the host's end, a report.
        if (displayPower_.DisplayOff()) {
            WaitForMessages(INFINITE);
            continue;
        }
        const int64_t now = MicrosecondsNow();
        const int64_t wait = framePacer_.Wait(now);
        if (wait > 0) {
            // Rounded up: a wake-up before the frame is due would only wait again.
            WaitForMessages(static_cast<DWORD>((wait + 999) / 1000));
            continue;
        }
        framePacer_.FrameStarted(now);
        if (errorMode) {
            AnimateErrorBox();
        } else {
            RenderAllScreens();
        }
    }
    return S_OK;
}

// Sleeps until a message arrives (sent ones included) or `milliseconds` have passed.
void SaverBase::WaitForMessages(DWORD milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// Waits end on the system timer's ticks, 15.6 ms apart unless a program asks for finer
// ones; frames at the screen's rate need them. Not while the display is off, nor after
// the run.
void SaverBase::RaiseTimerResolution(bool raise) {
    if (raise == timerResolutionRaised_) {
        return;
    }
    if (raise) {
        timeBeginPeriod(1);
    } else {
        timeEndPeriod(1);
    }
    timerResolutionRaised_ = raise;
}

// The current mode of every screen's adapter; 0 where none tells its rate.
UINT SaverBase::SlowestRefreshRate() const {
    UINT slowest = 0;
    for (DWORD i = 0; i < screenDeviceCount && direct3d != nullptr; ++i) {
        D3DDISPLAYMODE mode = {};
        if (SUCCEEDED(direct3d->GetAdapterDisplayMode(screenDevices[i].adapterIndex, &mode)) &&
            mode.RefreshRate > 1 && (slowest == 0 || mode.RefreshRate < slowest)) {
            slowest = mode.RefreshRate;
        }
    }
    return slowest;
}

void SaverBase::UpdateFrameRateLimit() {
    framePacer_.SetRate(FrameRateLimit(SlowestRefreshRate(), batterySaving_.Saving()));
}

void SaverBase::RenderAllScreens() {
    time = FrameTimer(TimerAppTime);
    elapsedTime = static_cast<float>(FrameTimer(TimerElapsed));
    AdvanceFrame();
    MeasureFrameRate();

    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        SwitchToScreenDevice(i);
        if (activeDevice == nullptr) {
            continue;
        }
        const HRESULT cooperative = activeDevice->TestCooperativeLevel();
        if (cooperative == D3DERR_DEVICELOST) {
            return;  // nothing is presented this frame
        }
        if (cooperative == D3DERR_DEVICENOTRESET && !ResetLostDevice(screenDevices[i])) {
            return;  // not reset: nothing is presented this frame
        }
        RenderFrame();
    }

    // Present only after every device has rendered, so the monitors stay in step.
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        SwitchToScreenDevice(i);
        if (activeDevice != nullptr) {
            activeDevice->Present(nullptr, nullptr, nullptr, nullptr);
        }
    }
}

// The current device was lost and may now be reset. False when the Reset failed: the
// next frame tries again, unless the failures say the device will not come back, which
// ends the picture with the Reset's code (or ErrResetFailed where it has no message).
bool SaverBase::ResetLostDevice(ScreenDevice& screen) {
    if (windowed && adapters[screen.adapterIndex] != nullptr) {
        direct3d->GetAdapterDisplayMode(screen.adapterIndex, &adapters[screen.adapterIndex]->desktopMode);
    }
    if (screen.objectsPrepared) {
        ReleaseDeviceObjects();
        screen.objectsPrepared = FALSE;
    }
    const HRESULT hr = activeDevice->Reset(&screen.presentParams);
    if (FAILED(hr)) {
        const bool resettable = activeDevice->TestCooperativeLevel() == D3DERR_DEVICENOTRESET;
        if (screen.resetRetry.Failed(FrameTimer(TimerAbsolute), resettable)) {
            EnterErrorMode(ResetFailureCode(hr));
        }
        return false;
    }
    screen.resetRetry.Succeeded();
    if (SUCCEEDED(PrepareDeviceObjects())) {
        screen.objectsPrepared = TRUE;
    } else {
        EnterErrorMode(ErrDeviceObjectsFailed);
    }
    UpdateFrameRateLimit();  // the mode may have changed with the device
    return true;
}

void SaverBase::SwitchToScreenDevice(UINT index) {
    ScreenDevice& screen = screenDevices[index];
    activeDevice = screen.device;
    if (!windowed && screen.monitorIndex < monitorCount) {
        renderCurrent = monitors[screen.monitorIndex].screenRect;
    }
    if (activeDevice != nullptr) {
        IDirect3DSurface8* backBuffer = nullptr;
        if (SUCCEEDED(activeDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
            backBuffer->GetDesc(&backBufferDesc);
            backBuffer->Release();
        }
    }
    screenDpi = UsableDpi(screen.dpi);
    CopyStringBounded(deviceStats, screen.deviceStats);
    CopyStringBounded(frameStats, screen.frameStats);
    UseScreenDevice(index);
}

UINT SaverBase::TallestBackBufferHeight() const {
    UINT tallest = 0;
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        IDirect3DSurface8* backBuffer = nullptr;
        if (screenDevices[i].device == nullptr ||
            FAILED(screenDevices[i].device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
            continue;
        }
        D3DSURFACE_DESC description = {};
        backBuffer->GetDesc(&description);
        backBuffer->Release();
        tallest = (description.Height > tallest) ? description.Height : tallest;
    }
    return tallest;
}

void SaverBase::SetScreenProjection(float nearPlane, float farPlane) {
    const RECT& reference = allScreensSame ? renderCurrent : renderTotal;
    const ProjectionBounds bounds =
        ComputeProjectionBounds(ToScreenRect(renderCurrent), ToScreenRect(reference), nearPlane);
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveOffCenterLH(&projection, bounds.left, bounds.right, bounds.bottom, bounds.top,
                                     nearPlane, farPlane);
    if (activeDevice != nullptr) {
        activeDevice->SetTransform(D3DTS_PROJECTION, &projection);
    }
}

void SaverBase::MeasureFrameRate() {
    if (!frameRateGate_.CountFrame(FrameTimer(TimerAbsolute), &framesPerSecond)) {
        return;
    }

    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        ScreenDevice& screen = screenDevices[i];
        D3DDISPLAYMODE displayMode = {};
        if (direct3d != nullptr) {
            direct3d->GetAdapterDisplayMode(screen.adapterIndex, &displayMode);
        }
        const UINT bits = (displayMode.Format == D3DFMT_X8R8G8B8) ? 32 : 16;
        const char* depth = "";
        const AdapterRecord* adapter =
            (screen.adapterIndex < MaxDisplays) ? adapters[screen.adapterIndex] : nullptr;
        if (useDepthBuffer && adapter != nullptr && adapter->currentKind < adapter->deviceKindCount) {
            const DeviceKindRecord& kind = adapter->deviceKinds[adapter->currentKind];
            if (kind.currentMode < kind.modeCount) {
                depth = DepthStencilSuffix(kind.modes[kind.currentMode].depthStencilFormat);
            }
        }
        FormatFrameStats(screen.frameStats, sizeof(screen.frameStats), framesPerSecond, displayMode.Width,
                         displayMode.Height, bits, depth);
    }
}

// A span without frames would otherwise count as one long, slow frame.
void SaverBase::RestartFrameRateMeasurement() {
    frameRateGate_.Restart();
}

// The first saver window hears the reports for every screen.
void SaverBase::WatchPowerSettings() {
    powerSettingNotifications_.Register(mainWindow);
}

// While the display is off the frame timer stands still, so that the planets go on from
// where they were when it comes back, without a leap over the dark span.
void SaverBase::NotePowerSetting(const PowerSettingReport* report) {
    PowerSetting setting = PowerSetting::ConsoleDisplay;
    uint32_t value = 0;
    if (ending_ || !powerSettingNotifications_.Registered() || !ReadPowerSetting(report, &setting, &value)) {
        return;
    }
    FrameChange change = FrameChange::None;
    switch (setting) {
        case PowerSetting::ConsoleDisplay:
            change = displayPower_.ReportConsoleDisplay(value);
            break;
        case PowerSetting::MonitorPower:
            change = displayPower_.ReportMonitorPower(value);
            break;
        case PowerSetting::PowerSource:
            if (batterySaving_.ReportPowerSource(value)) {
                UpdateFrameRateLimit();
            }
            break;
        case PowerSetting::PowerSaving:
            if (batterySaving_.ReportPowerSaving(value)) {
                UpdateFrameRateLimit();
            }
            break;
    }
    if (change == FrameChange::Stop) {
        FrameTimer(TimerStop);
        RaiseTimerResolution(false);
        DisplayTurnedOff();
    } else if (change == FrameChange::Resume) {
        FrameTimer(TimerStart);
        RestartFrameRateMeasurement();
        RaiseTimerResolution(true);
        DisplayTurnedOn();
    }
}

void SaverBase::RequestExit(const char* reason) {
    const bool mayEnd = (mode == Test) || (mode == Full && !checkingPassword);
    if (!mayEnd) {
        return;
    }
    if (mode == Full && isWindows9x && verifyPassword != nullptr && !CheckPassword()) {
        return;
    }
    EndSaver(reason);
}

// The host lives on another thread, mostly in another process. Its end reaches the
// preview as messages sent to this thread, and the host's thread waits until they are
// read: start-up reads them between its steps. Posted messages wait for the loop. True
// when the host is gone.
bool SaverBase::ReadSentMessagesAndCheckHost() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return previewWindowGone_ || !IsWindow(parentWindow);
}

// Called where nothing is half built, so the preview window's WM_DESTROY may end the run
// at once.
bool SaverBase::StartupAbandoned() {
    if (!ending_ && mode == Preview && ReadSentMessagesAndCheckHost()) {
        EndSaver("the preview's host is gone");
    }
    return ending_;
}

HRESULT SaverBase::PrepareStartupObjects() {
    preparingStartupObjects_ = true;
    const HRESULT hr = PrepareDeviceObjects();
    preparingStartupObjects_ = false;
    return hr;
}

// Called with objects half prepared: WM_DESTROY only takes note, and the run ends once
// the application has given them back.
bool SaverBase::PreviewHostGoneWhilePreparing() {
    return preparingStartupObjects_ && mode == Preview && ReadSentMessagesAndCheckHost();
}

void SaverBase::EndSaver(const char* reason) {
    // Input queued behind the first exit request must not tear down a second time.
    if (ending_) {
        return;
    }
    ending_ = true;
    char line[160];
    std::snprintf(line, sizeof(line), "Celestra Screensaver: the run ends: %s\n", reason);
    OutputDebugStringA(line);
    powerSettingNotifications_.Unregister();
    RaiseTimerResolution(false);
    if (mode == Full) {
        UINT scratch = 0;
        SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &scratch, 0);
    }
    ReleaseScreenDevices();
    CleanupOnce();
    if (passwordLibrary != nullptr) {
        FreeLibrary(passwordLibrary);
        passwordLibrary = nullptr;
        verifyPassword = nullptr;
    }
    PostQuitMessage(0);
}

// The application's objects of every device go first, then the devices themselves; the
// screen-device table keeps its entries, so the devices can be created again.
void SaverBase::ReleaseDevicesKeepingTheirSettings() {
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        SwitchToScreenDevice(i);
        ScreenDevice& screen = screenDevices[i];
        if (screen.objectsPrepared) {
            ReleaseDeviceObjects();
            screen.objectsPrepared = FALSE;
        }
        if (screen.objectsCreated) {
            DestroyDeviceObjects();
            screen.objectsCreated = FALSE;
        }
        if (screen.device != nullptr) {
            screen.device->Release();
            screen.device = nullptr;
        }
        activeDevice = nullptr;
    }
}

void SaverBase::ReleaseScreenDevices() {
    ReleaseDevicesKeepingTheirSettings();
    screenDeviceCount = 0;
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
}
