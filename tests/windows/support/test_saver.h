#pragma once

#include <windows.h>
#include <d3d8.h>

#include <map>
#include <vector>

#include "framework/win32/saver_base.h"

// A saver for tests: counts every application hook, lets a test start it with a command
// line of its choice, answer device preparation with a chosen result, stand a fake
// Direct3D in for the real one, and give monitors DPIs of its choice.
class TestSaver : public SaverBase {
public:
    explicit TestSaver(IDirect3D8* direct3dStandIn = nullptr) : standIn_(direct3dStandIn) {}

    int settingsLoads = 0;
    int created = 0;
    int prepared = 0;
    int released = 0;
    int destroyed = 0;
    int frames = 0;
    int rendered = 0;
    int cleanups = 0;
    int displayTurnedOff = 0;
    int displayTurnedOn = 0;
    HRESULT preparation = S_OK;       // what PrepareDeviceObjects answers
    bool quitWhilePreparing = false;  // PrepareDeviceObjects posts a quit, as a failed music start does
    // What MonitorDpi answers for a monitor; others are asked of the system. Every monitor
    // asked about, in order.
    std::map<HMONITOR, UINT> monitorDpis;
    std::vector<HMONITOR> dpiQueries;
    // Set: the system's display devices, none with a monitor, instead of Wine's.
    std::vector<DISPLAY_DEVICEA> displayDevices;
    // Set: PrepareDeviceObjects signals it, then works until a preview's host has gone
    // (at most 5 s) and gives up, as the application does.
    HANDLE preparingUntilHostGoes = nullptr;
    bool endedWhilePreparing = false;

    void LoadSettings() override { ++settingsLoads; }
    HRESULT CreateDeviceObjects() override {
        ++created;
        return S_OK;
    }
    HRESULT PrepareDeviceObjects() override {
        ++prepared;
        if (preparingUntilHostGoes != nullptr) {
            SetEvent(preparingUntilHostGoes);
            const DWORD start = GetTickCount();
            while (!PreviewHostGoneWhilePreparing() && GetTickCount() - start < 5000) {
                Sleep(10);
            }
            endedWhilePreparing = Ended();
            return E_ABORT;
        }
        if (quitWhilePreparing) {
            PostQuitMessage(0);
        }
        return preparation;
    }
    HRESULT ReleaseDeviceObjects() override {
        ++released;
        return S_OK;
    }
    HRESULT DestroyDeviceObjects() override {
        ++destroyed;
        return S_OK;
    }
    HRESULT AdvanceFrame() override {
        ++frames;
        return S_OK;
    }
    // Clears to blue, so a screenshot tells a rendered frame from an empty window.
    HRESULT RenderFrame() override {
        ++rendered;
        if (activeDevice != nullptr) {
            activeDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(0, 0, 255),
                                1.0f, 0);
        }
        return S_OK;
    }
    HRESULT CleanupOnce() override {
        ++cleanups;
        return S_OK;
    }
    void DisplayTurnedOff() override { ++displayTurnedOff; }
    void DisplayTurnedOn() override { ++displayTurnedOn; }

    HRESULT Start(const char* commandLine) {
        return StartupWithCommandLine(GetModuleHandleA(nullptr), commandLine);
    }

    bool Ended() const { return cleanups > 0; }

    // Destroys every window the run created, as the end of the process would.
    void DestroyWindows() {
        for (DWORD i = 0; i < monitorCount; ++i) {
            if (monitors[i].window != nullptr && IsWindow(monitors[i].window)) {
                DestroyWindow(monitors[i].window);
            }
            monitors[i].window = nullptr;
        }
        mainWindow = nullptr;
    }

protected:
    UINT MonitorDpi(HMONITOR monitor) override {
        dpiQueries.push_back(monitor);
        const auto answer = monitorDpis.find(monitor);
        return answer != monitorDpis.end() ? answer->second : SaverBase::MonitorDpi(monitor);
    }
    BOOL EnumDisplayDevice(const char* deviceName, DWORD index, DISPLAY_DEVICEA* device) override {
        if (displayDevices.empty()) {
            return SaverBase::EnumDisplayDevice(deviceName, index, device);
        }
        if (deviceName != nullptr || index >= displayDevices.size()) {
            return FALSE;
        }
        *device = displayDevices[index];
        return TRUE;
    }
    IDirect3D8* CreateDirect3D() override {
        if (standIn_ == nullptr) {
            return SaverBase::CreateDirect3D();
        }
        standIn_->AddRef();
        return standIn_;
    }

private:
    IDirect3D8* standIn_;
};

// Dispatches everything waiting in the thread's queue; true when a WM_QUIT was among it.
inline bool PumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}
