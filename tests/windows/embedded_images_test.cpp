// The images as the resource compiler embeds them: every texture under the type "DDS"
// with the Slovak language id, the dialog bitmaps and the icon group, each readable
// and of the size and format the program expects.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/decoded_image.h"
#include "jpeg_writer.h"
#include "resource_ids.h"

namespace {

const WORD TextureLanguage = MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT);

std::vector<uint8_t> TextureBytes(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(module, "DDS", MAKEINTRESOURCEA(id), TextureLanguage);
    if (info == nullptr) {
        return {};
    }
    const DWORD size = SizeofResource(module, info);
    HGLOBAL handle = LoadResource(module, info);
    const uint8_t* data = handle != nullptr ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    return data != nullptr ? std::vector<uint8_t>(data, data + size) : std::vector<uint8_t>();
}

// Width and height from the baseline frame header, or zeros.
bool BaselineJpegSize(const std::vector<uint8_t>& bytes, int* width, int* height, int* components) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return false;
    }
    std::size_t i = 2;
    while (i + 9 < bytes.size() && bytes[i] == 0xFF) {
        const uint8_t marker = bytes[i + 1];
        const std::size_t length = (std::size_t{bytes[i + 2]} << 8) | bytes[i + 3];
        if (marker == 0xC0) {
            *height = (bytes[i + 5] << 8) | bytes[i + 6];
            *width = (bytes[i + 7] << 8) | bytes[i + 8];
            *components = bytes[i + 9];
            return true;
        }
        if (marker == 0xDA || (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC)) {
            return false;  // scan data or a frame other than baseline
        }
        i += 2 + length;
    }
    return false;
}

struct JpegTexture {
    int id;
    int width;
    int height;
};

const JpegTexture JpegTextures[] = {
    {IDR_STARS_POS_X, 512, 512},
    {IDR_STARS_NEG_X, 512, 512},
    {IDR_STARS_POS_Y, 512, 512},
    {IDR_STARS_NEG_Y, 512, 512},
    {IDR_STARS_POS_Z, 512, 512},
    {IDR_STARS_NEG_Z, 512, 512},
    {IDR_MORE_STARS_POS_X, 512, 512},
    {IDR_MORE_STARS_NEG_X, 512, 512},
    {IDR_MORE_STARS_POS_Y, 512, 512},
    {IDR_MORE_STARS_NEG_Y, 512, 512},
    {IDR_MORE_STARS_POS_Z, 512, 512},
    {IDR_MORE_STARS_NEG_Z, 512, 512},
    {IDR_PLUTO, 512, 256},
    {IDR_NEPTUNE, 512, 256},
    {IDR_URANUS, 512, 256},
    {IDR_SATURN, 512, 256},
    {IDR_JUPITER, 512, 256},
    {IDR_MARS, 512, 256},
    {IDR_EARTH, 512, 256},
    {IDR_VENUS, 512, 256},
    {IDR_MERCURY, 512, 512},
};

TEST(EmbeddedImages, EveryJpegTextureIsABaselineColourImageOfItsSize) {
    for (const JpegTexture& texture : JpegTextures) {
        const std::vector<uint8_t> bytes = TextureBytes(texture.id);
        ASSERT_FALSE(bytes.empty()) << texture.id;
        int width = 0, height = 0, components = 0;
        ASSERT_TRUE(BaselineJpegSize(bytes, &width, &height, &components)) << texture.id;
        EXPECT_EQ(width, texture.width) << texture.id;
        EXPECT_EQ(height, texture.height) << texture.id;
        EXPECT_EQ(components, 3) << texture.id;
    }
}

// The decoder of the shipped build (libjpeg-turbo with its SIMD code) gives exactly
// libjpeg's own RGB samples of every texture, as opaque ARGB pixels.
TEST(EmbeddedImages, EveryJpegTextureDecodesToLibjpegsOwnSamples) {
    for (const JpegTexture& texture : JpegTextures) {
        const std::vector<uint8_t> bytes = TextureBytes(texture.id);
        ASSERT_FALSE(bytes.empty()) << texture.id;
        uint32_t width = 0, height = 0;
        const std::vector<uint8_t> rgb = ReadJpegRgb(bytes, &width, &height);
        DecodedImage image;
        ASSERT_EQ(DecodeJpeg(bytes.data(), bytes.size(), &image), DecodeStatus::Ok) << texture.id;
        ASSERT_EQ(image.width, width) << texture.id;
        ASSERT_EQ(image.height, height) << texture.id;
        ASSERT_EQ(image.pixels.size(), rgb.size() / 3) << texture.id;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const uint32_t expected = 0xFF000000u | (uint32_t{rgb[3 * i]} << 16) |
                                      (uint32_t{rgb[3 * i + 1]} << 8) | uint32_t{rgb[3 * i + 2]};
            ASSERT_EQ(image.pixels[i], expected) << texture.id << ", pixel " << i;
        }
    }
}

TEST(EmbeddedImages, TgaTexturesDecodeWithTheirAlphaAndOrigin) {
    struct TgaTexture {
        int id;
        uint32_t size;
        uint8_t type;
        uint8_t descriptor;
    };
    const TgaTexture textures[] = {{IDR_HALO, 128, 2, 8}, {IDR_SUN_GLOW, 512, 10, 0}, {IDR_RING, 64, 2, 8}};
    for (const TgaTexture& texture : textures) {
        const std::vector<uint8_t> bytes = TextureBytes(texture.id);
        ASSERT_GE(bytes.size(), 18u) << texture.id;
        EXPECT_EQ(bytes[2], texture.type) << texture.id;
        EXPECT_EQ(bytes[16], 32) << texture.id;
        EXPECT_EQ(bytes[17], texture.descriptor) << texture.id;
        DecodedImage image;
        ASSERT_EQ(DecodeTga(bytes.data(), bytes.size(), &image), DecodeStatus::Ok) << texture.id;
        EXPECT_EQ(image.width, texture.size) << texture.id;
        EXPECT_EQ(image.height, texture.size) << texture.id;
    }
}

TEST(EmbeddedImages, TexturesExistOnlyUnderTheirOwnLanguage) {
    HMODULE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(FindResourceExA(module, "DDS", MAKEINTRESOURCEA(IDR_EARTH),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDR_EARTH), "DDS"), nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(107), "DDS"), nullptr);
}

void ExpectEightBitBitmap(int id, LONG width, LONG height) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr) << id;
    DIBSECTION section = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section))) << id;
    EXPECT_EQ(section.dsBm.bmWidth, width) << id;
    EXPECT_EQ(section.dsBm.bmHeight, height) << id;
    EXPECT_EQ(section.dsBm.bmBitsPixel, 8) << id;
    EXPECT_EQ(section.dsBmih.biClrUsed, 256u) << id;
    DeleteObject(bitmap);
}

TEST(EmbeddedImages, DialogBitmapsAre256ColourPictures) {
    ExpectEightBitBitmap(IDB_SPACE_PICTURE, 267, 167);
    ExpectEightBitBitmap(IDB_MAKER_LOGO, 54, 96);
}

TEST(EmbeddedImages, IconGroupHoldsThreeSizes) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(IDI_SAVER), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(info, nullptr);
    const uint8_t* group = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group[4] | (group[5] << 8), 3);
    for (int i = 0; i < 3; ++i) {
        const int size = group[6 + 14 * i];  // GRPICONDIRENTRY: width first
        EXPECT_EQ(size, 16 * (i + 1));
    }
    for (int size : {16, 32, 48}) {
        HICON icon =
            static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_SAVER), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

}  // namespace
