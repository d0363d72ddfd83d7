#pragma once

// A Direct3D 8 device that accepts every call a frame makes and discards it, counting
// the calls, the vertex-buffer locks and the vertices drawn from each buffer: the cost of
// the scene's own command stream without any renderer behind it. Textures, vertex buffers and state blocks
// come from the recording device, so preparation works as on it; only the frame's calls are replaced by
// counters.

#include <map>

#include "support/recording_device.h"

class NullDevice : public RecordingDevice {
public:
    long callCount = 0;                                     // device calls since the last ResetCounts
    long lockCount = 0;                                     // vertex-buffer locks since the last ResetCounts
    long discardCount = 0;                                  // of them, locks that discard the buffer
    std::map<IDirect3DVertexBuffer8*, long> verticesDrawn;  // by the buffer drawn from
    void ResetCounts() {
        callCount = lockCount = discardCount = 0;
        verticesDrawn.clear();
    }

    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                                 IDirect3DVertexBuffer8** buffer) override;
    HRESULT STDMETHODCALLTYPE BeginScene() override { return Count(); }
    HRESULT STDMETHODCALLTYPE EndScene() override { return Count(); }
    HRESULT STDMETHODCALLTYPE Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override {
        return Count();
    }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override {
        return Count();
    }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8*) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD, const D3DLIGHT8*) override { return Count(); }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD, WINBOOL) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return Count(); }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD) override { return Count(); }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD, IDirect3DBaseTexture8*) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override {
        return Count();
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE type, UINT, UINT count) override;
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD) override { return Count(); }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT, IDirect3DVertexBuffer8* buffer, UINT) override {
        stream_ = buffer;
        return Count();
    }

private:
    // A vertex buffer in memory whose locks and unlocks count as device calls.
    class CountingVertexBuffer : public RecordedVertexBuffer {
    public:
        CountingVertexBuffer(NullDevice* owner, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
            : RecordedVertexBuffer(length, usage, fvf, pool), owner_(owner) {}
        HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override {
            ++owner_->lockCount;
            ++owner_->callCount;
            owner_->discardCount += (flags & D3DLOCK_DISCARD) != 0 ? 1 : 0;
            if (offset > desc.Size || size > desc.Size - offset) {
                return D3DERR_INVALIDCALL;
            }
            *data = bytes.data() + offset;  // not recorded: a run locks millions of times
            return D3D_OK;
        }
        HRESULT STDMETHODCALLTYPE Unlock() override {
            ++owner_->callCount;
            return D3D_OK;
        }

    private:
        NullDevice* owner_;
    };

    HRESULT Count() {
        ++callCount;
        return D3D_OK;
    }
    std::deque<std::unique_ptr<CountingVertexBuffer>> countingBuffers_;
    IDirect3DVertexBuffer8* stream_ = nullptr;
};
