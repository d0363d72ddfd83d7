#pragma once

#include <set>
#include <vector>

#include "support/d3d8_stubs.h"

class FakeVertexDevice;

// A vertex buffer in plain memory that counts its references and locks.
class FakeVertexBuffer : public StubDirect3DVertexBuffer8 {
public:
    FakeVertexBuffer(FakeVertexDevice* owner, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD_(HRESULT, Lock)(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    STDMETHOD_(HRESULT, GetDesc)(D3DVERTEXBUFFER_DESC* desc) override;
    STDMETHOD_(HRESULT, Unlock)() override {
        ++unlocks;
        return D3D_OK;
    }

    // Vertices of the given layout, as written so far.
    template <typename Vertex>
    const Vertex* As() const {
        return reinterpret_cast<const Vertex*>(bytes.data());
    }

    FakeVertexDevice* owner;
    UINT length;
    DWORD usage;
    DWORD fvf;
    D3DPOOL pool;
    int locks = 0;
    int unlocks = 0;
    bool failLock = false;
    std::vector<BYTE> bytes;
};

// A device that only creates vertex buffers and records the view transform. Chosen
// creations (counted from 0) fail; chosen ones get buffers that refuse to lock.
class FakeVertexDevice : public StubDirect3DDevice8 {
public:
    FakeVertexDevice() = default;
    FakeVertexDevice(const FakeVertexDevice&) = delete;
    FakeVertexDevice& operator=(const FakeVertexDevice&) = delete;
    ~FakeVertexDevice() override {
        for (FakeVertexBuffer* buffer : created) {
            delete buffer;
        }
    }

    STDMETHOD_(HRESULT, CreateVertexBuffer)
    (UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer8** buffer) override;
    STDMETHOD_(HRESULT, SetTransform)(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;

    std::set<int> failingCreations;
    std::set<int> unlockableCreations;
    std::vector<FakeVertexBuffer*> created;  // every buffer ever made, in order
    std::set<FakeVertexBuffer*> live;        // not yet released to zero
    int viewTransforms = 0;
    D3DMATRIX lastView = {};
    int creationAttempts = 0;
};
