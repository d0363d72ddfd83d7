#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "d3dx/win32/d3dx_texture.h"
#include "jpeg_writer.h"
#include "support/fake_direct3d.h"
#include "support/recording_device.h"

namespace {

// 16 x 16 greyscale: top half black, bottom half white.
std::vector<uint8_t> BlackOverWhiteJpeg() {
    std::vector<uint8_t> grey(16 * 16, 0);
    std::fill(grey.begin() + 128, grey.end(), 255);
    return WriteJpeg(16, 16, JpegSamples::Grey, grey);
}

HRESULT Load(RecordingDevice* device, D3DPOOL pool, D3DCOLOR colourKey, IDirect3DTexture8** texture) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    return D3DXCreateTextureFromFileInMemoryEx(
        device, jpeg.data(), static_cast<UINT>(jpeg.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
        pool, D3DX_FILTER_NONE, D3DX_FILTER_NONE, colourKey, nullptr, nullptr, texture);
}

TEST(TextureFakeDevice, CreateTextureFailureIsReturnedUnchanged) {
    RecordingDevice device;
    device.createTextureResult = D3DERR_OUTOFVIDEOMEMORY;
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(0x1);
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.textureCreations.size(), 1u);
    const TextureCreation& creation = device.textureCreations[0];
    EXPECT_EQ(creation, (TextureCreation{16, 16, 1, 0, creation.format, D3DPOOL_MANAGED}));
    EXPECT_EQ(device.references, 1u);
}

TEST(TextureFakeDevice, LockFailureReleasesTheTexture) {
    RecordingDevice device;
    device.textureLockResult = D3DERR_INVALIDCALL;
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures[0]->references, 0u);
}

TEST(TextureFakeDevice, RowsAreWrittenAtTheDevicesPitchAndNoFurther) {
    RecordingDevice device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    ASSERT_EQ(device.textures.size(), 1u);
    const RecordedTexture& recorded = *device.textures[0];
    EXPECT_EQ(texture, &recorded);
    EXPECT_EQ(recorded.references, 1u) << "the caller holds the only reference";
    EXPECT_EQ(recorded.locks, 1);
    EXPECT_EQ(recorded.unlocks, 1);
    EXPECT_EQ(recorded.Texel(0, 0), 0xFF000000u);
    EXPECT_EQ(recorded.Texel(15, 7), 0xFF000000u);
    EXPECT_EQ(recorded.Texel(0, 8), 0xFFFFFFFFu);
    EXPECT_EQ(recorded.Texel(15, 15), 0xFFFFFFFFu);
    EXPECT_TRUE(recorded.PaddingUntouched()) << "past a row or past the level";
    texture->Release();
}

TEST(TextureFakeDevice, LevelSmallerThanTheImageIsNeverWritten) {
    RecordingDevice device;
    device.textureShrink = 1;
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), E_FAIL);
    EXPECT_EQ(texture, nullptr);
    ASSERT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures[0]->locks, 0);
    EXPECT_EQ(device.textures[0]->references, 0u);
}

TEST(TextureFakeDevice, FallsBackToSixteenBitsWhenTheDeviceRefusesThirtyTwo) {
    FakeDirect3D direct3d;
    direct3d.acceptedFormats = {D3DFMT_R5G6B5, D3DFMT_A4R4G4B4};
    RecordingDevice device;
    device.direct3d = &direct3d;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    EXPECT_EQ(device.textureCreations.back().format, D3DFMT_R5G6B5);
    std::vector<D3DFORMAT> asked;
    for (const FakeDirect3D::FormatCheck& check : direct3d.formatChecks) {
        EXPECT_EQ(check.adapterFormat, D3DFMT_R5G6B5) << "asked for the device's display mode";
        EXPECT_EQ(check.type, D3DRTYPE_TEXTURE);
        asked.push_back(check.format);
    }
    EXPECT_EQ(asked, (std::vector<D3DFORMAT>{D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5}));
    texture->Release();

    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0xFF000000, &texture), D3D_OK);
    EXPECT_EQ(device.textureCreations.back().format, D3DFMT_A4R4G4B4) << "a colour key needs alpha";
    texture->Release();
    EXPECT_EQ(direct3d.references, 1u);
}

TEST(TextureFakeDevice, WithoutAnAnswerFromDirect3DTheFirstChoiceIsUsed) {
    RecordingDevice device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_MANAGED, 0, &texture), D3D_OK);
    EXPECT_EQ(device.textureCreations.back().format, D3DFMT_X8R8G8B8);
    texture->Release();
}

TEST(TextureFakeDevice, DefaultPoolIsFilledFromASystemMemoryCopy) {
    RecordingDevice device;
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(Load(&device, D3DPOOL_DEFAULT, 0, &texture), D3D_OK);
    ASSERT_EQ(device.textures.size(), 2u);
    const RecordedTexture& target = *device.textures[0];
    const RecordedTexture& staging = *device.textures[1];
    EXPECT_EQ(texture, &target);
    EXPECT_EQ(target.desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(staging.desc.Pool, D3DPOOL_SYSTEMMEM);
    EXPECT_EQ(target.locks, 0);
    EXPECT_EQ(staging.locks, 1);
    EXPECT_EQ(device.updatedFrom, &staging);
    EXPECT_EQ(device.updatedTo, &target);
    EXPECT_EQ(staging.references, 0u);
    EXPECT_EQ(target.references, 1u);
    texture->Release();

    device.updateTextureResult = D3DERR_INVALIDCALL;
    EXPECT_EQ(Load(&device, D3DPOOL_DEFAULT, 0, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(device.LiveTextures(), 0);
}

}  // namespace
