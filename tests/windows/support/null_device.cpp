#include "support/null_device.h"

HRESULT NullDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                       IDirect3DVertexBuffer8** buffer) {
    countingBuffers_.push_back(std::make_unique<CountingVertexBuffer>(this, length, usage, fvf, pool));
    *buffer = countingBuffers_.back().get();
    return D3D_OK;
}
