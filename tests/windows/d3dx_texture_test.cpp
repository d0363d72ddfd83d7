#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "d3dx/win32/d3dx_texture.h"
#include "image/decoded_image.h"
#include "jpeg_writer.h"
#include "support/real_device.h"

namespace {

// One real device for the whole suite.
class TextureOnRealDevice : public testing::Test {
protected:
    static void SetUpTestSuite() { real = new RealDevice(64, 64); }

    static void TearDownTestSuite() {
        if (real->Device() != nullptr) {
            EXPECT_EQ(real->References(), 1u) << "every texture gave its device reference back";
        }
        delete real;
        real = nullptr;
    }

    void SetUp() override {
        device = real->Device();
        if (device == nullptr) {
            GTEST_SKIP() << "no Direct3D device: " << real->Error();
        }
    }

    // The call the scene makes for every texture resource.
    HRESULT LoadAsTheSceneDoes(const std::vector<uint8_t>& file, IDirect3DTexture8** texture) {
        return D3DXCreateTextureFromFileInMemoryEx(device, file.data(), static_cast<UINT>(file.size()),
                                                   D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                                   D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
                                                   nullptr, nullptr, texture);
    }

    static RealDevice* real;
    IDirect3DDevice8* device = nullptr;
};

RealDevice* TextureOnRealDevice::real = nullptr;

D3DSURFACE_DESC LevelOf(IDirect3DTexture8* texture) {
    D3DSURFACE_DESC desc = {};
    EXPECT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    return desc;
}

// The texels of level 0 as 32-bit values (or 16-bit ones widened), rows top first.
std::vector<uint32_t> ReadTexels(IDirect3DTexture8* texture, UINT level = 0) {
    D3DSURFACE_DESC desc = {};
    texture->GetLevelDesc(level, &desc);
    const bool wide = desc.Format == D3DFMT_A8R8G8B8 || desc.Format == D3DFMT_X8R8G8B8;
    D3DLOCKED_RECT locked = {};
    std::vector<uint32_t> texels;
    if (texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY) != D3D_OK) {
        ADD_FAILURE() << "LockRect failed";
        return texels;
    }
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch;
        for (UINT x = 0; x < desc.Width; ++x) {
            if (wide) {
                uint32_t texel;
                std::memcpy(&texel, row + 4 * x, 4);
                texels.push_back(texel);
            } else {
                uint16_t texel;
                std::memcpy(&texel, row + 2 * x, 2);
                texels.push_back(texel);
            }
        }
    }
    texture->UnlockRect(0);
    return texels;
}

void ExpectNearColour(uint32_t texel, uint32_t expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        EXPECT_NEAR(static_cast<int>((texel >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF),
                    8)
            << std::hex << "texel " << texel << " expected about " << expected;
    }
}

// 16 x 16 greyscale: top half black, bottom half white. Flat 8 x 8 blocks survive
// compression exactly.
std::vector<uint8_t> BlackOverWhiteJpeg() {
    std::vector<uint8_t> grey(16 * 16, 0);
    std::fill(grey.begin() + 128, grey.end(), 255);
    return WriteJpeg(16, 16, JpegSamples::Grey, grey);
}

// A 32-bit uncompressed TGA with bottom-left origin, given its rows top first.
std::vector<uint8_t> Tga32(uint16_t width, uint16_t height, const std::vector<uint32_t>& argbTopFirst) {
    std::vector<uint8_t> file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.push_back(static_cast<uint8_t>(width));
    file.push_back(static_cast<uint8_t>(width >> 8));
    file.push_back(static_cast<uint8_t>(height));
    file.push_back(static_cast<uint8_t>(height >> 8));
    file.push_back(32);
    file.push_back(8);  // eight alpha bits, bottom-left origin
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t argb = argbTopFirst[static_cast<std::size_t>(y) * width + x];
            for (int shift : {0, 8, 16, 24}) {
                file.push_back(static_cast<uint8_t>(argb >> shift));  // B, G, R, A
            }
        }
    }
    return file;
}

TEST_F(TextureOnRealDevice, JpegBecomesAnOpaqueManagedTextureOfItsOwnSizeWithOneLevel) {
    const std::vector<uint8_t> jpeg = WriteJpeg(64, 32, JpegSamples::Rgb, QuadrantSamples(64, 32));
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(LoadAsTheSceneDoes(jpeg, &texture), D3D_OK);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    const D3DSURFACE_DESC desc = LevelOf(texture);
    EXPECT_EQ(desc.Width, 64u);
    EXPECT_EQ(desc.Height, 32u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    const std::vector<uint32_t> texels = ReadTexels(texture);
    ASSERT_EQ(texels.size(), 64u * 32u);
    ExpectNearColour(texels[64 + 1] | 0xFF000000u, 0xFFFF0000);        // top left red
    ExpectNearColour(texels[64 + 62] | 0xFF000000u, 0xFF00FF00);       // top right green
    ExpectNearColour(texels[64 * 30 + 1] | 0xFF000000u, 0xFF0000FF);   // bottom left blue
    ExpectNearColour(texels[64 * 30 + 62] | 0xFF000000u, 0xFFFFFFFF);  // bottom right white
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, SourceInfoDescribesTheFile) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    D3DXIMAGE_INFO info = {};
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(
                  device, jpeg.data(), static_cast<UINT>(jpeg.size()), 0, 0, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                  D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, &info, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(info.Width, 16u);
    EXPECT_EQ(info.Height, 16u);
    EXPECT_EQ(info.Depth, 1u);
    EXPECT_EQ(info.MipLevels, 1u);
    EXPECT_EQ(info.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_JPG);
    EXPECT_EQ(texture->GetLevelCount(), 5u) << "D3DX_DEFAULT levels: 16 x 16 down to 1 x 1";
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, ColourKeyMakesTransparentBlackInAnAlphaFormat) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()),
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                                  D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE,
                                                  0xFF000000, nullptr, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(LevelOf(texture).Format, D3DFMT_A8R8G8B8);
    const std::vector<uint32_t> texels = ReadTexels(texture);
    ASSERT_EQ(texels.size(), 256u);
    EXPECT_EQ(texels[0], 0u);
    EXPECT_EQ(texels[255], 0xFFFFFFFFu);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, ExplicitSixteenBitFormatIsConverted) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()), 16, 16,
                                                  1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                                  D3DX_FILTER_NONE, 0, nullptr, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(LevelOf(texture).Format, D3DFMT_R5G6B5);
    const std::vector<uint32_t> texels = ReadTexels(texture);
    ASSERT_EQ(texels.size(), 256u);
    EXPECT_EQ(texels[0], 0u);
    EXPECT_EQ(texels[255], 0xFFFFu);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, DefaultPoolTextureIsFilledThroughACopy) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()),
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                                  D3DPOOL_DEFAULT, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
                                                  nullptr, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(LevelOf(texture).Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, TgaWithAlphaKeepsItsAlphaAndRowOrder) {
    // Top row: opaque red, half-transparent green; bottom row: clear blue, opaque white.
    const std::vector<uint32_t> argb = {0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFFFFFFFF};
    const std::vector<uint8_t> tga = Tga32(2, 2, argb);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(LoadAsTheSceneDoes(tga, &texture), D3D_OK);
    const D3DSURFACE_DESC desc = LevelOf(texture);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Width, 2u);
    EXPECT_EQ(ReadTexels(texture), argb);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, SizeOtherThanTheImagesIsRefusedAndLevelsStopAtOneTexel) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    const auto load = [this, &jpeg](UINT width, UINT height, UINT levels, IDirect3DTexture8** texture) {
        return D3DXCreateTextureFromFileInMemoryEx(
            device, jpeg.data(), static_cast<UINT>(jpeg.size()), width, height, levels, 0, D3DFMT_UNKNOWN,
            D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr, texture);
    };
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(0x1);  // stale value in the slot
    EXPECT_EQ(load(32, 32, 1, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    const struct {
        UINT asked;
        DWORD made;
    } levels[] = {{1, 1}, {3, 3}, {0, 5}, {40, 5}};
    for (const auto& c : levels) {
        ASSERT_EQ(load(16, D3DX_DEFAULT, c.asked, &texture), D3D_OK) << c.asked;
        EXPECT_EQ(texture->GetLevelCount(), c.made) << c.asked;
        EXPECT_EQ(texture->Release(), 0u);
    }
}

// Each level is the box mean of the one before: black over white halves into rows of
// black over rows of white, and ends in one grey texel.
TEST_F(TextureOnRealDevice, EveryLevelIsTheBoxMeanOfTheOneBefore) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(
        D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()), D3DX_DEFAULT,
                                            D3DX_DEFAULT, 0, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                            D3DX_FILTER_NONE, D3DX_DEFAULT, 0, nullptr, nullptr, &texture),
        D3D_OK);
    const std::vector<uint32_t> eight = ReadTexels(texture, 1);
    ASSERT_EQ(eight.size(), 64u);
    ExpectNearColour(eight[8 + 3] | 0xFF000000u, 0xFF000000);
    ExpectNearColour(eight[8 * 6 + 3] | 0xFF000000u, 0xFFFFFFFF);
    const std::vector<uint32_t> one = ReadTexels(texture, 4);
    ASSERT_EQ(one.size(), 1u);
    ExpectNearColour(one[0] | 0xFF000000u, 0xFF808080);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureOnRealDevice, UndecodableDataIsInvalidDataAndLeavesNoTexture) {
    std::vector<uint8_t> jpeg = WriteJpeg(64, 32, JpegSamples::Rgb, QuadrantSamples(64, 32));
    jpeg.resize(jpeg.size() / 2);
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(0x1);
    EXPECT_EQ(LoadAsTheSceneDoes(jpeg, &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);

    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(LoadAsTheSceneDoes(text, &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(TextureOnRealDevice, MissingArgumentsAreInvalidCalls) {
    const std::vector<uint8_t> jpeg = BlackOverWhiteJpeg();
    IDirect3DTexture8* texture = reinterpret_cast<IDirect3DTexture8*>(0x1);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(nullptr, jpeg.data(), static_cast<UINT>(jpeg.size()),
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                                  D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
                                                  nullptr, nullptr, &texture),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), 0, D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                                  D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                                  D3DX_FILTER_NONE, 0, nullptr, nullptr, &texture),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(
        D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()), D3DX_DEFAULT,
                                            D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                            D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, jpeg.data(), static_cast<UINT>(jpeg.size()),
                                                  D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_DXT1,
                                                  D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
                                                  nullptr, nullptr, &texture),
              D3DERR_INVALIDCALL)
        << "a format this library cannot write";
    EXPECT_EQ(texture, nullptr);
}

}  // namespace
