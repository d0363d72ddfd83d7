#pragma once

// Test doubles of the Direct3D 8 object, device and texture, for what a real device will not
// show on demand (failing creation or locking). Every method fails with E_NOTIMPL or
// returns zero unless a test overrides it; reference counts are counted, never freed,
// so a test owns its fakes on the stack and checks that the counts come back.

#include <windows.h>
#include <d3d8.h>

class FakeDirect3D8 : public IDirect3D8 {
  public:
    virtual ~FakeDirect3D8() = default;
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(RegisterSoftwareDevice)(void*) override { return E_NOTIMPL; }
    STDMETHOD_(UINT, GetAdapterCount)() override { return 0; }
    STDMETHOD(GetAdapterIdentifier)(UINT, DWORD, D3DADAPTER_IDENTIFIER8*) override { return E_NOTIMPL; }
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT) override { return 0; }
    STDMETHOD(EnumAdapterModes)(UINT, UINT, D3DDISPLAYMODE*) override { return E_NOTIMPL; }
    STDMETHOD(GetAdapterDisplayMode)(UINT, D3DDISPLAYMODE*) override { return E_NOTIMPL; }
    STDMETHOD(CheckDeviceType)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, WINBOOL) override { return E_NOTIMPL; }
    STDMETHOD(CheckDeviceFormat)(UINT, D3DDEVTYPE, D3DFORMAT, DWORD, D3DRESOURCETYPE, D3DFORMAT) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CheckDeviceMultiSampleType)
    (UINT, D3DDEVTYPE, D3DFORMAT, WINBOOL, D3DMULTISAMPLE_TYPE) override { return E_NOTIMPL; }
    STDMETHOD(CheckDepthStencilMatch)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) override {
        return E_NOTIMPL;
    }
    STDMETHOD(GetDeviceCaps)(UINT, D3DDEVTYPE, D3DCAPS8*) override { return E_NOTIMPL; }
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT) override { return 0; }
    STDMETHOD(CreateDevice)
    (UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*, IDirect3DDevice8**) override { return E_NOTIMPL; }
};

class FakeDevice8 : public IDirect3DDevice8 {
  public:
    virtual ~FakeDevice8() = default;
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(TestCooperativeLevel)() override { return E_NOTIMPL; }
    STDMETHOD_(UINT, GetAvailableTextureMem)() override { return 0; }
    STDMETHOD(ResourceManagerDiscardBytes)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetDirect3D)(IDirect3D8**) override { return E_NOTIMPL; }
    STDMETHOD(GetDeviceCaps)(D3DCAPS8*) override { return E_NOTIMPL; }
    STDMETHOD(GetDisplayMode)(D3DDISPLAYMODE*) override { return E_NOTIMPL; }
    STDMETHOD(GetCreationParameters)(D3DDEVICE_CREATION_PARAMETERS*) override { return E_NOTIMPL; }
    STDMETHOD(SetCursorProperties)(UINT, UINT, IDirect3DSurface8*) override { return E_NOTIMPL; }
    STDMETHOD_(void, SetCursorPosition)(UINT, UINT, DWORD) override {}
    STDMETHOD_(WINBOOL, ShowCursor)(WINBOOL) override { return 0; }
    STDMETHOD(CreateAdditionalSwapChain)(D3DPRESENT_PARAMETERS*, IDirect3DSwapChain8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(Reset)(D3DPRESENT_PARAMETERS*) override { return E_NOTIMPL; }
    STDMETHOD(Present)(const RECT*, const RECT*, HWND, const RGNDATA*) override { return E_NOTIMPL; }
    STDMETHOD(GetBackBuffer)(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(GetRasterStatus)(D3DRASTER_STATUS*) override { return E_NOTIMPL; }
    STDMETHOD_(void, SetGammaRamp)(DWORD, const D3DGAMMARAMP*) override {}
    STDMETHOD_(void, GetGammaRamp)(D3DGAMMARAMP*) override {}
    STDMETHOD(CreateTexture)(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateVolumeTexture)
    (UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DVolumeTexture8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateCubeTexture)(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DCubeTexture8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateVertexBuffer)(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateIndexBuffer)(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer8**) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateRenderTarget)
    (UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, WINBOOL, IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(CreateDepthStencilSurface)
    (UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(CreateImageSurface)(UINT, UINT, D3DFORMAT, IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(CopyRects)(IDirect3DSurface8*, const RECT*, UINT, IDirect3DSurface8*, const POINT*) override {
        return E_NOTIMPL;
    }
    STDMETHOD(UpdateTexture)(IDirect3DBaseTexture8*, IDirect3DBaseTexture8*) override { return E_NOTIMPL; }
    STDMETHOD(GetFrontBuffer)(IDirect3DSurface8*) override { return E_NOTIMPL; }
    STDMETHOD(SetRenderTarget)(IDirect3DSurface8*, IDirect3DSurface8*) override { return E_NOTIMPL; }
    STDMETHOD(GetRenderTarget)(IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(GetDepthStencilSurface)(IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(BeginScene)() override { return E_NOTIMPL; }
    STDMETHOD(EndScene)() override { return E_NOTIMPL; }
    STDMETHOD(Clear)(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetTransform)(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return E_NOTIMPL; }
    STDMETHOD(GetTransform)(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override { return E_NOTIMPL; }
    STDMETHOD(MultiplyTransform)(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return E_NOTIMPL; }
    STDMETHOD(SetViewport)(const D3DVIEWPORT8*) override { return E_NOTIMPL; }
    STDMETHOD(GetViewport)(D3DVIEWPORT8*) override { return E_NOTIMPL; }
    STDMETHOD(SetMaterial)(const D3DMATERIAL8*) override { return E_NOTIMPL; }
    STDMETHOD(GetMaterial)(D3DMATERIAL8*) override { return E_NOTIMPL; }
    STDMETHOD(SetLight)(DWORD, const D3DLIGHT8*) override { return E_NOTIMPL; }
    STDMETHOD(GetLight)(DWORD, D3DLIGHT8*) override { return E_NOTIMPL; }
    STDMETHOD(LightEnable)(DWORD, WINBOOL) override { return E_NOTIMPL; }
    STDMETHOD(GetLightEnable)(DWORD, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHOD(SetClipPlane)(DWORD, const float*) override { return E_NOTIMPL; }
    STDMETHOD(GetClipPlane)(DWORD, float*) override { return E_NOTIMPL; }
    STDMETHOD(SetRenderState)(D3DRENDERSTATETYPE, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetRenderState)(D3DRENDERSTATETYPE, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(BeginStateBlock)() override { return E_NOTIMPL; }
    STDMETHOD(EndStateBlock)(DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(ApplyStateBlock)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(CaptureStateBlock)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(DeleteStateBlock)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(CreateStateBlock)(D3DSTATEBLOCKTYPE, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(SetClipStatus)(const D3DCLIPSTATUS8*) override { return E_NOTIMPL; }
    STDMETHOD(GetClipStatus)(D3DCLIPSTATUS8*) override { return E_NOTIMPL; }
    STDMETHOD(GetTexture)(DWORD, IDirect3DBaseTexture8**) override { return E_NOTIMPL; }
    STDMETHOD(SetTexture)(DWORD, IDirect3DBaseTexture8*) override { return E_NOTIMPL; }
    STDMETHOD(GetTextureStageState)(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(SetTextureStageState)(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(ValidateDevice)(DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(GetInfo)(DWORD, void*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetPaletteEntries)(UINT, const PALETTEENTRY*) override { return E_NOTIMPL; }
    STDMETHOD(GetPaletteEntries)(UINT, PALETTEENTRY*) override { return E_NOTIMPL; }
    STDMETHOD(SetCurrentTexturePalette)(UINT) override { return E_NOTIMPL; }
    STDMETHOD(GetCurrentTexturePalette)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(DrawPrimitive)(D3DPRIMITIVETYPE, UINT, UINT) override { return E_NOTIMPL; }
    STDMETHOD(DrawIndexedPrimitive)(D3DPRIMITIVETYPE, UINT, UINT, UINT, UINT) override { return E_NOTIMPL; }
    STDMETHOD(DrawPrimitiveUP)(D3DPRIMITIVETYPE, UINT, const void*, UINT) override { return E_NOTIMPL; }
    STDMETHOD(DrawIndexedPrimitiveUP)
    (D3DPRIMITIVETYPE, UINT, UINT, UINT, const void*, D3DFORMAT, const void*, UINT) override {
        return E_NOTIMPL;
    }
    STDMETHOD(ProcessVertices)(UINT, UINT, UINT, IDirect3DVertexBuffer8*, DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHOD(CreateVertexShader)(const DWORD*, const DWORD*, DWORD*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetVertexShader)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetVertexShader)(DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(DeleteVertexShader)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetVertexShaderConstant)(DWORD, const void*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetVertexShaderConstant)(DWORD, void*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetVertexShaderDeclaration)(DWORD, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(GetVertexShaderFunction)(DWORD, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(SetStreamSource)(UINT, IDirect3DVertexBuffer8*, UINT) override { return E_NOTIMPL; }
    STDMETHOD(GetStreamSource)(UINT, IDirect3DVertexBuffer8**, UINT*) override { return E_NOTIMPL; }
    STDMETHOD(SetIndices)(IDirect3DIndexBuffer8*, UINT) override { return E_NOTIMPL; }
    STDMETHOD(GetIndices)(IDirect3DIndexBuffer8**, UINT*) override { return E_NOTIMPL; }
    STDMETHOD(CreatePixelShader)(const DWORD*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(SetPixelShader)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetPixelShader)(DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(DeletePixelShader)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetPixelShaderConstant)(DWORD, const void*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetPixelShaderConstant)(DWORD, void*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetPixelShaderFunction)(DWORD, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(DrawRectPatch)(UINT, const float*, const D3DRECTPATCH_INFO*) override { return E_NOTIMPL; }
    STDMETHOD(DrawTriPatch)(UINT, const float*, const D3DTRIPATCH_INFO*) override { return E_NOTIMPL; }
    STDMETHOD(DeletePatch)(UINT) override { return E_NOTIMPL; }
};

class FakeTexture8 : public IDirect3DTexture8 {
  public:
    virtual ~FakeTexture8() = default;
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(GetDevice)(IDirect3DDevice8**) override { return E_NOTIMPL; }
    STDMETHOD(SetPrivateData)(REFGUID, const void*, DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetPrivateData)(REFGUID, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(FreePrivateData)(REFGUID) override { return E_NOTIMPL; }
    STDMETHOD_(DWORD, SetPriority)(DWORD) override { return 0; }
    STDMETHOD_(DWORD, GetPriority)() override { return 0; }
    STDMETHOD_(void, PreLoad)() override {}
    STDMETHOD_(D3DRESOURCETYPE, GetType)() override { return D3DRTYPE_TEXTURE; }
    STDMETHOD_(DWORD, SetLOD)(DWORD) override { return 0; }
    STDMETHOD_(DWORD, GetLOD)() override { return 0; }
    STDMETHOD_(DWORD, GetLevelCount)() override { return 0; }
    STDMETHOD(GetLevelDesc)(UINT, D3DSURFACE_DESC*) override { return E_NOTIMPL; }
    STDMETHOD(GetSurfaceLevel)(UINT, IDirect3DSurface8**) override { return E_NOTIMPL; }
    STDMETHOD(LockRect)(UINT, D3DLOCKED_RECT*, const RECT*, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(UnlockRect)(UINT) override { return E_NOTIMPL; }
    STDMETHOD(AddDirtyRect)(const RECT*) override { return E_NOTIMPL; }
};
