#pragma once

#include <windows.h>
#include <d3d8.h>

#include <functional>
#include <vector>

#include "support/d3d8_stubs.h"

// The fake Direct3D object: invented adapters whose modes, name, texture formats and
// refused device creations are up to the test. Devices it agrees to create are
// real windowed devices of the real Direct3D on the focus window, so the framework can
// use them as usual. The test owns the object; Release never deletes it.
class FakeDirect3D final : public StubDirect3D8 {
public:
    FakeDirect3D();
    ~FakeDirect3D();

    // What the adapters offer: one adapter per desktop mode, the same modes on each.
    std::vector<D3DDISPLAYMODE> modes;
    std::vector<D3DDISPLAYMODE> desktopModes = {{1024, 768, 60, D3DFMT_X8R8G8B8}};
    char description[MAX_DEVICE_IDENTIFIER_STRING];
    GUID deviceIdentifier;
    bool halAvailable = true;

    // Answers CreateDevice for the parameters asked for: a failure refuses the mode.
    std::function<HRESULT(const D3DPRESENT_PARAMETERS&)> creationPolicy;
    // Every CreateDevice request, in order, and its behaviour flags.
    std::vector<D3DPRESENT_PARAMETERS> creationRequests;
    std::vector<DWORD> creationBehaviours;
    // A CreateDevice that went on after its caller had given back its last reference (the
    // test keeps one of its own): a real Direct3D object would have been freed under it.
    bool releasedInsideCreateDevice = false;
    // Shown every device made, before the caller gets it.
    std::function<void(IDirect3DDevice8*)> deviceMade;

    // Texture formats CheckDeviceFormat accepts (empty: every one), and every format asked.
    struct FormatCheck {
        D3DFORMAT adapterFormat;
        D3DRESOURCETYPE type;
        D3DFORMAT format;
    };
    std::vector<D3DFORMAT> acceptedFormats;
    std::vector<FormatCheck> formatChecks;

    HRESULT WINAPI RegisterSoftwareDevice(void* initializeFunction) override;
    UINT WINAPI GetAdapterCount() override;
    HRESULT WINAPI GetAdapterIdentifier(UINT adapter, DWORD flags,
                                        D3DADAPTER_IDENTIFIER8* identifier) override;
    UINT WINAPI GetAdapterModeCount(UINT adapter) override;
    HRESULT WINAPI EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode) override;
    HRESULT WINAPI GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
    HRESULT WINAPI CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                   D3DFORMAT backBufferFormat, WINBOOL windowed) override;
    HRESULT WINAPI CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                     D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
    HRESULT WINAPI CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat,
                                              WINBOOL windowed, D3DMULTISAMPLE_TYPE multiSampleType) override;
    HRESULT WINAPI CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                          D3DFORMAT renderTargetFormat,
                                          D3DFORMAT depthStencilFormat) override;
    HRESULT WINAPI GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override;
    HMONITOR WINAPI GetAdapterMonitor(UINT adapter) override;
    HRESULT WINAPI CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                                D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override;

private:
    IDirect3D8* real_ = nullptr;
};
