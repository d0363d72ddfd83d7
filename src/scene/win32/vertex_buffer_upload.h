#pragma once

#include <windows.h>
#include <d3d8.h>

#include "scene/win32/device_scene_objects.h"

// Creates a write-only vertex buffer of `length` bytes in the managed pool (which keeps
// it across a device reset) and writes `bytes` of `data` at its start. Returns null when
// there is no device or the buffer cannot be created; when it cannot be locked nothing is
// written, the new buffer is released and null is returned, so the caller's slot stays
// empty rather than holding undefined vertices.
IDirect3DVertexBuffer8* CreateFilledVertexBuffer(IDirect3DDevice8* device, UINT length, DWORD fvf,
                                                 const void* data, UINT bytes);

// Overwrites the start of an existing buffer. False, with nothing written, when it cannot
// be locked or is smaller than `bytes`.
bool WriteVertexBuffer(IDirect3DVertexBuffer8* buffer, const void* data, UINT bytes);

// Releases the object in `slot`, if any, and empties the slot.
template <typename Interface>
void ReleaseSlot(Interface*& slot) {
    if (slot != nullptr) {
        slot->Release();
        slot = nullptr;
    }
}

// Releases every vertex buffer of the record, in the reverse order of their creation.
void ReleaseSceneBuffers(DeviceSceneObjects& objects);
