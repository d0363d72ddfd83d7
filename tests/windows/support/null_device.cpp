#include "support/null_device.h"

HRESULT NullDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                       IDirect3DVertexBuffer8** buffer) {
    countingBuffers_.push_back(std::make_unique<CountingVertexBuffer>(this, length, usage, fvf, pool));
    *buffer = countingBuffers_.back().get();
    return D3D_OK;
}

HRESULT NullDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT, UINT count) {
    UINT vertices = count;
    switch (type) {
        case D3DPT_LINELIST:
            vertices = 2 * count;
            break;
        case D3DPT_LINESTRIP:
            vertices = count + 1;
            break;
        case D3DPT_TRIANGLELIST:
            vertices = 3 * count;
            break;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            vertices = count + 2;
            break;
        default:
            break;
    }
    verticesDrawn[stream_] += vertices;
    return Count();
}
