#include "d3dx/win32/d3dx_texture.h"

#include <algorithm>
#include <new>

#include "d3dx/image_file.h"
#include "d3dx/mip_chain.h"
#include "d3dx/texel_format.h"

namespace {

// Owns one texture reference; releases it unless it is handed over.
class TextureSlot {
public:
    TextureSlot() = default;
    TextureSlot(const TextureSlot&) = delete;
    TextureSlot& operator=(const TextureSlot&) = delete;
    ~TextureSlot() { Reset(); }

    IDirect3DTexture8** Receive() {
        Reset();
        return &texture_;
    }
    IDirect3DTexture8* Get() const { return texture_; }
    IDirect3DTexture8* Detach() {
        IDirect3DTexture8* texture = texture_;
        texture_ = nullptr;
        return texture;
    }

private:
    void Reset() {
        if (texture_ != nullptr) {
            texture_->Release();
            texture_ = nullptr;
        }
    }
    IDirect3DTexture8* texture_ = nullptr;
};

struct FormatPair {
    TexelFormat texel;
    D3DFORMAT d3d;
};

const FormatPair FormatPairs[] = {
    {TexelFormat::A8R8G8B8, D3DFMT_A8R8G8B8}, {TexelFormat::X8R8G8B8, D3DFMT_X8R8G8B8},
    {TexelFormat::R5G6B5, D3DFMT_R5G6B5},     {TexelFormat::X1R5G5B5, D3DFMT_X1R5G5B5},
    {TexelFormat::A1R5G5B5, D3DFMT_A1R5G5B5}, {TexelFormat::A4R4G4B4, D3DFMT_A4R4G4B4},
};

D3DFORMAT ToD3DFormat(TexelFormat texel) {
    for (const FormatPair& pair : FormatPairs) {
        if (pair.texel == texel) {
            return pair.d3d;
        }
    }
    return D3DFMT_UNKNOWN;
}

bool ToTexelFormat(D3DFORMAT d3d, TexelFormat* texel) {
    for (const FormatPair& pair : FormatPairs) {
        if (pair.d3d == d3d) {
            *texel = pair.texel;
            return true;
        }
    }
    return false;
}

// Asks the device's Direct3D object whether textures of a format can be made on the
// device's adapter in its current display mode. When the question cannot be asked,
// every format passes and creating the texture gives the answer.
class FormatCheck {
public:
    FormatCheck(IDirect3DDevice8* device, DWORD usage) : usage_(usage) {
        if (FAILED(device->GetDirect3D(&direct3d_)) || direct3d_ == nullptr) {
            direct3d_ = nullptr;
            return;
        }
        D3DDISPLAYMODE mode = {};
        if (FAILED(device->GetCreationParameters(&parameters_)) || FAILED(device->GetDisplayMode(&mode))) {
            Release();
            return;
        }
        adapterFormat_ = mode.Format;
    }
    FormatCheck(const FormatCheck&) = delete;
    FormatCheck& operator=(const FormatCheck&) = delete;
    ~FormatCheck() { Release(); }

    bool Accepts(TexelFormat format) const {
        return direct3d_ == nullptr || SUCCEEDED(direct3d_->CheckDeviceFormat(
                                           parameters_.AdapterOrdinal, parameters_.DeviceType, adapterFormat_,
                                           usage_, D3DRTYPE_TEXTURE, ToD3DFormat(format)));
    }

private:
    void Release() {
        if (direct3d_ != nullptr) {
            direct3d_->Release();
            direct3d_ = nullptr;
        }
    }
    IDirect3D8* direct3d_ = nullptr;
    D3DDEVICE_CREATION_PARAMETERS parameters_ = {};
    D3DFORMAT adapterFormat_ = D3DFMT_UNKNOWN;
    DWORD usage_;
};

bool IsImageSize(UINT requested, uint32_t actual) {
    return requested == D3DX_DEFAULT || requested == 0 || requested == actual;
}

// The levels a texture of the image gets: 0 and D3DX_DEFAULT ask for the full chain,
// and no count gives more.
UINT LevelCount(UINT mipLevels, const DecodedImage& image) {
    const UINT full = FullMipLevelCount(image.width, image.height);
    return (mipLevels == 0 || mipLevels == D3DX_DEFAULT) ? full : std::min(mipLevels, full);
}

void DescribeFile(const DecodedImage& image, ImageFileKind kind, D3DXIMAGE_INFO* info) {
    info->Width = image.width;
    info->Height = image.height;
    info->Depth = 1;
    info->MipLevels = 1;
    info->Format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    info->ResourceType = D3DRTYPE_TEXTURE;
    info->ImageFileFormat = kind == ImageFileKind::Jpeg ? D3DXIFF_JPG : D3DXIFF_TGA;
}

// Copies the image into a level row by row, since the device's rows may be longer than
// the image's. The level must be at least the image's size.
HRESULT WriteLevel(IDirect3DTexture8* texture, UINT index, const DecodedImage& image, TexelFormat format) {
    D3DSURFACE_DESC level = {};
    HRESULT result = texture->GetLevelDesc(index, &level);
    if (FAILED(result)) {
        return result;
    }
    if (level.Width < image.width || level.Height < image.height) {
        return E_FAIL;
    }
    D3DLOCKED_RECT locked = {};
    result = texture->LockRect(index, &locked, nullptr, 0);
    if (FAILED(result)) {
        return result;
    }
    const std::size_t rowBytes = std::size_t{image.width} * BytesPerTexel(format);
    if (locked.pBits == nullptr || locked.Pitch < 0 || static_cast<std::size_t>(locked.Pitch) < rowBytes) {
        texture->UnlockRect(index);
        return E_FAIL;
    }
    auto* row = static_cast<uint8_t*>(locked.pBits);
    for (uint32_t y = 0; y < image.height; ++y, row += locked.Pitch) {
        ConvertPixelRow(&image.pixels[std::size_t{y} * image.width], image.width, format, row);
    }
    return texture->UnlockRect(index);
}

// The image into level 0, and each further level of the texture halved from the last.
HRESULT WriteImage(IDirect3DTexture8* texture, const DecodedImage& image, TexelFormat format) {
    HRESULT result = WriteLevel(texture, 0, image, format);
    const DWORD levels = texture->GetLevelCount();
    DecodedImage level;
    for (DWORD index = 1; index < levels && SUCCEEDED(result); ++index) {
        level = HalvedImage(index == 1 ? image : level);
        result = WriteLevel(texture, index, level, format);
    }
    return result;
}

HRESULT CreateTexture(IDirect3DDevice8* device, const DecodedImage& image, UINT levels, DWORD usage,
                      TexelFormat format, D3DPOOL pool, TextureSlot* texture) {
    const HRESULT result = device->CreateTexture(image.width, image.height, levels, usage,
                                                 ToD3DFormat(format), pool, texture->Receive());
    if (FAILED(result)) {
        return result;
    }
    return texture->Get() != nullptr ? S_OK : E_FAIL;
}

// Default-pool textures cannot be locked: they are filled from a system-memory copy.
HRESULT CreateFilledTexture(IDirect3DDevice8* device, const DecodedImage& image, UINT levels, DWORD usage,
                            TexelFormat format, D3DPOOL pool, TextureSlot* texture) {
    HRESULT result = CreateTexture(device, image, levels, usage, format, pool, texture);
    if (FAILED(result)) {
        return result;
    }
    if (pool != D3DPOOL_DEFAULT) {
        return WriteImage(texture->Get(), image, format);
    }
    TextureSlot staging;
    result = CreateTexture(device, image, levels, 0, format, D3DPOOL_SYSTEMMEM, &staging);
    if (SUCCEEDED(result)) {
        result = WriteImage(staging.Get(), image, format);
    }
    if (SUCCEEDED(result)) {
        result = device->UpdateTexture(staging.Get(), texture->Get());
    }
    return result;
}

// The image in a texture of `levels` levels, in `format` or, for D3DFMT_UNKNOWN, the first
// the device takes for it.
HRESULT CreateImageTexture(IDirect3DDevice8* device, const DecodedImage& image, UINT levels, DWORD usage,
                           D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture) {
    TexelFormat texelFormat;
    if (format == D3DFMT_UNKNOWN) {
        const FormatCheck check(device, usage);
        texelFormat = ChooseTexelFormat(image.hasAlpha, [&check](TexelFormat f) { return check.Accepts(f); });
    } else if (!ToTexelFormat(format, &texelFormat)) {
        return D3DERR_INVALIDCALL;
    }
    TextureSlot created;
    const HRESULT result = CreateFilledTexture(device, image, levels, usage, texelFormat, pool, &created);
    if (FAILED(result)) {
        return result;
    }
    *texture = created.Detach();
    return S_OK;
}

HRESULT CreateTextureFromFile(IDirect3DDevice8* device, const void* data, UINT size, UINT width, UINT height,
                              UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, D3DCOLOR colourKey,
                              D3DXIMAGE_INFO* srcInfo, IDirect3DTexture8** texture) {
    DecodedImage image;
    ImageFileKind kind;
    if (DecodeImageFile(static_cast<const uint8_t*>(data), size, &image, &kind) != DecodeStatus::Ok) {
        return D3DXERR_INVALIDDATA;
    }
    if (!IsImageSize(width, image.width) || !IsImageSize(height, image.height)) {
        return D3DERR_INVALIDCALL;
    }
    if (srcInfo != nullptr) {
        DescribeFile(image, kind, srcInfo);
    }
    ApplyColourKey(colourKey, &image);
    return CreateImageTexture(device, image, LevelCount(mipLevels, image), usage, format, pool, texture);
}

}  // namespace

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 device, LPCVOID data, UINT size,
                                                   UINT width, UINT height, UINT mipLevels, DWORD usage,
                                                   D3DFORMAT format, D3DPOOL pool, DWORD /*filter*/,
                                                   DWORD /*mipFilter*/, D3DCOLOR colourKey,
                                                   D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* /*palette*/,
                                                   LPDIRECT3DTEXTURE8* texture) {
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    if (device == nullptr || data == nullptr || size == 0) {
        return D3DERR_INVALIDCALL;
    }
    try {
        return CreateTextureFromFile(device, data, size, width, height, mipLevels, usage, format, pool,
                                     colourKey, srcInfo, texture);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CreateTextureFromImage(IDirect3DDevice8* device, const DecodedImage& image, D3DPOOL pool,
                               IDirect3DTexture8** texture) {
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    if (device == nullptr || image.width == 0 || image.height == 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return D3DERR_INVALIDCALL;
    }
    try {
        return CreateImageTexture(device, image, 1, 0, D3DFMT_UNKNOWN, pool, texture);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
