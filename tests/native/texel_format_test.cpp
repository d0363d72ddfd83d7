#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "d3dx/image_file.h"
#include "d3dx/mip_chain.h"
#include "d3dx/texel_format.h"
#include "jpeg_writer.h"

namespace {

std::vector<uint8_t> Convert(uint32_t argb, TexelFormat format) {
    std::vector<uint8_t> out(BytesPerTexel(format) + 1, 0xEE);  // one sentinel byte
    ConvertPixelRow(&argb, 1, format, out.data());
    EXPECT_EQ(out.back(), 0xEE) << "wrote past the texel";
    out.pop_back();
    return out;
}

std::vector<uint8_t> Bytes16(uint16_t texel) {
    return {static_cast<uint8_t>(texel), static_cast<uint8_t>(texel >> 8)};
}

TEST(TexelFormat, ConvertsArgbIntoEachFormat) {
    const uint32_t pixel = 0x80FF8040;  // a = 0x80, r = 0xFF, g = 0x80, b = 0x40
    EXPECT_EQ(Convert(pixel, TexelFormat::A8R8G8B8), (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0x80}));
    EXPECT_EQ(Convert(pixel, TexelFormat::X8R8G8B8), (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0xFF}));
    EXPECT_EQ(Convert(pixel, TexelFormat::R5G6B5), Bytes16((31 << 11) | (32 << 5) | 8));
    EXPECT_EQ(Convert(pixel, TexelFormat::X1R5G5B5), Bytes16(0x8000 | (31 << 10) | (16 << 5) | 8));
    EXPECT_EQ(Convert(pixel, TexelFormat::A1R5G5B5), Bytes16(0x8000 | (31 << 10) | (16 << 5) | 8));
    EXPECT_EQ(Convert(0x7FFF8040, TexelFormat::A1R5G5B5), Bytes16((31 << 10) | (16 << 5) | 8));
    EXPECT_EQ(Convert(pixel, TexelFormat::A4R4G4B4), Bytes16(0x8F84));
}

TEST(TexelFormat, ConvertsWholeRows) {
    const std::vector<uint32_t> row = {0xFF000000, 0xFFFFFFFF, 0x00123456};
    std::vector<uint8_t> out(row.size() * 2 + 1, 0xEE);
    ConvertPixelRow(row.data(), row.size(), TexelFormat::R5G6B5, out.data());
    EXPECT_EQ(out, (std::vector<uint8_t>{0x00, 0x00, 0xFF, 0xFF, 0xAA, 0x11, 0xEE}));
}

TEST(TexelFormat, PrefersThirtyTwoBitsAndKeepsAlpha) {
    std::vector<TexelFormat> asked;
    const auto acceptAll = [&asked](TexelFormat f) {
        asked.push_back(f);
        return true;
    };
    EXPECT_EQ(ChooseTexelFormat(false, acceptAll), TexelFormat::X8R8G8B8);
    EXPECT_EQ(ChooseTexelFormat(true, acceptAll), TexelFormat::A8R8G8B8);

    const auto only16 = [](TexelFormat f) { return BytesPerTexel(f) == 2; };
    EXPECT_EQ(ChooseTexelFormat(false, only16), TexelFormat::R5G6B5);
    EXPECT_EQ(ChooseTexelFormat(true, only16), TexelFormat::A4R4G4B4);

    asked.clear();
    const auto refuseAll = [&asked](TexelFormat f) {
        asked.push_back(f);
        return false;
    };
    EXPECT_EQ(ChooseTexelFormat(true, refuseAll), TexelFormat::A8R8G8B8);
    EXPECT_EQ(asked,
              (std::vector<TexelFormat>{TexelFormat::A8R8G8B8, TexelFormat::A4R4G4B4, TexelFormat::A1R5G5B5}))
        << "an image with alpha is offered only formats that keep it";
    EXPECT_EQ(ChooseTexelFormat(false, refuseAll), TexelFormat::X8R8G8B8);
}

TEST(ImageFile, ReadsJpegByItsMarkerAndAnythingElseAsTga) {
    const std::vector<uint8_t> jpeg = WriteJpeg(16, 8, JpegSamples::Rgb, QuadrantSamples(16, 8));
    DecodedImage image;
    ImageFileKind kind = ImageFileKind::Tga;
    EXPECT_EQ(DecodeImageFile(jpeg.data(), jpeg.size(), &image, &kind), DecodeStatus::Ok);
    EXPECT_EQ(kind, ImageFileKind::Jpeg);
    EXPECT_EQ(image.width, 16u);

    const std::string text = "not an image at all";
    EXPECT_NE(DecodeImageFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &image, &kind),
              DecodeStatus::Ok);
    EXPECT_EQ(kind, ImageFileKind::Tga);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(ImageFile, ColourKeyMatchesAllThirtyTwoBits) {
    DecodedImage image;
    image.width = 3;
    image.height = 1;
    image.pixels = {0xFFFF00FF, 0x00FF00FF, 0xFF000000};
    ApplyColourKey(0, &image);
    EXPECT_FALSE(image.hasAlpha);
    ApplyColourKey(0xFF123456, &image);
    EXPECT_FALSE(image.hasAlpha) << "no pixel matched";
    ApplyColourKey(0xFFFF00FF, &image);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0, 0x00FF00FF, 0xFF000000}));
}

// Each channel of a halved pixel is the rounded mean of the 2 x 2 it covers; an odd last
// row or column is left out, and an edge one pixel wide keeps its length halved.
TEST(MipChain, EachLevelIsTheBoxMeanOfTheOneBefore) {
    DecodedImage image;
    image.width = 3;
    image.height = 2;
    image.hasAlpha = true;
    image.pixels = {0xFF000000, 0x80FFFFFF, 0x12345678,  //
                    0x00102030, 0xFF0000FF, 0x00000000};
    const DecodedImage half = HalvedImage(image);
    EXPECT_EQ(half.width, 1u);
    EXPECT_EQ(half.height, 1u);
    EXPECT_TRUE(half.hasAlpha);
    ASSERT_EQ(half.pixels.size(), 1u);
    EXPECT_EQ(half.pixels[0], 0xA044488Cu);  // (FF + 80 + 00 + FF) / 4 = A0, ...

    DecodedImage column;
    column.width = 1;
    column.height = 4;
    column.pixels = {0x10101010, 0x30303030, 0xFFFFFFFF, 0x00000000};
    const DecodedImage halfColumn = HalvedImage(column);
    EXPECT_EQ(halfColumn.width, 1u);
    EXPECT_EQ(halfColumn.height, 2u);
    EXPECT_EQ(halfColumn.pixels, (std::vector<uint32_t>{0x20202020, 0x80808080}));

    EXPECT_EQ(HalvedImage(DecodedImage{}).pixels.size(), 0u) << "an empty image stays empty";
    EXPECT_EQ(FullMipLevelCount(512, 256), 10u);
    EXPECT_EQ(FullMipLevelCount(0, 4), 0u);
}

}  // namespace
