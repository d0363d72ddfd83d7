#pragma once

// A Direct3D 8 device in plain memory that records what is drawn: every call by name,
// and for every DrawPrimitive the states it was drawn with. Textures and vertex buffers
// live in memory (they can be filled and read back) and count their references, so a
// test can see that each one was given back. State blocks record, capture and apply as
// the real ones do, so code that saves and restores states through them shows it.

#include <windows.h>
#include <d3d8.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/d3d8_stubs.h"

class RecordedTexture : public StubDirect3DTexture8 {
public:
    RecordedTexture(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool);

    DWORD STDMETHODCALLTYPE GetLevelCount() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT STDMETHODCALLTYPE LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                       DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UnlockRect(UINT level) override;

    D3DSURFACE_DESC desc = {};
    INT pitch;
    std::vector<BYTE> memory;
};

class RecordedVertexBuffer : public StubDirect3DVertexBuffer8 {
public:
    RecordedVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

    HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Unlock() override;
    HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

    D3DVERTEXBUFFER_DESC desc = {};
    std::vector<BYTE> bytes;
};

// One DrawPrimitive and the device state it saw.
struct DrawRecord {
    D3DPRIMITIVETYPE type;
    UINT startVertex;
    UINT count;
    IDirect3DVertexBuffer8* stream;
    UINT stride;
    DWORD vertexShader;
    IDirect3DBaseTexture8* texture;
    BOOL light0;
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATERIAL8 material;
    std::map<D3DRENDERSTATETYPE, DWORD> renderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates;

    // A state as it was at the draw; `otherwise` when it was never set.
    DWORD RenderState(D3DRENDERSTATETYPE state, DWORD otherwise = 0xFFFFFFFF) const;
};

class RecordingDevice : public StubDirect3DDevice8 {
public:
    RecordingDevice();
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

    // Scripted answers.
    HRESULT beginSceneResult = D3D_OK;
    UINT maxTextureWidth = 4096;

    // What happened.
    std::vector<std::string> calls;  // method names, in order
    std::vector<DrawRecord> draws;
    std::deque<std::unique_ptr<RecordedTexture>> textures;            // every one created
    std::deque<std::unique_ptr<RecordedVertexBuffer>> vertexBuffers;  // every one created

    // Current state.
    std::map<D3DRENDERSTATETYPE, DWORD> renderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms;
    IDirect3DBaseTexture8* texture0 = nullptr;
    IDirect3DVertexBuffer8* stream0 = nullptr;
    UINT stride0 = 0;
    DWORD vertexShader = 0;
    D3DMATERIAL8 material = {};
    D3DLIGHT8 light0 = {};
    BOOL light0Enabled = FALSE;
    int liveStateBlocks = 0;

    // Resources created and not yet released to zero.
    int LiveTextures() const;
    int LiveVertexBuffers() const;
    // How often the named method was called.
    int Count(const std::string& call) const;
    void ClearRecords();

    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool,
                                            IDirect3DTexture8** texture) override;
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                                 IDirect3DVertexBuffer8** buffer) override;
    HRESULT STDMETHODCALLTYPE BeginScene() override;
    HRESULT STDMETHODCALLTYPE EndScene() override;
    HRESULT STDMETHODCALLTYPE Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                                    DWORD stencil) override;
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT8* light) override;
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD index, WINBOOL enable) override;
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override;
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD* token) override;
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD token) override;
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD token) override;
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD token) override;
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                   DWORD value) override;
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT count) override;
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD handle) override;
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD handle) override;
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer,
                                              UINT stride) override;

private:
    // What a state block holds: the states set while it was recorded.
    struct StateBlock {
        std::map<D3DRENDERSTATETYPE, DWORD> renderStates;
        std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates;
        bool hasTexture = false;
        IDirect3DBaseTexture8* texture = nullptr;
    };
    std::map<DWORD, StateBlock> blocks_;
    StateBlock* recording_ = nullptr;
    StateBlock pending_;
    DWORD lastToken_ = 0;
};
