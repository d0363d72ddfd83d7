#include "fake_vertex_device.h"

#include <cstring>

FakeVertexBuffer::FakeVertexBuffer(FakeVertexDevice* device, UINT size, DWORD usageFlags, DWORD format,
                                   D3DPOOL memoryPool)
    : owner(device), length(size), usage(usageFlags), fvf(format), pool(memoryPool), bytes(size, 0xCD) {}

ULONG FakeVertexBuffer::Release() {
    const ULONG left = --references;
    if (left == 0) {
        owner->live.erase(this);  // kept in `created` for inspection; the test owns the memory
    }
    return left;
}

HRESULT FakeVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
    *desc = D3DVERTEXBUFFER_DESC{};
    desc->Format = D3DFMT_VERTEXDATA;
    desc->Type = D3DRTYPE_VERTEXBUFFER;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->Size = length;
    desc->FVF = fvf;
    return D3D_OK;
}

HRESULT FakeVertexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD) {
    ++locks;
    if (failLock) {
        return D3DERR_INVALIDCALL;
    }
    if (offset != 0 || size != 0) {
        return D3DERR_INVALIDCALL;  // the scene always locks the whole buffer
    }
    *data = bytes.data();
    return D3D_OK;
}

HRESULT FakeVertexDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                             IDirect3DVertexBuffer8** buffer) {
    const int attempt = creationAttempts++;
    if (failingCreations.count(attempt) != 0) {
        *buffer = nullptr;
        return E_OUTOFMEMORY;
    }
    auto* made = new FakeVertexBuffer(this, length, usage, fvf, pool);
    made->failLock = unlockableCreations.count(attempt) != 0;
    created.push_back(made);
    live.insert(made);
    *buffer = made;
    return D3D_OK;
}

HRESULT FakeVertexDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    if (state == D3DTS_VIEW) {
        ++viewTransforms;
        std::memcpy(&lastView, matrix, sizeof(D3DMATRIX));
    }
    return D3D_OK;
}
