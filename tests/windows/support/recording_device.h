#pragma once

// A Direct3D 8 device in plain memory that records what is drawn: every call by name,
// and for every DrawPrimitive the states it was drawn with. Textures and vertex buffers
// live in memory (they can be filled and read back) and count their references, so a
// test can see that each one was given back. State blocks record, capture and apply as
// the real ones do, so code that saves and restores states through them shows it.
// Options script what the real device cannot show on purpose: a small texture limit,
// failing creations, locks and updates, a lost device.

#include <windows.h>
#include <d3d8.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/d3d8_stubs.h"

// A texture whose levels live in memory with padded rows and a tail, all filled with
// `Untouched` at creation, so that writes past a row or past a level show. It has the
// levels asked for, at most every level down to 1 x 1 (0 asks for all of them).
class RecordedTexture : public StubDirect3DTexture8 {
public:
    static constexpr BYTE Untouched = 0xEE;
    static constexpr INT RowPadding = 12;
    static constexpr size_t Tail = 16;
    RecordedTexture(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool, HRESULT lockResult,
                    UINT levels = 1);

    DWORD STDMETHODCALLTYPE GetLevelCount() override { return 1 + static_cast<DWORD>(smallerLevels.size()); }
    HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT STDMETHODCALLTYPE LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                       DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UnlockRect(UINT level) override;

    // The texel at (x, y) of a level, of 2 or 4 bytes by the format.
    uint32_t Texel(UINT x, UINT y, UINT level = 0) const;
    // No byte of the padding or the tail of any level was written.
    bool PaddingUntouched() const;

    // Level 0.
    D3DSURFACE_DESC desc = {};
    INT pitch;
    std::vector<BYTE> memory;
    // Levels 1 and on.
    struct Level {
        D3DSURFACE_DESC desc;
        INT pitch;
        std::vector<BYTE> memory;
    };
    std::vector<Level> smallerLevels;
    HRESULT lockResult;
    int locks = 0;  // successful ones
    int unlocks = 0;
    DWORD lockFlags = 0;  // of the last lock
};

struct VertexBufferLock {
    UINT offset;
    UINT size;
    DWORD flags;
};

inline bool operator==(const VertexBufferLock& a, const VertexBufferLock& b) {
    return a.offset == b.offset && a.size == b.size && a.flags == b.flags;
}

// A vertex buffer in memory with a guard after its end, all filled with `Untouched` at
// creation; it records its locks, and can refuse them.
class RecordedVertexBuffer : public StubDirect3DVertexBuffer8 {
public:
    static constexpr BYTE Untouched = 0xCD;
    static constexpr size_t Guard = 64;
    RecordedVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

    HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Unlock() override;
    HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

    // Vertices of the given layout, as written so far.
    template <typename Vertex>
    const Vertex* As() const {
        return reinterpret_cast<const Vertex*>(bytes.data());
    }
    // No byte after the buffer's end was written.
    bool GuardIntact() const;

    D3DVERTEXBUFFER_DESC desc = {};
    std::vector<BYTE> bytes;              // the buffer, then the guard
    std::vector<VertexBufferLock> locks;  // every one asked for, refused ones too
    int unlocks = 0;
    bool locked = false;
    bool lockRefused = false;  // every Lock fails
    int failingLock = 0;       // the 1-based number of the one Lock that fails; 0: none
};

// The arguments of one CreateTexture call.
struct TextureCreation {
    UINT width;
    UINT height;
    UINT levels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
};

inline bool operator==(const TextureCreation& a, const TextureCreation& b) {
    return a.width == b.width && a.height == b.height && a.levels == b.levels && a.usage == b.usage &&
           a.format == b.format && a.pool == b.pool;
}

// What a state block holds: the states set while it was recorded.
struct RecordedStateBlock {
    std::map<D3DRENDERSTATETYPE, DWORD> renderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates;
    bool hasTexture = false;
    IDirect3DBaseTexture8* texture = nullptr;
};

// One DrawPrimitive and the device state it saw.
struct DrawRecord {
    D3DPRIMITIVETYPE type;
    UINT startVertex;
    UINT count;
    IDirect3DVertexBuffer8* stream;
    size_t streamLocks;  // of a recorded stream, the locks so far
    bool streamLocked;   // drawn from a buffer still locked
    UINT stride;
    DWORD vertexShader;
    DWORD pixelShader;
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
    HRESULT cooperativeLevel = D3D_OK;  // what TestCooperativeLevel answers
    UINT maxTextureWidth = 4096;
    UINT maxTextureHeight = 0;  // 0: the same as maxTextureWidth
    DWORD textureFilterCaps = 0;
    DWORD maxAnisotropy = 1;
    HRESULT createTextureResult = D3D_OK;
    HRESULT textureLockResult = D3D_OK;
    HRESULT updateTextureResult = D3D_OK;
    UINT textureShrink = 0;          // level 0 made this much narrower than asked, as a faulty driver might
    IDirect3D8* direct3d = nullptr;  // what GetDirect3D answers; none: it fails
    // Vertex-buffer creations (counted from 0 since the last ClearRecords) that fail, and
    // those whose buffers refuse every Lock; and the Lock of every buffer that fails.
    std::set<int> failVertexBufferCreations;
    std::set<int> unlockableVertexBuffers;
    int failVertexBufferLock = 0;

    // What happened.
    std::vector<std::string> calls;  // method names, in order
    std::vector<DrawRecord> draws;
    std::vector<TextureCreation> textureCreations;  // every CreateTexture, failed ones too
    IDirect3DBaseTexture8* updatedFrom = nullptr;   // of the last UpdateTexture
    IDirect3DBaseTexture8* updatedTo = nullptr;
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
    DWORD pixelShader = 0;
    D3DMATERIAL8 material = {};
    D3DLIGHT8 light0 = {};
    BOOL light0Enabled = FALSE;
    int liveStateBlocks = 0;
    std::vector<DWORD> deletedStateBlocks;  // tokens, in order

    // Resources created and not yet released to zero.
    int LiveTextures() const;
    int LiveVertexBuffers() const;
    // The state block of a token; null when there is none.
    const RecordedStateBlock* Block(DWORD token) const;
    // How often the named method was called.
    int Count(const std::string& call) const;
    void ClearRecords();

    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override;
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8** direct3d) override;
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    HRESULT STDMETHODCALLTYPE Present(const RECT* source, const RECT* destination, HWND window,
                                      const RGNDATA* dirty) override;
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool,
                                            IDirect3DTexture8** texture) override;
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                                 IDirect3DVertexBuffer8** buffer) override;
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8* from, IDirect3DBaseTexture8* to) override;
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
    std::map<DWORD, RecordedStateBlock> blocks_;
    RecordedStateBlock* recording_ = nullptr;
    RecordedStateBlock pending_;
    DWORD lastToken_ = 0;
};
