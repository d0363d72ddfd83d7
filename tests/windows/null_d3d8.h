#pragma once

#include <windows.h>
#include <d3d8.h>

// Test doubles of Direct3D 8 interfaces: every operation succeeds and does nothing, and
// every query or creation answers E_NOTIMPL. Fakes derive from these and override what
// their test looks at. Reference counting is left to the derived class.

class NullDirect3DDevice8 : public IDirect3DDevice8 {
public:
    virtual ~NullDirect3DDevice8() = default;
    STDMETHOD_(HRESULT, TestCooperativeLevel)() override { return D3D_OK; }
    STDMETHOD_(UINT, GetAvailableTextureMem)() override { return 0; }
    STDMETHOD_(HRESULT, ResourceManagerDiscardBytes)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetDirect3D)(IDirect3D8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetDeviceCaps)(D3DCAPS8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetDisplayMode)(D3DDISPLAYMODE *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetCreationParameters)(D3DDEVICE_CREATION_PARAMETERS *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetCursorProperties)(UINT, UINT, IDirect3DSurface8 *) override { return D3D_OK; }
    STDMETHOD_(void, SetCursorPosition)(UINT, UINT, DWORD) override {}
    STDMETHOD_(WINBOOL, ShowCursor)(WINBOOL) override { return 0; }
    STDMETHOD_(HRESULT, CreateAdditionalSwapChain)(D3DPRESENT_PARAMETERS *, IDirect3DSwapChain8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, Reset)(D3DPRESENT_PARAMETERS *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, Present)(const RECT *, const RECT *, HWND, const RGNDATA *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetBackBuffer)(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetRasterStatus)(D3DRASTER_STATUS *) override { return E_NOTIMPL; }
    STDMETHOD_(void, SetGammaRamp)(DWORD, const D3DGAMMARAMP *) override {}
    STDMETHOD_(void, GetGammaRamp)(D3DGAMMARAMP *) override {}
    STDMETHOD_(HRESULT, CreateTexture)(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateVolumeTexture)(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DVolumeTexture8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateCubeTexture)(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DCubeTexture8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateVertexBuffer)(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateIndexBuffer)(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateRenderTarget)(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, WINBOOL, IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateDepthStencilSurface)(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreateImageSurface)(UINT, UINT, D3DFORMAT, IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CopyRects)(IDirect3DSurface8 *, const RECT *, UINT, IDirect3DSurface8 *, const POINT *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, UpdateTexture)(IDirect3DBaseTexture8 *, IDirect3DBaseTexture8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetFrontBuffer)(IDirect3DSurface8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetRenderTarget)(IDirect3DSurface8 *, IDirect3DSurface8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetRenderTarget)(IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetDepthStencilSurface)(IDirect3DSurface8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, BeginScene)() override { return D3D_OK; }
    STDMETHOD_(HRESULT, EndScene)() override { return D3D_OK; }
    STDMETHOD_(HRESULT, Clear)(DWORD, const D3DRECT *, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, SetTransform)(D3DTRANSFORMSTATETYPE, const D3DMATRIX *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetTransform)(D3DTRANSFORMSTATETYPE, D3DMATRIX *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, MultiplyTransform)(D3DTRANSFORMSTATETYPE, const D3DMATRIX *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, SetViewport)(const D3DVIEWPORT8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetViewport)(D3DVIEWPORT8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetMaterial)(const D3DMATERIAL8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetMaterial)(D3DMATERIAL8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetLight)(DWORD, const D3DLIGHT8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetLight)(DWORD, D3DLIGHT8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, LightEnable)(DWORD, WINBOOL) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetLightEnable)(DWORD, WINBOOL *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetClipPlane)(DWORD, const float *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetClipPlane)(DWORD, float *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetRenderState)(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetRenderState)(D3DRENDERSTATETYPE, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, BeginStateBlock)() override { return D3D_OK; }
    STDMETHOD_(HRESULT, EndStateBlock)(DWORD *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, ApplyStateBlock)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, CaptureStateBlock)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DeleteStateBlock)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, CreateStateBlock)(D3DSTATEBLOCKTYPE, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetClipStatus)(const D3DCLIPSTATUS8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetClipStatus)(D3DCLIPSTATUS8 *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetTexture)(DWORD, IDirect3DBaseTexture8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetTexture)(DWORD, IDirect3DBaseTexture8 *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetTextureStageState)(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetTextureStageState)(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, ValidateDevice)(DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetInfo)(DWORD, void *, DWORD) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetPaletteEntries)(UINT, const PALETTEENTRY *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetPaletteEntries)(UINT, PALETTEENTRY *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetCurrentTexturePalette)(UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetCurrentTexturePalette)(UINT *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, DrawPrimitive)(D3DPRIMITIVETYPE, UINT, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DrawIndexedPrimitive)(D3DPRIMITIVETYPE, UINT, UINT, UINT, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DrawPrimitiveUP)(D3DPRIMITIVETYPE, UINT, const void *, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DrawIndexedPrimitiveUP)(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void *, D3DFORMAT, const void *, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, ProcessVertices)(UINT, UINT, UINT, IDirect3DVertexBuffer8 *, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, CreateVertexShader)(const DWORD *, const DWORD *, DWORD *, DWORD) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetVertexShader)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetVertexShader)(DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, DeleteVertexShader)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, SetVertexShaderConstant)(DWORD, const void *, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetVertexShaderConstant)(DWORD, void *, DWORD) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetVertexShaderDeclaration)(DWORD, void *, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetVertexShaderFunction)(DWORD, void *, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetStreamSource)(UINT, IDirect3DVertexBuffer8 *, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetStreamSource)(UINT, IDirect3DVertexBuffer8 **, UINT *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetIndices)(IDirect3DIndexBuffer8 *, UINT) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetIndices)(IDirect3DIndexBuffer8 **, UINT *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, CreatePixelShader)(const DWORD *, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetPixelShader)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetPixelShader)(DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, DeletePixelShader)(DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, SetPixelShaderConstant)(DWORD, const void *, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetPixelShaderConstant)(DWORD, void *, DWORD) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, GetPixelShaderFunction)(DWORD, void *, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, DrawRectPatch)(UINT, const float *, const D3DRECTPATCH_INFO *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DrawTriPatch)(UINT, const float *, const D3DTRIPATCH_INFO *) override { return D3D_OK; }
    STDMETHOD_(HRESULT, DeletePatch)(UINT) override { return D3D_OK; }
};

class NullDirect3DVertexBuffer8 : public IDirect3DVertexBuffer8 {
public:
    virtual ~NullDirect3DVertexBuffer8() = default;
    STDMETHOD_(HRESULT, GetDevice)(struct IDirect3DDevice8 **) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, SetPrivateData)(REFGUID, const void *, DWORD, DWORD) override { return D3D_OK; }
    STDMETHOD_(HRESULT, GetPrivateData)(REFGUID, void *, DWORD *) override { return E_NOTIMPL; }
    STDMETHOD_(HRESULT, FreePrivateData)(REFGUID) override { return D3D_OK; }
    STDMETHOD_(DWORD, SetPriority)(DWORD) override { return 0; }
    STDMETHOD_(DWORD, GetPriority)() override { return 0; }
    STDMETHOD_(void, PreLoad)() override {}
    STDMETHOD_(D3DRESOURCETYPE, GetType)() override { return D3DRTYPE_VERTEXBUFFER; }
    STDMETHOD_(HRESULT, GetDesc)(D3DVERTEXBUFFER_DESC *) override { return E_NOTIMPL; }
};
