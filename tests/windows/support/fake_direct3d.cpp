#include "support/fake_direct3d.h"

#include <algorithm>
#include <cstring>

#include "support/real_device.h"

FakeDirect3D::FakeDirect3D() : description(), deviceIdentifier() {
    std::strcpy(description, "Invented Graphics 3000");
    deviceIdentifier = GUID{0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
}

FakeDirect3D::~FakeDirect3D() {
    if (real_ != nullptr) {
        real_->Release();
    }
}

HRESULT WINAPI FakeDirect3D::RegisterSoftwareDevice(void*) {
    return S_OK;
}
UINT WINAPI FakeDirect3D::GetAdapterCount() {
    return static_cast<UINT>(desktopModes.size());
}

HRESULT WINAPI FakeDirect3D::GetAdapterIdentifier(UINT, DWORD, D3DADAPTER_IDENTIFIER8* identifier) {
    std::memset(identifier, 0, sizeof(*identifier));
    std::memcpy(identifier->Description, description, sizeof(identifier->Description));
    identifier->DeviceIdentifier = deviceIdentifier;
    return S_OK;
}

UINT WINAPI FakeDirect3D::GetAdapterModeCount(UINT) {
    return static_cast<UINT>(modes.size());
}

HRESULT WINAPI FakeDirect3D::EnumAdapterModes(UINT, UINT mode, D3DDISPLAYMODE* displayMode) {
    if (mode >= modes.size()) {
        return D3DERR_INVALIDCALL;
    }
    *displayMode = modes[mode];
    return S_OK;
}

HRESULT WINAPI FakeDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    if (adapter >= desktopModes.size()) {
        return D3DERR_INVALIDCALL;
    }
    *displayMode = desktopModes[adapter];
    return S_OK;
}

HRESULT WINAPI FakeDirect3D::CheckDeviceType(UINT, D3DDEVTYPE type, D3DFORMAT, D3DFORMAT, WINBOOL) {
    return (type == D3DDEVTYPE_HAL && halAvailable) ? S_OK : D3DERR_NOTAVAILABLE;
}

HRESULT WINAPI FakeDirect3D::CheckDeviceFormat(UINT, D3DDEVTYPE, D3DFORMAT adapterFormat, DWORD,
                                               D3DRESOURCETYPE type, D3DFORMAT format) {
    formatChecks.push_back({adapterFormat, type, format});
    const bool accepted = acceptedFormats.empty() || std::find(acceptedFormats.begin(), acceptedFormats.end(),
                                                               format) != acceptedFormats.end();
    return accepted ? S_OK : D3DERR_NOTAVAILABLE;
}

HRESULT WINAPI FakeDirect3D::CheckDeviceMultiSampleType(UINT, D3DDEVTYPE, D3DFORMAT, WINBOOL,
                                                        D3DMULTISAMPLE_TYPE) {
    return D3DERR_NOTAVAILABLE;
}

HRESULT WINAPI FakeDirect3D::CheckDepthStencilMatch(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) {
    return S_OK;
}

HRESULT WINAPI FakeDirect3D::GetDeviceCaps(UINT, D3DDEVTYPE, D3DCAPS8* caps) {
    std::memset(caps, 0, sizeof(*caps));
    caps->Caps2 = D3DCAPS2_CANRENDERWINDOWED;
    caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    return S_OK;
}

HMONITOR WINAPI FakeDirect3D::GetAdapterMonitor(UINT) {
    const POINT origin = {0, 0};
    return MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
}

HRESULT WINAPI FakeDirect3D::CreateDevice(UINT, D3DDEVTYPE, HWND focusWindow, DWORD behaviour,
                                          D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) {
    *device = nullptr;
    creationRequests.push_back(*parameters);
    creationBehaviours.push_back(behaviour);
    if (creationPolicy) {
        const HRESULT hr = creationPolicy(*parameters);
        releasedInsideCreateDevice = releasedInsideCreateDevice || references <= 1;
        if (FAILED(hr)) {
            return hr;
        }
    }
    if (real_ == nullptr) {
        real_ = CreateRealDirect3D();
        if (real_ == nullptr) {
            return D3DERR_NOTAVAILABLE;
        }
    }
    D3DPRESENT_PARAMETERS windowed = {};
    windowed.BackBufferFormat = D3DFMT_UNKNOWN;
    windowed.BackBufferCount = 1;
    windowed.SwapEffect = D3DSWAPEFFECT_COPY;
    windowed.hDeviceWindow = parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : focusWindow;
    windowed.Windowed = TRUE;
    const HRESULT hr = real_->CreateDevice(
        D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, focusWindow,
        D3DCREATE_SOFTWARE_VERTEXPROCESSING | (behaviour & D3DCREATE_FPU_PRESERVE), &windowed, device);
    if (SUCCEEDED(hr) && deviceMade) {
        deviceMade(*device);
    }
    return hr;
}
