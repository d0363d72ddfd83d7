#pragma once

#include <windows.h>
#include <d3d8.h>

// Records the text states into a new state block: the glyph texture on stage 0, alpha
// blending and alpha testing on the glyph coverage, solid fill with back-face culling,
// z-testing only when `zEnable`, no stencil, clip planes, vertex blending or fog, stage 0
// modulating texture and diffuse with point sampling, and stage 1 off. The same block
// serves both to set these states and, captured over, to put the caller's back.
HRESULT RecordTextStateBlock(IDirect3DDevice8* device, IDirect3DTexture8* texture, bool zEnable,
                             DWORD* block);

// Deletes a recorded block, if any, and clears its handle.
void DeleteTextStateBlock(IDirect3DDevice8* device, DWORD& block);
