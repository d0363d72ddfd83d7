#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/decoded_image.h"

namespace {

// Builds TGA files byte by byte, so that every field of a test file is visible.
struct TgaBuilder {
    uint8_t idLength = 0;
    uint8_t colourMapType = 0;
    uint8_t imageType = 2;
    uint16_t colourMapLength = 0;
    uint8_t colourMapBits = 0;
    uint16_t width = 2;
    uint16_t height = 2;
    uint8_t bits = 32;
    uint8_t descriptor = 8;
    std::vector<uint8_t> body;  // id field, colour map and pixel data

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out = {idLength,
                                    colourMapType,
                                    imageType,
                                    0,
                                    0,
                                    static_cast<uint8_t>(colourMapLength),
                                    static_cast<uint8_t>(colourMapLength >> 8),
                                    colourMapBits,
                                    0,
                                    0,
                                    0,
                                    0,
                                    static_cast<uint8_t>(width),
                                    static_cast<uint8_t>(width >> 8),
                                    static_cast<uint8_t>(height),
                                    static_cast<uint8_t>(height >> 8),
                                    bits,
                                    descriptor};
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }
};

DecodeStatus Decode(const std::vector<uint8_t>& bytes, DecodedImage* image) {
    return DecodeTga(bytes.data(), bytes.size(), image);
}

// Four BGRA pixels in file order: bottom row first for a bottom-left origin.
const std::vector<uint8_t> FourPixels = {
    0x01, 0x02, 0x03, 0x04,  // file row 0, column 0
    0x11, 0x12, 0x13, 0x14,  // file row 0, column 1
    0x21, 0x22, 0x23, 0x24,  // file row 1, column 0
    0x31, 0x32, 0x33, 0x34,  // file row 1, column 1
};

TEST(TgaDecoder, BottomLeftOriginIsReturnedTopRowFirstAsArgb) {
    TgaBuilder tga;
    tga.body = FourPixels;
    DecodedImage image;
    ASSERT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Ok);
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x24232221, 0x34333231, 0x04030201, 0x14131211}));
}

TEST(TgaDecoder, TopLeftOriginKeepsFileOrder) {
    TgaBuilder tga;
    tga.descriptor = 0x28;
    tga.body = FourPixels;
    DecodedImage image;
    ASSERT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x04030201, 0x14131211, 0x24232221, 0x34333231}));
}

TEST(TgaDecoder, FourthByteIsAlphaWhateverTheDeclaredAlphaBits) {
    TgaBuilder tga;
    tga.descriptor = 0;  // declares no alpha, as the sun glow does
    tga.body = FourPixels;
    DecodedImage image;
    ASSERT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Ok);
    EXPECT_EQ(image.pixels[2], 0x04030201u);
}

TEST(TgaDecoder, TwentyFourBitPixelsAreOpaqueAndSkipIdAndColourMap) {
    TgaBuilder tga;
    tga.bits = 24;
    tga.descriptor = 0x20;
    tga.width = 1;
    tga.idLength = 3;
    tga.colourMapType = 1;  // a colour map a true-colour image may carry; it is skipped
    tga.colourMapLength = 2;
    tga.colourMapBits = 15;  // two bytes per entry
    tga.body = {'i', 'd', '!', 0xAA, 0xAA, 0xBB, 0xBB, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
    DecodedImage image;
    ASSERT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Ok);
    EXPECT_FALSE(image.hasAlpha);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF302010, 0xFF605040}));
}

TEST(TgaDecoder, RunLengthPacketsMayCrossRows) {
    TgaBuilder tga;
    tga.imageType = 10;
    tga.width = 3;
    tga.height = 2;
    tga.descriptor = 0x28;
    // A run of four across the row boundary, then a raw packet of two.
    tga.body = {0x83, 1, 2, 3, 4, 0x01, 5, 6, 7, 8, 9, 10, 11, 12};
    DecodedImage image;
    ASSERT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Ok);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x04030201, 0x04030201, 0x04030201, 0x04030201, 0x08070605,
                                                   0x0C0B0A09}));
}

TEST(TgaDecoder, TrailingFooterIsIgnored) {
    TgaBuilder tga;
    tga.body = FourPixels;
    std::vector<uint8_t> bytes = tga.Bytes();
    const char footer[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
    bytes.insert(bytes.end(), footer, footer + sizeof(footer));
    DecodedImage image;
    EXPECT_EQ(Decode(bytes, &image), DecodeStatus::Ok);
}

TEST(TgaDecoder, RejectsWhatIsNotATgaFile) {
    DecodedImage image;
    EXPECT_EQ(DecodeTga(nullptr, 0, &image), DecodeStatus::NotThisFormat);
    TgaBuilder badMapType;
    badMapType.colourMapType = 7;
    badMapType.body = FourPixels;
    EXPECT_EQ(Decode(badMapType.Bytes(), &image), DecodeStatus::NotThisFormat);
    TgaBuilder badImageType;
    badImageType.imageType = 77;
    badImageType.body = FourPixels;
    EXPECT_EQ(Decode(badImageType.Bytes(), &image), DecodeStatus::NotThisFormat);
    const std::vector<uint8_t> jpegStart = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0,
                                            1,    1,    0,    0,    1, 0,  1,   0,   0,   0};
    EXPECT_EQ(Decode(jpegStart, &image), DecodeStatus::NotThisFormat);
}

TEST(TgaDecoder, ReportsValidFilesOfKindsItDoesNotRead) {
    DecodedImage image;
    for (uint8_t type : {0, 1, 3, 9, 11}) {
        TgaBuilder tga;
        tga.imageType = type;
        tga.body = FourPixels;
        EXPECT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Unsupported) << int(type);
    }
    for (uint8_t bits : {8, 15, 16}) {
        TgaBuilder tga;
        tga.bits = bits;
        tga.body = FourPixels;
        EXPECT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Unsupported) << int(bits);
    }
    TgaBuilder rightToLeft;
    rightToLeft.descriptor = 0x18;
    rightToLeft.body = FourPixels;
    EXPECT_EQ(Decode(rightToLeft.Bytes(), &image), DecodeStatus::Unsupported);
    TgaBuilder interleaved;
    interleaved.descriptor = 0x48;
    interleaved.body = FourPixels;
    EXPECT_EQ(Decode(interleaved.Bytes(), &image), DecodeStatus::Unsupported);
}

TEST(TgaDecoder, RejectsInconsistentHeaders) {
    DecodedImage image;
    TgaBuilder noWidth;
    noWidth.width = 0;
    EXPECT_EQ(Decode(noWidth.Bytes(), &image), DecodeStatus::Corrupt);
    TgaBuilder badMapEntry;
    badMapEntry.colourMapType = 1;
    badMapEntry.colourMapLength = 1;
    badMapEntry.colourMapBits = 12;
    badMapEntry.body = FourPixels;
    EXPECT_EQ(Decode(badMapEntry.Bytes(), &image), DecodeStatus::Corrupt);
    TgaBuilder huge;
    huge.width = 20000;
    huge.body = FourPixels;
    EXPECT_EQ(Decode(huge.Bytes(), &image), DecodeStatus::TooLarge);
}

TEST(TgaDecoder, ChecksEverySizeAgainstTheData) {
    DecodedImage image;
    TgaBuilder shortPixels;
    shortPixels.body.assign(FourPixels.begin(), FourPixels.end() - 1);
    EXPECT_EQ(Decode(shortPixels.Bytes(), &image), DecodeStatus::Truncated);

    TgaBuilder idPastEnd;
    idPastEnd.idLength = 200;
    idPastEnd.body = FourPixels;
    EXPECT_EQ(Decode(idPastEnd.Bytes(), &image), DecodeStatus::Truncated);

    TgaBuilder mapPastEnd;
    mapPastEnd.colourMapType = 1;
    mapPastEnd.colourMapLength = 0xFFFF;
    mapPastEnd.colourMapBits = 32;
    mapPastEnd.body = FourPixels;
    EXPECT_EQ(Decode(mapPastEnd.Bytes(), &image), DecodeStatus::Truncated);

    const std::vector<uint8_t> halfHeader = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Decode(halfHeader, &image), DecodeStatus::Truncated);
}

TEST(TgaDecoder, RejectsRunLengthDataThatOverrunsTheImageOrTheInput) {
    DecodedImage image;
    TgaBuilder overrun;
    overrun.imageType = 10;
    overrun.body = {0x84, 1, 2, 3, 4};  // a run of five into four pixels
    EXPECT_EQ(Decode(overrun.Bytes(), &image), DecodeStatus::Corrupt);

    TgaBuilder rawOverrun;
    rawOverrun.imageType = 10;
    rawOverrun.body.assign(1 + 5 * 4, 7);
    rawOverrun.body[0] = 0x04;  // a raw packet of five
    EXPECT_EQ(Decode(rawOverrun.Bytes(), &image), DecodeStatus::Corrupt);

    TgaBuilder endsEarly;
    endsEarly.imageType = 10;
    endsEarly.body = {0x81, 1, 2, 3, 4, 0x01, 5, 6, 7};  // the raw packet lacks five bytes
    EXPECT_EQ(Decode(endsEarly.Bytes(), &image), DecodeStatus::Truncated);

    TgaBuilder noPackets;
    noPackets.imageType = 10;
    noPackets.body = {0x81, 1, 2, 3, 4};  // two of four pixels
    EXPECT_EQ(Decode(noPackets.Bytes(), &image), DecodeStatus::Truncated);
}

TEST(TgaDecoder, LargeDimensionsWithLittleDataAreRejectedBeforeAllocating) {
    DecodedImage image;
    TgaBuilder tga;
    tga.imageType = 10;
    tga.width = 16384;
    tga.height = 16384;
    tga.body = {0xFF, 1, 2, 3, 4};
    EXPECT_EQ(Decode(tga.Bytes(), &image), DecodeStatus::Truncated);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(TgaDecoder, EveryTruncationOfAValidFileFailsAndLeavesNoImage) {
    TgaBuilder tga;
    tga.imageType = 10;
    tga.width = 3;
    tga.height = 2;
    tga.body = {0x83, 1, 2, 3, 4, 0x01, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::vector<uint8_t> bytes = tga.Bytes();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        DecodedImage image;
        image.width = 99;
        image.pixels.assign(3, 1);
        EXPECT_NE(DecodeTga(bytes.data(), size, &image), DecodeStatus::Ok) << size;
        EXPECT_EQ(image.width, 0u);
        EXPECT_TRUE(image.pixels.empty());
    }
}

}  // namespace
