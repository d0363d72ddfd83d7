#pragma once

// Do-nothing implementations of the Direct3D 8 interfaces, the one base of every test
// double: every method fails with E_NOTIMPL (or returns 0, or nothing) until a double
// overrides it, so a double states each answer its test relies on. They count
// references but never delete themselves; the test owns them and can check that every
// reference was given back.

#include <windows.h>
#include <d3d8.h>

template <typename Interface>
class CountedUnknown : public Interface {
public:
    virtual ~CountedUnknown() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID /*riid*/, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
};

class StubDirect3D8 : public CountedUnknown<IDirect3D8> {
public:
    HRESULT STDMETHODCALLTYPE RegisterSoftwareDevice(void* /*initializeFunction*/) override {
        return E_NOTIMPL;
    }
    UINT STDMETHODCALLTYPE GetAdapterCount() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetAdapterIdentifier(UINT /*adapter*/, DWORD /*flags*/,
                                                   D3DADAPTER_IDENTIFIER8* /*identifier*/) override {
        return E_NOTIMPL;
    }
    UINT STDMETHODCALLTYPE GetAdapterModeCount(UINT /*adapter*/) override { return 0; }
    HRESULT STDMETHODCALLTYPE EnumAdapterModes(UINT /*adapter*/, UINT /*mode*/,
                                               D3DDISPLAYMODE* /*displayMode*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT /*adapter*/,
                                                    D3DDISPLAYMODE* /*displayMode*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceType(UINT /*adapter*/, D3DDEVTYPE /*type*/,
                                              D3DFORMAT /*displayFormat*/, D3DFORMAT /*backBufferFormat*/,
                                              WINBOOL /*windowed*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT /*adapter*/, D3DDEVTYPE /*type*/,
                                                D3DFORMAT /*adapterFormat*/, DWORD /*usage*/,
                                                D3DRESOURCETYPE /*resourceType*/,
                                                D3DFORMAT /*checkFormat*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDeviceMultiSampleType(UINT /*adapter*/, D3DDEVTYPE /*type*/,
                                                         D3DFORMAT /*surfaceFormat*/, WINBOOL /*windowed*/,
                                                         D3DMULTISAMPLE_TYPE /*multiSampleType*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CheckDepthStencilMatch(UINT /*adapter*/, D3DDEVTYPE /*type*/,
                                                     D3DFORMAT /*adapterFormat*/,
                                                     D3DFORMAT /*renderTargetFormat*/,
                                                     D3DFORMAT /*depthStencilFormat*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(UINT /*adapter*/, D3DDEVTYPE /*type*/,
                                            D3DCAPS8* /*caps*/) override {
        return E_NOTIMPL;
    }
    HMONITOR STDMETHODCALLTYPE GetAdapterMonitor(UINT /*adapter*/) override { return nullptr; }
    HRESULT STDMETHODCALLTYPE CreateDevice(UINT /*adapter*/, D3DDEVTYPE /*type*/, HWND /*focusWindow*/,
                                           DWORD /*behaviour*/, D3DPRESENT_PARAMETERS* /*parameters*/,
                                           IDirect3DDevice8** /*device*/) override {
        return E_NOTIMPL;
    }
};

class StubDirect3DDevice8 : public CountedUnknown<IDirect3DDevice8> {
public:
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override { return E_NOTIMPL; }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override { return 0; }
    HRESULT STDMETHODCALLTYPE ResourceManagerDiscardBytes(DWORD /*Bytes*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8** /*ppD3D8*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8* /*pCaps*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE* /*pMode*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* /*pParameters*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT /*XHotSpot*/, UINT /*YHotSpot*/,
                                                  IDirect3DSurface8* /*pCursorBitmap*/) override {
        return E_NOTIMPL;
    }
    void STDMETHODCALLTYPE SetCursorPosition(UINT /*XScreenSpace*/, UINT /*YScreenSpace*/,
                                             DWORD /*Flags*/) override {}
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL /*bShow*/) override { return 0; }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* /*pPresentationParameters*/,
                                                        IDirect3DSwapChain8** /*pSwapChain*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS* /*pPresentationParameters*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Present(const RECT* /*src_rect*/, const RECT* /*dst_rect*/,
                                      HWND /*dst_window_override*/,
                                      const RGNDATA* /*dirty_region*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT /*BackBuffer*/, D3DBACKBUFFER_TYPE /*Type*/,
                                            IDirect3DSurface8** /*ppBackBuffer*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(D3DRASTER_STATUS* /*pRasterStatus*/) override {
        return E_NOTIMPL;
    }
    void STDMETHODCALLTYPE SetGammaRamp(DWORD /*flags*/, const D3DGAMMARAMP* /*ramp*/) override {}
    void STDMETHODCALLTYPE GetGammaRamp(D3DGAMMARAMP* /*pRamp*/) override {}
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT /*Width*/, UINT /*Height*/, UINT /*Levels*/, DWORD /*Usage*/,
                                            D3DFORMAT /*Format*/, D3DPOOL /*Pool*/,
                                            IDirect3DTexture8** /*ppTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT /*Width*/, UINT /*Height*/, UINT /*Depth*/,
                                                  UINT /*Levels*/, DWORD /*Usage*/, D3DFORMAT /*Format*/,
                                                  D3DPOOL /*Pool*/,
                                                  IDirect3DVolumeTexture8** /*ppVolumeTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT /*EdgeLength*/, UINT /*Levels*/, DWORD /*Usage*/,
                                                D3DFORMAT /*Format*/, D3DPOOL /*Pool*/,
                                                IDirect3DCubeTexture8** /*ppCubeTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT /*Length*/, DWORD /*Usage*/, DWORD /*FVF*/,
                                                 D3DPOOL /*Pool*/,
                                                 IDirect3DVertexBuffer8** /*ppVertexBuffer*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT /*Length*/, DWORD /*Usage*/, D3DFORMAT /*Format*/,
                                                D3DPOOL /*Pool*/,
                                                IDirect3DIndexBuffer8** /*ppIndexBuffer*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT /*Width*/, UINT /*Height*/, D3DFORMAT /*Format*/,
                                                 D3DMULTISAMPLE_TYPE /*MultiSample*/, WINBOOL /*Lockable*/,
                                                 IDirect3DSurface8** /*ppSurface*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT /*Width*/, UINT /*Height*/, D3DFORMAT /*Format*/,
                                                        D3DMULTISAMPLE_TYPE /*MultiSample*/,
                                                        IDirect3DSurface8** /*ppSurface*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateImageSurface(UINT /*Width*/, UINT /*Height*/, D3DFORMAT /*Format*/,
                                                 IDirect3DSurface8** /*ppSurface*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CopyRects(IDirect3DSurface8* /*src_surface*/, const RECT* /*src_rects*/,
                                        UINT /*rect_count*/, IDirect3DSurface8* /*dst_surface*/,
                                        const POINT* /*dst_points*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8* /*pSourceTexture*/,
                                            IDirect3DBaseTexture8* /*pDestinationTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetFrontBuffer(IDirect3DSurface8* /*pDestSurface*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8* /*pRenderTarget*/,
                                              IDirect3DSurface8* /*pNewZStencil*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(IDirect3DSurface8** /*ppRenderTarget*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface8** /*ppZStencilSurface*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE BeginScene() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndScene() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clear(DWORD /*rect_count*/, const D3DRECT* /*rects*/, DWORD /*flags*/,
                                    D3DCOLOR /*color*/, float /*z*/, DWORD /*stencil*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE /*state*/,
                                           const D3DMATRIX* /*matrix*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE /*State*/, D3DMATRIX* /*pMatrix*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE /*state*/,
                                                const D3DMATRIX* /*matrix*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8* /*viewport*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8* /*pViewport*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8* /*material*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8* /*pMaterial*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD /*index*/, const D3DLIGHT8* /*light*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD /*Index*/, D3DLIGHT8* /*pLight*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD /*Index*/, WINBOOL /*Enable*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD /*Index*/, WINBOOL* /*pEnable*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD /*index*/, const float* /*plane*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD /*Index*/, float* /*pPlane*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE /*State*/, DWORD /*Value*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE /*State*/, DWORD* /*pValue*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD* /*pToken*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD /*Token*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD /*Token*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD /*Token*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE /*Type*/, DWORD* /*pToken*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS8* /*clip_status*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS8* /*pClipStatus*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD /*Stage*/, IDirect3DBaseTexture8** /*ppTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD /*Stage*/, IDirect3DBaseTexture8* /*pTexture*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD /*Stage*/, D3DTEXTURESTAGESTATETYPE /*Type*/,
                                                   DWORD* /*pValue*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD /*Stage*/, D3DTEXTURESTAGESTATETYPE /*Type*/,
                                                   DWORD /*Value*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD* /*pNumPasses*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD /*DevInfoID*/, void* /*pDevInfoStruct*/,
                                      DWORD /*DevInfoStructSize*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT /*palette_idx*/,
                                                const PALETTEENTRY* /*entries*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT /*PaletteNumber*/, PALETTEENTRY* /*pEntries*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT /*PaletteNumber*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT* /*PaletteNumber*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE /*PrimitiveType*/, UINT /*StartVertex*/,
                                            UINT /*PrimitiveCount*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE /*PrimitiveType*/, UINT /*minIndex*/,
                                                   UINT /*NumVertices*/, UINT /*startIndex*/,
                                                   UINT /*primCount*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE /*primitive_type*/, UINT /*primitive_count*/,
                                              const void* /*data*/, UINT /*stride*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE /*primitive_type*/,
                                                     UINT /*min_vertex_idx*/, UINT /*vertex_count*/,
                                                     UINT /*primitive_count*/, const void* /*index_data*/,
                                                     D3DFORMAT /*index_format*/, const void* /*data*/,
                                                     UINT /*stride*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT /*SrcStartIndex*/, UINT /*DestIndex*/,
                                              UINT /*VertexCount*/, IDirect3DVertexBuffer8* /*pDestBuffer*/,
                                              DWORD /*Flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD* /*declaration*/, const DWORD* /*byte_code*/,
                                                 DWORD* /*shader*/, DWORD /*usage*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD /*Handle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD* /*pHandle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteVertexShader(DWORD /*Handle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstant(DWORD /*reg_idx*/, const void* /*data*/,
                                                      DWORD /*count*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstant(DWORD /*Register*/, void* /*pConstantData*/,
                                                      DWORD /*ConstantCount*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderDeclaration(DWORD /*Handle*/, void* /*pData*/,
                                                         DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexShaderFunction(DWORD /*Handle*/, void* /*pData*/,
                                                      DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT /*StreamNumber*/, IDirect3DVertexBuffer8* /*pStreamData*/,
                                              UINT /*Stride*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT /*StreamNumber*/,
                                              IDirect3DVertexBuffer8** /*ppStreamData*/,
                                              UINT* /*pStride*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer8* /*pIndexData*/,
                                         UINT /*BaseVertexIndex*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer8** /*ppIndexData*/,
                                         UINT* /*pBaseVertexIndex*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD* /*byte_code*/, DWORD* /*shader*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD /*Handle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPixelShader(DWORD* /*pHandle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeletePixelShader(DWORD /*Handle*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstant(DWORD /*reg_idx*/, const void* /*data*/,
                                                     DWORD /*count*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstant(DWORD /*Register*/, void* /*pConstantData*/,
                                                     DWORD /*ConstantCount*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPixelShaderFunction(DWORD /*Handle*/, void* /*pData*/,
                                                     DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT /*handle*/, const float* /*segment_count*/,
                                            const D3DRECTPATCH_INFO* /*patch_info*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT /*handle*/, const float* /*segment_count*/,
                                           const D3DTRIPATCH_INFO* /*patch_info*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT /*Handle*/) override { return E_NOTIMPL; }
};

class StubDirect3DTexture8 : public CountedUnknown<IDirect3DTexture8> {
public:
    HRESULT STDMETHODCALLTYPE GetDevice(struct IDirect3DDevice8** /*ppDevice*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*refguid*/, const void* /*data*/, DWORD /*data_size*/,
                                             DWORD /*flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*refguid*/, void* /*pData*/,
                                             DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID /*refguid*/) override { return E_NOTIMPL; }
    DWORD STDMETHODCALLTYPE SetPriority(DWORD /*PriorityNew*/) override { return 0; }
    DWORD STDMETHODCALLTYPE GetPriority() override { return 0; }
    void STDMETHODCALLTYPE PreLoad() override {}
    D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD STDMETHODCALLTYPE SetLOD(DWORD /*LODNew*/) override { return 0; }
    DWORD STDMETHODCALLTYPE GetLOD() override { return 0; }
    DWORD STDMETHODCALLTYPE GetLevelCount() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT /*Level*/, D3DSURFACE_DESC* /*pDesc*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSurfaceLevel(UINT /*Level*/,
                                              IDirect3DSurface8** /*ppSurfaceLevel*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LockRect(UINT /*level*/, D3DLOCKED_RECT* /*locked_rect*/, const RECT* /*rect*/,
                                       DWORD /*flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnlockRect(UINT /*Level*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddDirtyRect(const RECT* /*dirty_rect*/) override { return E_NOTIMPL; }
};

class StubDirect3DVertexBuffer8 : public CountedUnknown<IDirect3DVertexBuffer8> {
public:
    HRESULT STDMETHODCALLTYPE GetDevice(struct IDirect3DDevice8** /*ppDevice*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*refguid*/, const void* /*data*/, DWORD /*data_size*/,
                                             DWORD /*flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*refguid*/, void* /*pData*/,
                                             DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID /*refguid*/) override { return E_NOTIMPL; }
    DWORD STDMETHODCALLTYPE SetPriority(DWORD /*PriorityNew*/) override { return 0; }
    DWORD STDMETHODCALLTYPE GetPriority() override { return 0; }
    void STDMETHODCALLTYPE PreLoad() override {}
    D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT STDMETHODCALLTYPE Lock(UINT /*OffsetToLock*/, UINT /*SizeToLock*/, BYTE** /*ppbData*/,
                                   DWORD /*Flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Unlock() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* /*pDesc*/) override { return E_NOTIMPL; }
};

class StubDirect3DSurface8 : public CountedUnknown<IDirect3DSurface8> {
public:
    HRESULT STDMETHODCALLTYPE GetDevice(struct IDirect3DDevice8** /*ppDevice*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*refguid*/, const void* /*data*/, DWORD /*data_size*/,
                                             DWORD /*flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*refguid*/, void* /*pData*/,
                                             DWORD* /*pSizeOfData*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID /*refguid*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(REFIID /*riid*/, void** /*ppContainer*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDesc(D3DSURFACE_DESC* /*pDesc*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT* /*locked_rect*/, const RECT* /*rect*/,
                                       DWORD /*flags*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnlockRect() override { return E_NOTIMPL; }
};
