#pragma once

// A Direct3D 8 device that does nothing: every call fails with D3DERR_INVALIDCALL (or
// returns 0) unless a test overrides it. Tests derive from it and record or script only
// the calls they care about. The reference count is real.

#include <windows.h>
#include <d3d8.h>

class StubDirect3DDevice8 : public IDirect3DDevice8 {
  public:
    virtual ~StubDirect3DDevice8() = default;

    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override { return D3DERR_INVALIDCALL; }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override { return 0; }
    HRESULT STDMETHODCALLTYPE ResourceManagerDiscardBytes(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8**) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT, UINT, IDirect3DSurface8*) override {
        return D3DERR_INVALIDCALL;
    }
    void STDMETHODCALLTYPE SetCursorPosition(UINT, UINT, DWORD) override {}
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL) override { return 0; }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS*,
                                                        IDirect3DSwapChain8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE Present(const RECT*, const RECT*, HWND, const RGNDATA*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(D3DRASTER_STATUS*) override { return D3DERR_INVALIDCALL; }
    void STDMETHODCALLTYPE SetGammaRamp(DWORD, const D3DGAMMARAMP*) override {}
    void STDMETHODCALLTYPE GetGammaRamp(D3DGAMMARAMP*) override {}
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                            IDirect3DTexture8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                                  IDirect3DVolumeTexture8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                                IDirect3DCubeTexture8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL,
                                                 IDirect3DVertexBuffer8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL,
                                                IDirect3DIndexBuffer8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, WINBOOL,
                                                 IDirect3DSurface8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE,
                                                        IDirect3DSurface8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateImageSurface(UINT, UINT, D3DFORMAT, IDirect3DSurface8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CopyRects(IDirect3DSurface8*, const RECT*, UINT, IDirect3DSurface8*,
                                        const POINT*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8*, IDirect3DBaseTexture8*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetFrontBuffer(IDirect3DSurface8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8*, IDirect3DSurface8*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(IDirect3DSurface8**) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE BeginScene() override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE EndScene() override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD, const D3DLIGHT8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD, D3DLIGHT8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD, WINBOOL) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD, WINBOOL*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD, const float*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD, float*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS8*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD, IDirect3DBaseTexture8**) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD, IDirect3DBaseTexture8*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD, void*, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT, const PALETTEENTRY*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT, PALETTEENTRY*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE, UINT, UINT, UINT, UINT) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void*,
                                                     D3DFORMAT, const void*, UINT) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT, UINT, UINT, IDirect3DVertexBuffer8*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD*, const DWORD*, DWORD*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DeleteVertexShader(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstant(DWORD, const void*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstant(DWORD, void*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderDeclaration(DWORD, void*, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderFunction(DWORD, void*, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT, IDirect3DVertexBuffer8*, UINT) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT, IDirect3DVertexBuffer8**, UINT*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer8*, UINT) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer8**, UINT*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD*, DWORD*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetPixelShader(DWORD*) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DeletePixelShader(DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstant(DWORD, const void*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstant(DWORD, void*, DWORD) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderFunction(DWORD, void*, DWORD*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT, const float*, const D3DRECTPATCH_INFO*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT, const float*, const D3DTRIPATCH_INFO*) override {
        return D3DERR_INVALIDCALL;
    }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT) override { return D3DERR_INVALIDCALL; }
};
