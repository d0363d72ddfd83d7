#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "d3dx/win32/d3dx_texture.h"
#include "support/d3d8_stubs.h"
#include "jpeg_writer.h"

namespace {

constexpr uint8_t Untouched = 0xEE;

// A texture whose level 0 lives in a buffer with padded rows, so that writes past a
// row or past the level show.
class TextureFake : public StubDirect3DTexture8 {
public:
    D3DSURFACE_DESC desc = {};
    HRESULT lockResult = D3D_OK;
    INT pitch = 0;
    std::vector<uint8_t> memory;
    int locks = 0;
    int unlocks = 0;

    STDMETHOD(GetLevelDesc)(UINT level, D3DSURFACE_DESC* out) override {
        if (level != 0) {
            return D3DERR_INVALIDCALL;
        }
        *out = desc;
        return D3D_OK;
    }
    STDMETHOD(LockRect)(UINT level, D3DLOCKED_RECT* locked, const RECT*, DWORD) override {
        if (level != 0 || FAILED(lockResult)) {
            return FAILED(lockResult) ? lockResult : D3DERR_INVALIDCALL;
        }
        ++locks;
        const UINT bytes = desc.Format == D3DFMT_A8R8G8B8 || desc.Format == D3DFMT_X8R8G8B8 ? 4 : 2;
        pitch = static_cast<INT>(desc.Width * bytes + 12);
        memory.assign(static_cast<std::size_t>(pitch) * desc.Height + 16, Untouched);
        locked->pBits = memory.data();
        locked->Pitch = pitch;
        return D3D_OK;
    }
    STDMETHOD(UnlockRect)(UINT) override {
        ++unlocks;
        return D3D_OK;
    }

    uint32_t Texel32(UINT x, UINT y) const {
        uint32_t texel;
        std::memcpy(&texel, &memory[static_cast<std::size_t>(y) * pitch + 4 * x], 4);
        return texel;
    }
};

class Direct3DFake : public StubDirect3D8 {
public:
    std::vector<D3DFORMAT> accepted;
    std::vector<D3DFORMAT> asked;

    STDMETHOD(CheckDeviceFormat)
    (UINT, D3DDEVTYPE, D3DFORMAT adapterFormat, DWORD, D3DRESOURCETYPE type, D3DFORMAT format) override {
        EXPECT_EQ(adapterFormat, D3DFMT_R5G6B5) << "asked for the device's display mode";
        EXPECT_EQ(type, D3DRTYPE_TEXTURE);
        asked.push_back(format);
        return std::count(accepted.begin(), accepted.end(), format) ? D3D_OK : D3DERR_NOTAVAILABLE;
    }
};

struct CreateCall {
    UINT width;
    UINT height;
    UINT levels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
};

class DeviceFake : public StubDirect3DDevice8 {
public:
    HRESULT createResult = D3D_OK;
    HRESULT lockResult = D3D_OK;
    HRESULT updateResult = D3D_OK;
    UINT levelShrink = 0;  // makes level 0 smaller than asked, as a faulty driver might
    Direct3DFake* direct3d = nullptr;
    std::vector<CreateCall> creates;
    std::deque<TextureFake> textures;
    IDirect3DBaseTexture8* updatedFrom = nullptr;
    IDirect3DBaseTexture8* updatedTo = nullptr;

    STDMETHOD(CreateTexture)
    (UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
     IDirect3DTexture8** out) override {
        creates.push_back({width, height, levels, usage, format, pool});
        if (FAILED(createResult)) {
            return createResult;
        }
        TextureFake& texture = textures.emplace_back();
        texture.desc.Format = format;
        texture.desc.Pool = pool;
        texture.desc.Width = width - levelShrink;
        texture.desc.Height = height;
        texture.lockResult = lockResult;
        *out = &texture;
        return D3D_OK;
    }
    STDMETHOD(GetDirect3D)(IDirect3D8** out) override {
        if (direct3d == nullptr) {
            return E_FAIL;
        }
        direct3d->AddRef();
        *out = direct3d;
        return D3D_OK;
    }
    STDMETHOD(GetCreationParameters)(D3DDEVICE_CREATION_PARAMETERS* parameters) override {
        *parameters = {};
        parameters->DeviceType = D3DDEVTYPE_HAL;
        return D3D_OK;
    }
    STDMETHOD(GetDisplayMode)(D3DDISPLAYMODE* mode) override {
        *mode = {};
        mode->Format = D3DFMT_R5G6B5;
        return D3D_OK;
    }
    STDMETHOD(UpdateTexture)(IDirect3DBaseTexture8* from, IDirect3DBaseTexture8* to) override {
        updatedFrom = from;
        updatedTo = to;
        return updateResult;
    }
};

// 16 x 16 greyscale: top half black, bottom half white.
std::vector<uint8_t> BlackOverWhiteJpeg() {
    std::vector<uint8_t> grey(16 * 16, 0);
    std::fill(grey.begin() + 128, grey.end(), 255);
    return WriteJpeg(16, 16, JpegSamples::Grey, grey);
}

HRESULT Load(DeviceFake* device, D3DPOOL pool, D3DCOLOR colourKey, IDirect3DTexture8** texture) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    return D3DXCreateTextureFromFileInMemoryEx(
        device, jpeg.data(), static_cast<UINT>(jpeg.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
        pool, D3DX_FILTER_NONE, D3DX_FILTER_NONE, colourKey, nullptr, nullptr, texture);
}

TEST(TextureFakeDevice, CreateTextureFailureIsReturnedUnchanged) {
    DeviceFake device;
    device.createResult = D3DERR_OUTOFVIDEOMEMORY;
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(0x1);
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.creates.size(), 1u);
    EXPECT_EQ(device.creates[0].width, 16u);
    EXPECT_EQ(device.creates[0].height, 16u);
    EXPECT_EQ(device.creates[0].levels, 1u);
    EXPECT_EQ(device.creates[0].pool, D3DPOOL_MANAGED);
    EXPECT_EQ(device.references, 1u);
}

TEST(TextureFakeDevice, LockFailureReleasesTheTexture) {
    DeviceFake device;
    device.lockResult = D3DERR_INVALIDCALL;
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures[0].references, 0u);
}

TEST(TextureFakeDevice, RowsAreWrittenAtTheDevicesPitchAndNoFurther) {
    DeviceFake device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    ASSERT_EQ(device.textures.size(), 1u);
    TextureFake& fake = device.textures[0];
    EXPECT_EQ(texture, &fake);
    EXPECT_EQ(fake.references, 1u) << "the caller holds the only reference";
    EXPECT_EQ(fake.locks, 1);
    EXPECT_EQ(fake.unlocks, 1);
    EXPECT_EQ(fake.Texel32(0, 0), 0xFF000000u);
    EXPECT_EQ(fake.Texel32(15, 7), 0xFF000000u);
    EXPECT_EQ(fake.Texel32(0, 8), 0xFFFFFFFFu);
    EXPECT_EQ(fake.Texel32(15, 15), 0xFFFFFFFFu);
    for (UINT y = 0; y < 16; ++y) {
        for (INT pad = 64; pad < fake.pitch; ++pad) {
            ASSERT_EQ(fake.memory[static_cast<std::size_t>(y) * fake.pitch + pad], Untouched) << "row " << y;
        }
    }
    EXPECT_EQ(fake.memory.back(), Untouched);
    texture->Release();
}

TEST(TextureFakeDevice, LevelSmallerThanTheImageIsNeverWritten) {
    DeviceFake device;
    device.levelShrink = 1;
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), E_FAIL);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures[0].locks, 0);
    EXPECT_EQ(device.textures[0].references, 0u);
}

TEST(TextureFakeDevice, FallsBackToSixteenBitsWhenTheDeviceRefusesThirtyTwo) {
    Direct3DFake direct3d;
    direct3d.accepted = {D3DFMT_R5G6B5, D3DFMT_A4R4G4B4};
    DeviceFake device;
    device.direct3d = &direct3d;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    EXPECT_EQ(device.creates.back().format, D3DFMT_R5G6B5);
    EXPECT_EQ(direct3d.asked, (std::vector<D3DFORMAT>{D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5}));
    texture->Release();

    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0xFF000000, &texture), D3D_OK);
    EXPECT_EQ(device.creates.back().format, D3DFMT_A4R4G4B4) << "a colour key needs alpha";
    texture->Release();
    EXPECT_EQ(direct3d.references, 1u);
}

TEST(TextureFakeDevice, WithoutAnAnswerFromDirect3DTheFirstChoiceIsUsed) {
    DeviceFake device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    EXPECT_EQ(device.creates.back().format, D3DFMT_X8R8G8B8);
    texture->Release();
}

TEST(TextureFakeDevice, DefaultPoolIsFilledFromASystemMemoryCopy) {
    DeviceFake device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_DEFAULT, 0, &texture), D3D_OK);
    ASSERT_EQ(device.textures.size(), 2u);
    TextureFake& target = device.textures[0];
    TextureFake& staging = device.textures[1];
    EXPECT_EQ(texture, &target);
    EXPECT_EQ(device.creates[0].pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(device.creates[1].pool, D3DPOOL_SYSTEMMEM);
    EXPECT_EQ(target.locks, 0);
    EXPECT_EQ(staging.locks, 1);
    EXPECT_EQ(device.updatedFrom, &staging);
    EXPECT_EQ(device.updatedTo, &target);
    EXPECT_EQ(staging.references, 0u);
    EXPECT_EQ(target.references, 1u);
    texture->Release();

    device.textures.clear();
    device.updateResult = D3DERR_INVALIDCALL;
    EXPECT_EQ(Load(&device, D3DPOOL_DEFAULT, 0, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(device.textures[0].references, 0u);
    EXPECT_EQ(device.textures[1].references, 0u);
}

}  // namespace
