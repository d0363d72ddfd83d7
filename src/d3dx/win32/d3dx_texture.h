#pragma once

// Texture creation from JPEG and TGA files held in memory, with the published D3DX 8
// signature and constants (mingw-w64 ships no D3DX headers).

#include <windows.h>
#include <d3d8.h>

#include "image/decoded_image.h"

#ifndef D3DX_DEFAULT
#define D3DX_DEFAULT ((UINT)-1)
#endif
#ifndef D3DX_FILTER_NONE
#define D3DX_FILTER_NONE (1 << 0)
#endif
#ifndef D3DX_FILTER_BOX
#define D3DX_FILTER_BOX (5 << 0)
#endif
#ifndef D3DXERR_INVALIDDATA
#define D3DXERR_INVALIDDATA ((HRESULT)0x88760B59L)
#endif

typedef enum _D3DXIMAGE_FILEFORMAT {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

typedef struct _D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
} D3DXIMAGE_INFO;

// Creates a texture of the image's own size from a baseline or progressive JPEG or a TGA
// (types 2 and 10, 24 or 32 bits) file.
// - width, height: D3DX_DEFAULT or 0 for the image's size, or exactly that size; the
//   image is never rescaled, so any other size is D3DERR_INVALIDCALL (filter unused).
// - mipLevels: 0 or D3DX_DEFAULT for the full chain down to 1 x 1, else that many levels
//   (at most the full chain). Each level after the first is the 2 x 2 box mean of the one
//   before, whatever mipFilter asks.
// - format: D3DFMT_UNKNOWN follows the image: X8R8G8B8 for opaque images and A8R8G8B8
//   for images with alpha, or the first 16-bit fallback (R5G6B5, X1R5G5B5 / A4R4G4B4,
//   A1R5G5B5) that the device's CheckDeviceFormat accepts. An explicit format must be one
//   of those six; others are D3DERR_INVALIDCALL.
// - pool: any; a D3DPOOL_DEFAULT texture is filled through a system-memory copy.
// - colourKey: 0 for none, else the ARGB value that becomes transparent black.
// - srcInfo: filled with the file's size and format when given. palette: unused.
// Failures: D3DERR_INVALIDCALL for bad arguments, D3DXERR_INVALIDDATA for data that does
// not decode, E_OUTOFMEMORY, or the device's own HRESULT from creating or locking the
// texture. *texture is null after any failure and nothing is left allocated.
HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 device, LPCVOID data, UINT size,
                                                   UINT width, UINT height, UINT mipLevels, DWORD usage,
                                                   D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                                   DWORD mipFilter, D3DCOLOR colourKey,
                                                   D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                                   LPDIRECT3DTEXTURE8* texture);

// Not of D3DX: a texture of one level in `pool` from pixels made in memory, in the format
// D3DFMT_UNKNOWN chooses above for an image of them. The failures are those above but
// D3DXERR_INVALIDDATA, which an empty image gives here.
HRESULT CreateTextureFromImage(IDirect3DDevice8* device, const DecodedImage& image, D3DPOOL pool,
                               IDirect3DTexture8** texture);
