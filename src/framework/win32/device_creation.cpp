#include "framework/d3d_codes.h"
#include "framework/device_choices.h"
#include "framework/device_description.h"
#include "framework/mode_selection.h"
#include "framework/status_codes.h"
#include "framework/win32/device_kind_modes.h"
#include "framework/win32/fallback_mode_registry.h"
#include "framework/win32/monitor_dpi.h"
#include "framework/win32/multi_monitor_api.h"
#include "framework/win32/saver_base.h"
#include "util/screen_dpi.h"

namespace {

DWORD KindTraitsOf(const AdapterRecord& adapter, DeviceKindTraits* traits) {
    for (DWORD k = 0; k < adapter.deviceKindCount; ++k) {
        traits[k] = DeviceKindTraits{static_cast<uint32_t>(adapter.deviceKinds[k].deviceType),
                                     adapter.deviceKinds[k].canRenderWindowed != FALSE};
    }
    return adapter.deviceKindCount;
}

// The kind's first mode for a full-screen device: desktop settings, the stored
// preference, or the automatic rule.
DWORD FirstFullScreenMode(const AdapterRecord& adapter, const DeviceKindRecord& kind,
                          bool useDesktopSettings) {
    DisplayMode modes[MaxModesPerKind];
    const DWORD count = DisplayModesOf(kind, modes);
    const ModePreference preference{
        adapter.preferredWidth, adapter.preferredHeight,   static_cast<uint32_t>(adapter.preferredFormat),
        useDesktopSettings,     adapter.desktopMode.Width, adapter.desktopMode.Height};
    return ChooseFullScreenModeIndex(static_cast<uint32_t>(kind.deviceType), modes, count, preference);
}

void FillFullScreenParameters(ScreenDevice& screen, const AdapterRecord& adapter,
                              const DeviceKindRecord& kind, const SaverBase& saver) {
    const ModeRecord& mode = kind.modes[kind.currentMode];
    screen.deviceType = kind.deviceType;
    screen.behaviour = mode.behaviour;
    screen.monitorIndex = adapter.monitorIndex;
    D3DPRESENT_PARAMETERS& params = screen.presentParams;
    params = D3DPRESENT_PARAMETERS{};
    params.BackBufferWidth = mode.width;
    params.BackBufferHeight = mode.height;
    params.BackBufferFormat = mode.format;
    params.BackBufferCount = 1;
    params.MultiSampleType = D3DMULTISAMPLE_NONE;
    params.SwapEffect = saver.fullScreenSwapEffect;
    params.hDeviceWindow = adapter.window;
    params.Windowed = FALSE;
    params.EnableAutoDepthStencil = saver.useDepthBuffer;
    params.AutoDepthStencilFormat = mode.depthStencilFormat;
    params.Flags = 0;
    params.FullScreen_RefreshRateInHz = FullScreenRefreshRate(
        DisplayModeOf(mode), DisplayModeOf(adapter.desktopMode), adapter.desktopRefreshRate);
    params.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
}

// Appends a zeroed screen device for `adapterIndex`; null when the table is full.
ScreenDevice* AppendScreenDevice(SaverBase& saver, DWORD adapterIndex) {
    if (saver.screenDeviceCount >= MaxDisplays) {
        return nullptr;
    }
    ScreenDevice& screen = saver.screenDevices[saver.screenDeviceCount++];
    screen = ScreenDevice{};
    screen.adapterIndex = adapterIndex;
    return &screen;
}

// The run ended while `screen` was being made (its windows may hear of lost activation
// inside CreateDevice). The end has emptied the table already; a device made all the same
// has no owner but this.
void ReleaseDeviceOfEndedRun(ScreenDevice* screen) {
    if (screen->device != nullptr) {
        screen->device->Release();
        screen->device = nullptr;
    }
}

void RemoveLastScreenDevice(SaverBase& saver) {
    ScreenDevice& screen = saver.screenDevices[--saver.screenDeviceCount];
    if (screen.device != nullptr) {
        screen.device->Release();
    }
    screen = ScreenDevice{};
}

void CreateFullScreenDevices(SaverBase& saver) {
    if (saver.oneScreenOnly) {
        for (DWORD a = 0; a < saver.adapterCount; ++a) {
            saver.adapters[a]->leaveBlack = TRUE;
        }
        DWORD best = 0;
        if (saver.FindBestAdapter(&best)) {
            saver.adapters[best]->leaveBlack = FALSE;
        } else {
            saver.EnterErrorMode(ErrNoCompatibleDevices);
        }
    }
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        if (saver.StartupAbandoned()) {
            return;
        }
        const MonitorRecord& monitor = saver.monitors[i];
        if (monitor.adapterIndex >= saver.adapterCount || saver.adapters[monitor.adapterIndex] == nullptr) {
            continue;
        }
        AdapterRecord& adapter = *saver.adapters[monitor.adapterIndex];
        if (adapter.disableHardware && !adapter.hasUsableSoftware && !saver.allowReference) {
            adapter.leaveBlack = TRUE;
        }
        if (adapter.leaveBlack || adapter.deviceKindCount == 0) {
            continue;
        }
        adapter.window = monitor.window;
        ScreenDevice* screen = AppendScreenDevice(saver, monitor.adapterIndex);
        if (screen == nullptr) {
            break;
        }
        const HRESULT hr = saver.CreateFullScreenDevice(screen);
        if (saver.StartupAbandoned()) {
            ReleaseDeviceOfEndedRun(screen);
            return;
        }
        if (FAILED(hr)) {
            RemoveLastScreenDevice(saver);
            saver.EnterErrorMode(ErrCreateDeviceFailed);
        }
    }
}

void CreateTheWindowedDevice(SaverBase& saver) {
    GetClientRect(saver.mainWindow, &saver.renderTotal);
    saver.renderCurrent = saver.renderTotal;
    DWORD best = 0;
    if (!saver.FindBestAdapter(&best)) {
        saver.EnterErrorMode(ErrCreateDeviceFailed);
        return;
    }
    saver.adapters[best]->window = saver.mainWindow;
    if (saver.errorMode || saver.StartupAbandoned()) {
        return;
    }
    ScreenDevice* screen = AppendScreenDevice(saver, best);
    const HRESULT hr = saver.CreateWindowedDevice(screen);
    if (saver.StartupAbandoned()) {
        ReleaseDeviceOfEndedRun(screen);
        return;
    }
    if (FAILED(hr)) {
        RemoveLastScreenDevice(saver);
        saver.EnterErrorMode(saver.mode == Preview ? ErrNoPreview : ErrCreateDeviceFailed);
    }
}

// A full-screen device may have changed the display mode, and with it the monitors'
// rectangles; full-screen windows follow them and stay on top.
void RefreshMonitorRects(SaverBase& saver) {
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        MonitorRecord& monitor = saver.monitors[i];
        if (monitor.monitorHandle == nullptr) {
            continue;
        }
        MONITORINFO info = {};
        info.cbSize = sizeof(MONITORINFO);
        if (MultiMonitorApi::GetMonitorInfoA(monitor.monitorHandle, &info)) {
            monitor.screenRect = info.rcMonitor;
        }
        if (saver.mode == Full && monitor.window != nullptr) {
            const RECT& r = monitor.screenRect;
            SetWindowPos(monitor.window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOACTIVATE);
        }
    }
}

// The monitor a screen device shows: its own in full screen, the window's otherwise.
HMONITOR MonitorOfScreen(const SaverBase& saver, const ScreenDevice& screen) {
    if (saver.mode == Full) {
        return screen.monitorIndex < saver.monitorCount ? saver.monitors[screen.monitorIndex].monitorHandle
                                                        : nullptr;
    }
    return MultiMonitorApi::MonitorFromWindow(saver.mainWindow, MONITOR_DEFAULTTONEAREST);
}

RECT UnionOfRenderedScreens(const SaverBase& saver) {
    RECT total = {};
    for (DWORD d = 0; d < saver.screenDeviceCount; ++d) {
        const DWORD m = saver.screenDevices[d].monitorIndex;
        if (m < saver.monitorCount) {
            RECT joined;
            UnionRect(&joined, &total, &saver.monitors[m].screenRect);
            total = joined;
        }
    }
    return total;
}

void PrepareScreenDevices(SaverBase& saver) {
    for (DWORD i = 0; i < saver.screenDeviceCount; ++i) {
        if (saver.StartupAbandoned()) {
            return;
        }
        saver.SwitchToScreenDevice(i);
        ScreenDevice& screen = saver.screenDevices[i];
        if (FAILED(saver.CreateDeviceObjects())) {
            saver.EnterErrorMode(ErrDeviceObjectsFailed);
            continue;
        }
        screen.objectsCreated = TRUE;
        if (saver.StartupAbandoned()) {
            return;
        }
        if (FAILED(saver.PrepareStartupObjects())) {
            if (saver.StartupAbandoned()) {
                return;
            }
            saver.EnterErrorMode(ErrDeviceObjectsFailed);
            continue;
        }
        screen.objectsPrepared = TRUE;
    }
    // A host that went while the last objects were prepared ends the run here, even if
    // the application finished its preparation rather than giving up.
    saver.StartupAbandoned();
}

}  // namespace

HRESULT SaverBase::CreateScreenDevices() {
    if (mode == Full) {
        windowed = FALSE;
        CreateFullScreenDevices(*this);
    } else {
        windowed = TRUE;
        CreateTheWindowedDevice(*this);
    }
    RefreshMonitorRects(*this);
    if (mode == Full) {
        renderTotal = UnionOfRenderedScreens(*this);
    }
    // Each screen's texts are made for its own monitor's DPI.
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        screenDevices[i].dpi = UsableDpi(MonitorDpi(MonitorOfScreen(*this, screenDevices[i])));
    }
    if (!errorMode && !StartupAbandoned()) {
        PrepareScreenDevices(*this);
        DescribeDevices();
    }
    mouseMoveCount = 0;
    return S_OK;
}

BOOL SaverBase::FindBestAdapter(DWORD* adapter) {
    uint32_t monitorAdapters[MaxDisplays];
    for (DWORD i = 0; i < monitorCount; ++i) {
        monitorAdapters[i] = monitors[i].adapterIndex;
    }
    AdapterUsability usability[MaxDisplays] = {};
    for (DWORD a = 0; a < adapterCount; ++a) {
        if (adapters[a] != nullptr) {
            usability[a] = AdapterUsability{adapters[a]->hasUsableHardware != FALSE,
                                            adapters[a]->hasUsableSoftware != FALSE};
        }
    }
    uint32_t best = 0;
    if (!FindBestAdapterIndex(monitorAdapters, monitorCount, usability, adapterCount, &best)) {
        return FALSE;
    }
    *adapter = best;
    return TRUE;
}

HRESULT SaverBase::CreateFullScreenDevice(ScreenDevice* screen) {
    const DWORD a = screen->adapterIndex;
    if (a >= adapterCount || adapters[a] == nullptr || adapters[a]->deviceKindCount == 0) {
        return E_FAIL;
    }
    AdapterRecord& adapter = *adapters[a];
    DeviceKindTraits traits[MaxDeviceKinds];
    const DWORD kindIndex = ChooseFullScreenKind(traits, KindTraitsOf(adapter, traits),
                                                 adapter.disableHardware != FALSE, allowReference != FALSE);
    if (kindIndex == NoKindIndex) {
        return ErrNoHardwareDevice;
    }
    adapter.currentKind = kindIndex;
    DeviceKindRecord& kind = adapter.deviceKinds[kindIndex];
    kind.currentMode = FirstFullScreenMode(adapter, kind, useDesktopSettings != 0);

    bool fellBack = false;
    for (;;) {
        // Direct3D is released once the run has ended, even between two modes.
        if (StartupAbandoned()) {
            return E_ABORT;
        }
        FillFullScreenParameters(*screen, adapter, kind, *this);
        screen->device = nullptr;
        HRESULT hr = CreateDeviceHoldingDirect3D(a, kind.deviceType, screen);
        if (SUCCEEDED(hr)) {
            hr = CheckCreatedDevice(screen->device);
            if (SUCCEEDED(hr)) {
                break;
            }
            screen->device->Release();
        }
        screen->device = nullptr;
        fellBack = true;
        if (!StepDownMode(&kind)) {
            return hr;
        }
    }

    if (fellBack && registryPath[0] != '\0') {
        const ModeRecord& mode = kind.modes[kind.currentMode];
        adapter.preferredWidth = mode.width;
        adapter.preferredHeight = mode.height;
        adapter.preferredFormat = mode.format;
        WriteFallbackMode(registryPath, adapter.monitorIndex, mode.width, mode.height, mode.format,
                          adapter.identifier.DeviceIdentifier);
    }
    return S_OK;
}

HRESULT SaverBase::CreateWindowedDevice(ScreenDevice* screen) {
    const DWORD a = screen->adapterIndex;
    if (a >= adapterCount || adapters[a] == nullptr) {
        return E_FAIL;
    }
    AdapterRecord& adapter = *adapters[a];
    DeviceKindTraits traits[MaxDeviceKinds];
    const DWORD kindIndex = ChooseWindowedKind(traits, KindTraitsOf(adapter, traits),
                                               adapter.disableHardware != FALSE, allowReference != FALSE);
    adapter.currentKind = (kindIndex == NoKindIndex) ? NoMode : kindIndex;
    if (kindIndex == NoKindIndex) {
        return ErrNoHardwareDevice;
    }
    const DeviceKindRecord& kind = adapter.deviceKinds[kindIndex];

    // The desktop's own format first, then the back-buffer formats a window can usually
    // be presented from.
    static const D3DFORMAT fallbackFormats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A1R5G5B5,
                                                D3DFMT_R5G6B5};
    WindowedFormatChoice choice = {adapter.desktopMode.Format, adapter.desktopMode.Format, 0, D3DFMT_UNKNOWN};
    HRESULT hr = CheckWindowedFormat(a, &choice);
    for (const D3DFORMAT format : fallbackFormats) {
        if (SUCCEEDED(hr)) {
            break;
        }
        choice.backBufferFormat = format;
        hr = CheckWindowedFormat(a, &choice);
    }
    if (FAILED(hr)) {
        return E_FAIL;
    }

    screen->deviceType = kind.deviceType;
    screen->behaviour = choice.behaviour;
    screen->monitorIndex = adapter.monitorIndex;
    D3DPRESENT_PARAMETERS& params = screen->presentParams;
    params = D3DPRESENT_PARAMETERS{};
    params.BackBufferWidth = 0;  // the window's client size
    params.BackBufferHeight = 0;
    params.BackBufferFormat = choice.backBufferFormat;
    params.BackBufferCount = 1;
    params.MultiSampleType = D3DMULTISAMPLE_NONE;
    params.SwapEffect = windowedSwapEffect;
    params.hDeviceWindow = adapter.window;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = useDepthBuffer;
    params.AutoDepthStencilFormat = choice.depthStencilFormat;
    params.Flags = 0;
    params.FullScreen_RefreshRateInHz = 0;
    params.FullScreen_PresentationInterval = 0;
    screen->device = nullptr;
    hr = CreateDeviceHoldingDirect3D(a, kind.deviceType, screen);
    if (FAILED(hr)) {
        screen->device = nullptr;
    }
    return hr;
}

HRESULT SaverBase::CheckWindowedFormat(UINT adapter, WindowedFormatChoice* choice) {
    if (adapter >= adapterCount || adapters[adapter] == nullptr ||
        adapters[adapter]->currentKind >= adapters[adapter]->deviceKindCount) {
        return E_FAIL;
    }
    const AdapterRecord& record = *adapters[adapter];
    const DeviceKindRecord& kind = record.deviceKinds[record.currentKind];
    HRESULT hr = direct3d->CheckDeviceType(adapter, kind.deviceType, choice->displayFormat,
                                           choice->backBufferFormat, TRUE);
    if (FAILED(hr)) {
        return hr;
    }
    uint32_t choices[MaxVertexProcessingChoices];
    const uint32_t choiceCount = VertexProcessingChoices(kind.caps.DevCaps, choices);
    bool accepted = false;
    for (uint32_t c = 0; c < choiceCount && !accepted; ++c) {
        if (SUCCEEDED(CheckDeviceCaps(&kind.caps, choices[c], choice->backBufferFormat))) {
            choice->behaviour = choices[c];
            accepted = true;
        }
    }
    if (!accepted) {
        return E_FAIL;
    }
    if (multithreaded) {
        choice->behaviour |= D3DCREATE_MULTITHREADED;
    }
    if (useDepthBuffer && !FindDepthStencilFormat(adapter, kind.deviceType, choice->backBufferFormat,
                                                  &choice->depthStencilFormat)) {
        return E_FAIL;
    }
    return S_OK;
}

UINT SaverBase::MonitorDpi(HMONITOR monitor) {
    return QueryMonitorDpi(monitor);
}

void SaverBase::DescribeDevices() {
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        ScreenDevice& screen = screenDevices[i];
        const AdapterRecord* adapter =
            (screen.adapterIndex < adapterCount) ? adapters[screen.adapterIndex] : nullptr;
        const char* name = (adapter != nullptr) ? adapter->identifier.Description : "";
        const size_t capacity = (adapter != nullptr) ? sizeof(adapter->identifier.Description) : 0;
        DescribeScreenDevice(screen.deviceStats, sizeof(screen.deviceStats),
                             static_cast<uint32_t>(screen.deviceType), screen.behaviour, name, capacity);
    }
}

// The run may end inside CreateDevice (the windows hear of lost activation there), and
// its end releases Direct3D: the call holds a reference of its own until it returns. A
// device made all the same holds its own reference to Direct3D. Once the run has ended
// there is no Direct3D to ask.
//
// Every device keeps the x87 unit's precision: otherwise Direct3D sets it to single
// precision, and the 32-bit build, whose doubles live there, would round its clocks and
// every other double to 24 bits from then on.
HRESULT SaverBase::CreateDeviceHoldingDirect3D(UINT adapter, D3DDEVTYPE type, ScreenDevice* screen) {
    if (direct3d == nullptr) {
        return E_ABORT;
    }
    screen->behaviour |= D3DCREATE_FPU_PRESERVE;
    IDirect3D8* const caller = direct3d;
    caller->AddRef();
    const HRESULT hr = caller->CreateDevice(adapter, type, mainWindow, screen->behaviour,
                                            &screen->presentParams, &screen->device);
    caller->Release();
    return hr;
}
