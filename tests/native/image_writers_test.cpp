// The image tool's encoders, checked by decoding what they write: TGA through our own
// decoder, JPEG through libjpeg, BMP, ICO and PNG by parsing their structures.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "bmp_writer.h"
#include "ico_writer.h"
#include "image/decoded_image.h"
#include "indexed_image.h"
#include "jpeg_writer.h"
#include "png_writer.h"
#include "tga_writer.h"

namespace {

uint32_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}
uint32_t Be32(const std::vector<uint8_t>& b, std::size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}

// An image with long runs, lone pixels and varying alpha, so that every kind of
// run-length packet is written.
Image TestPattern(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool flat = x < width / 2;
            image.at(x, y) = flat ? Rgba{10, 20, 30, static_cast<uint8_t>(y)}
                                  : Rgba{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 3),
                                         static_cast<uint8_t>(x + y), static_cast<uint8_t>(255 - x)};
        }
    }
    return image;
}

uint32_t Argb(const Rgba& p) {
    return (uint32_t{p.a} << 24) | (uint32_t{p.r} << 16) | (uint32_t{p.g} << 8) | p.b;
}

void ExpectSamePixels(const Image& original, const DecodedImage& decoded) {
    ASSERT_EQ(decoded.width, static_cast<uint32_t>(original.width()));
    ASSERT_EQ(decoded.height, static_cast<uint32_t>(original.height()));
    for (int y = 0; y < original.height(); ++y) {
        for (int x = 0; x < original.width(); ++x) {
            ASSERT_EQ(decoded.pixels[static_cast<std::size_t>(y) * decoded.width + x],
                      Argb(original.at(x, y)))
                << x << "," << y;
        }
    }
}

TEST(TgaWriter, UncompressedRoundTripsWithAlphaAndBottomLeftOrigin) {
    const Image image = TestPattern(300, 7);  // wider than one packet
    const std::vector<uint8_t> tga = EncodeTga(image, TgaOptions{false, 8});
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(tga[17], 8);  // 8 alpha bits, origin bits clear
    EXPECT_EQ(tga.size(), 18u + 300u * 7u * 4u + 26u);
    DecodedImage decoded;
    ASSERT_EQ(DecodeTga(tga.data(), tga.size(), &decoded), DecodeStatus::Ok);
    ExpectSamePixels(image, decoded);
}

TEST(TgaWriter, RunLengthRoundTripsAndDeclaresTheGivenAlphaBits) {
    const Image image = TestPattern(300, 7);
    const std::vector<uint8_t> tga = EncodeTga(image, TgaOptions{true, 0});
    EXPECT_EQ(tga[2], 10);
    EXPECT_EQ(tga[17], 0);
    EXPECT_LT(tga.size(), 18u + 300u * 7u * 4u);
    DecodedImage decoded;
    ASSERT_EQ(DecodeTga(tga.data(), tga.size(), &decoded), DecodeStatus::Ok);
    ExpectSamePixels(image, decoded);
}

TEST(TgaWriter, RunLengthPacketsStayWithinOneRow) {
    const int width = 5, height = 4;
    Image image(width, height);  // all pixels equal: the worst case for crossing rows
    const std::vector<uint8_t> tga = EncodeTga(image, TgaOptions{true, 8});
    std::size_t pos = 18;
    for (int row = 0; row < height; ++row) {
        int pixels = 0;
        while (pixels < width) {
            const uint8_t packet = tga[pos++];
            const int count = (packet & 0x7F) + 1;
            pixels += count;
            pos += (packet & 0x80) ? 4 : 4 * count;
        }
        EXPECT_EQ(pixels, width) << row;
    }
    EXPECT_EQ(std::memcmp(tga.data() + pos + 8, "TRUEVISION-XFILE.", 18), 0);
}

struct JpegInfo {
    int width = 0, height = 0, components = 0;
    bool progressive = false;
    bool jfif = false;
    std::vector<uint8_t> rgb;
};

JpegInfo DecodeWithLibjpeg(const std::vector<uint8_t>& bytes) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    JpegInfo info;
    info.components = cinfo.num_components;
    info.progressive = cinfo.progressive_mode;
    info.jfif = cinfo.saw_JFIF_marker;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    info.width = static_cast<int>(cinfo.output_width);
    info.height = static_cast<int>(cinfo.output_height);
    info.rgb.resize(static_cast<std::size_t>(info.width) * info.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = info.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * info.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return info;
}

bool HasMarker(const std::vector<uint8_t>& bytes, uint8_t marker) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) {
            return true;
        }
    }
    return false;
}

TEST(JpegWriter, WritesBaselineJfifThatLibjpegDecodesFaithfully) {
    Image image(64, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 64; ++x) {
            image.at(x, y) = Rgba{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 6), 128, 255};
        }
    }
    const std::vector<uint8_t> jpeg = EncodeJpeg(image, 90);
    EXPECT_TRUE(HasMarker(jpeg, 0xC0));   // baseline frame
    EXPECT_FALSE(HasMarker(jpeg, 0xC2));  // no progressive frame
    const JpegInfo info = DecodeWithLibjpeg(jpeg);
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 40);
    EXPECT_EQ(info.components, 3);
    EXPECT_FALSE(info.progressive);
    EXPECT_TRUE(info.jfif);
    double error = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 64; ++x) {
            const uint8_t* p = &info.rgb[(static_cast<std::size_t>(y) * 64 + x) * 3];
            error += std::abs(p[0] - image.at(x, y).r) + std::abs(p[1] - image.at(x, y).g) +
                     std::abs(p[2] - image.at(x, y).b);
        }
    }
    EXPECT_LT(error / (64 * 40 * 3), 2.0);
}

TEST(JpegWriter, KeepsASingleBrightPixelsColour) {
    Image image(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            image.at(x, y) = Rgba{0, 0, 0, 255};
        }
    }
    image.at(5, 9) = Rgba{255, 170, 90, 255};  // an orange star
    const JpegInfo info = DecodeWithLibjpeg(EncodeJpeg(image, 92));
    const uint8_t* p = &info.rgb[(9 * 16 + 5) * 3];
    EXPECT_GT(p[0], 200);
    EXPECT_GT(p[0], p[2] + 80);  // still clearly orange: chroma is not subsampled
}

IndexedImage FourColours() {
    Image image(5, 3);
    const Rgba colours[4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {40, 40, 40, 255}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.at(x, y) = colours[(x + y * 2) % 4];
        }
    }
    return Quantize(image, 256);
}

TEST(Quantizer, ImagesWithFewColoursAreKeptExactly) {
    const IndexedImage indexed = FourColours();
    ASSERT_EQ(indexed.palette.size(), 256u);
    const Rgba expected[4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {40, 40, 40, 255}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const Rgba& got = indexed.palette[indexed.indices[static_cast<std::size_t>(y) * 5 + x]];
            const Rgba& want = expected[(x + y * 2) % 4];
            EXPECT_EQ(got.r, want.r);
            EXPECT_EQ(got.g, want.g);
            EXPECT_EQ(got.b, want.b);
        }
    }
}

TEST(BmpWriter, WritesAnEightBitBottomUpBitmapWithPaddedRows) {
    const IndexedImage indexed = FourColours();
    const std::vector<uint8_t> bmp = EncodeBmp8(indexed);
    const uint32_t stride = 8;  // 5 pixels padded to 4 bytes
    ASSERT_EQ(bmp.size(), 14u + 40u + 1024u + stride * 3u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 10), 14u + 40u + 1024u);
    EXPECT_EQ(Le32(bmp, 14), 40u);
    EXPECT_EQ(Le32(bmp, 18), 5u);
    EXPECT_EQ(Le32(bmp, 22), 3u);  // positive height: bottom-up
    EXPECT_EQ(Le16(bmp, 28), 8u);
    EXPECT_EQ(Le32(bmp, 30), 0u);  // BI_RGB
    EXPECT_EQ(Le32(bmp, 46), 256u);
    const std::size_t pixels = Le32(bmp, 10);
    // The last stored row is the top row of the image.
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(bmp[pixels + 2 * stride + x], indexed.indices[static_cast<std::size_t>(x)]);
        EXPECT_EQ(bmp[pixels + x], indexed.indices[static_cast<std::size_t>(2 * 5 + x)]);
    }
    const uint8_t index = indexed.indices[0];
    const std::size_t entry = 54 + 4u * index;
    EXPECT_EQ(bmp[entry + 2], indexed.palette[index].r);  // palette entries are BGR0
    EXPECT_EQ(bmp[entry + 0], indexed.palette[index].b);
}

TEST(IcoWriter, WritesOneDirectoryEntryPerImage) {
    const std::vector<Image> images = {Image(16, 16), Image(32, 32), Image(48, 48)};
    const std::vector<uint8_t> ico = EncodeIcon(images);
    EXPECT_EQ(Le16(ico, 0), 0u);
    EXPECT_EQ(Le16(ico, 2), 1u);
    ASSERT_EQ(Le16(ico, 4), 3u);
    std::size_t expectedOffset = 6 + 3 * 16;
    for (int i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const uint32_t size = static_cast<uint32_t>(images[static_cast<std::size_t>(i)].width());
        EXPECT_EQ(ico[entry], size);
        EXPECT_EQ(ico[entry + 1], size);
        EXPECT_EQ(Le16(ico, entry + 6), 32u);
        const uint32_t bytes = Le32(ico, entry + 8);
        const uint32_t offset = Le32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        const uint32_t maskStride = ((size + 31) / 32) * 4;
        EXPECT_EQ(bytes, 40 + size * size * 4 + maskStride * size);
        EXPECT_EQ(Le32(ico, offset), 40u);
        EXPECT_EQ(Le32(ico, offset + 8), size * 2);  // colour and mask halves
        expectedOffset += bytes;
    }
    EXPECT_EQ(ico.size(), expectedOffset);
}

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
    }
    return c ^ 0xFFFFFFFFu;
}

TEST(PngWriter, WritesValidChunksWhoseStoredBlocksHoldTheRows) {
    Image image(3, 2);
    image.at(2, 1) = Rgba{9, 8, 7, 255};
    const std::vector<uint8_t> png = EncodePng(image);
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_EQ(std::memcmp(png.data(), signature, 8), 0);
    std::size_t pos = 8;
    std::vector<uint8_t> zlib;
    std::vector<std::string> types;
    while (pos < png.size()) {
        const uint32_t length = Be32(png, pos);
        types.emplace_back(reinterpret_cast<const char*>(&png[pos + 4]), 4);
        EXPECT_EQ(Be32(png, pos + 8 + length), Crc32(&png[pos + 4], length + 4)) << types.back();
        if (types.back() == "IHDR") {
            EXPECT_EQ(Be32(png, pos + 8), 3u);
            EXPECT_EQ(Be32(png, pos + 12), 2u);
        }
        if (types.back() == "IDAT") {
            zlib.assign(png.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(pos + 8 + length));
        }
        pos += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_EQ(zlib.size(), 2u + 5u + 20u + 4u);
    EXPECT_EQ(zlib[2], 1);          // one final stored block
    EXPECT_EQ(Le16(zlib, 3), 20u);  // two rows of a filter byte and three RGB pixels
    EXPECT_EQ(Le16(zlib, 5), 0xFFFFu - 20u);
    const std::vector<uint8_t> raw(zlib.begin() + 7, zlib.begin() + 27);
    EXPECT_EQ(raw[10], 0);  // the second row's filter byte
    EXPECT_EQ(raw[17], 9);
    EXPECT_EQ(raw[18], 8);
    EXPECT_EQ(raw[19], 7);
}

}  // namespace
