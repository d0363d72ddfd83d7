#include "scene/win32/vertex_buffer_upload.h"

#include <cstring>

IDirect3DVertexBuffer8* CreateFilledVertexBuffer(IDirect3DDevice8* device, UINT length, DWORD fvf,
                                                 const void* data, UINT bytes) {
    if (device == nullptr || bytes > length) {
        return nullptr;
    }
    IDirect3DVertexBuffer8* buffer = nullptr;
    if (FAILED(device->CreateVertexBuffer(length, D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED, &buffer)) ||
        buffer == nullptr) {
        return nullptr;
    }
    if (!WriteVertexBuffer(buffer, data, bytes)) {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

bool WriteVertexBuffer(IDirect3DVertexBuffer8* buffer, const void* data, UINT bytes) {
    // A buffer made for fewer vertices (or one whose size cannot be read) is left alone
    // rather than written past its end.
    D3DVERTEXBUFFER_DESC desc = {};
    if (FAILED(buffer->GetDesc(&desc)) || desc.Size < bytes) {
        return false;
    }
    BYTE* target = nullptr;
    if (FAILED(buffer->Lock(0, 0, &target, 0)) || target == nullptr) {
        return false;
    }
    std::memcpy(target, data, bytes);
    buffer->Unlock();
    return true;
}

void ReleaseSceneBuffers(DeviceSceneObjects& objects) {
    ReleaseSlot(objects.lineBuffer);
    objects.lineBufferVertices = 0;
    ReleaseSlot(objects.starBuffer);
    for (int k = RingCount - 1; k >= 0; --k) {
        ReleaseSlot(objects.ringBuffers[k]);
    }
    for (int m = SphereDetailCount - 1; m >= 0; --m) {
        ReleaseSlot(objects.sphereBuffers[m]);
    }
    ReleaseSlot(objects.quadBuffer);
    ReleaseSlot(objects.skyBoxBuffer);
}
