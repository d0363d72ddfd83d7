#pragma once

#include <windows.h>
#include <d3d8.h>

#include "framework/reset_retry.h"

constexpr DWORD MaxDeviceKinds = 3;
constexpr DWORD MaxModesPerKind = 150;
constexpr DWORD NoMode = 0xFFFF;

// A full-screen display mode a device kind can use.
struct ModeRecord {
    DWORD width;
    DWORD height;
    D3DFORMAT format;
    DWORD behaviour;  // D3DCREATE_ flags for CreateDevice
    D3DFORMAT depthStencilFormat;
};

// One device type (HAL, SW or REF) of an adapter with its usable modes.
struct DeviceKindRecord {
    D3DDEVTYPE deviceType;
    D3DCAPS8 caps;
    const char* kindName;  // "HAL", "SW" or "REF"
    BOOL canRenderWindowed;
    DWORD modeCount;
    ModeRecord modes[MaxModesPerKind];
    DWORD currentMode;  // NoMode during selection
    BOOL windowedDefault;
    D3DMULTISAMPLE_TYPE multisampleType;
};

// One Direct3D adapter: what it can do and what the user chose for its monitor.
struct AdapterRecord {
    DWORD monitorIndex;  // its MonitorRecord, or 0xFFFFFFFF
    D3DADAPTER_IDENTIFIER8 identifier;
    D3DDISPLAYMODE desktopMode;
    // desktopMode's refresh rate where the adapter's mode list reports it for the
    // desktop's size and format; 0 otherwise.
    UINT desktopRefreshRate;
    DWORD deviceKindCount;
    DeviceKindRecord deviceKinds[MaxDeviceKinds];
    BOOL hasHardware;
    BOOL hasUsableHardware;
    BOOL hasSoftware;
    BOOL hasUsableSoftware;
    DWORD preferredWidth;  // 0: automatic
    DWORD preferredHeight;
    D3DFORMAT preferredFormat;
    BOOL leaveBlack;
    BOOL disableHardware;
    DWORD currentKind;  // NoMode when none
    HWND window;        // the window the device presents to
};

// A created device and the screen it renders.
struct ScreenDevice {
    DWORD adapterIndex;
    DWORD monitorIndex;
    D3DDEVTYPE deviceType;
    DWORD behaviour;
    IDirect3DDevice8* device;  // owned
    D3DPRESENT_PARAMETERS presentParams;
    BOOL objectsCreated;
    BOOL objectsPrepared;
    UINT dpi;               // of its monitor, as its texts are laid out (UsableDpi of the system's answer)
    ResetRetry resetRetry;  // failed resets since the device was lost
    char deviceStats[90];
    char frameStats[40];
};

// The formats and behaviour a windowed device would be created with.
struct WindowedFormatChoice {
    D3DFORMAT displayFormat;
    D3DFORMAT backBufferFormat;
    DWORD behaviour;
    D3DFORMAT depthStencilFormat;
};
