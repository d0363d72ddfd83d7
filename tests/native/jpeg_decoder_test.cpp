#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "image/decoded_image.h"
#include "jpeg_writer.h"

namespace {

uint8_t Red(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 16);
}
uint8_t Green(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 8);
}
uint8_t Blue(uint32_t argb) {
    return static_cast<uint8_t>(argb);
}
uint8_t Alpha(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 24);
}

// Compression moves colours a little; a wrong channel or row order moves them by 255.
void ExpectNear(uint32_t argb, int r, int g, int b) {
    EXPECT_EQ(Alpha(argb), 0xFF);
    EXPECT_NEAR(Red(argb), r, 8);
    EXPECT_NEAR(Green(argb), g, 8);
    EXPECT_NEAR(Blue(argb), b, 8);
}

std::vector<uint8_t> QuadrantJpeg(uint32_t width, uint32_t height, const JpegWriteOptions& options = {}) {
    return WriteJpeg(width, height, JpegSamples::Rgb, QuadrantSamples(width, height), options);
}

DecodeStatus Decode(const std::vector<uint8_t>& jpeg, DecodedImage* image) {
    return DecodeJpeg(jpeg.data(), jpeg.size(), image);
}

void ExpectQuadrants(const DecodedImage& image, uint32_t width, uint32_t height) {
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    ASSERT_EQ(image.pixels.size(), std::size_t{width} * height);
    EXPECT_FALSE(image.hasAlpha);
    const auto at = [&](uint32_t x, uint32_t y) { return image.pixels[std::size_t{y} * width + x]; };
    ExpectNear(at(1, 1), 255, 0, 0);                       // top left: red
    ExpectNear(at(width - 2, 1), 0, 255, 0);               // top right: green
    ExpectNear(at(1, height - 2), 0, 0, 255);              // bottom left: blue
    ExpectNear(at(width - 2, height - 2), 255, 255, 255);  // bottom right: white
}

TEST(JpegDecoder, DecodesColourTopRowFirstAsOpaqueArgb) {
    DecodedImage image;
    ASSERT_EQ(Decode(QuadrantJpeg(32, 16), &image), DecodeStatus::Ok);
    ExpectQuadrants(image, 32, 16);
}

TEST(JpegDecoder, DecodesProgressiveAndSubsampledImages) {
    JpegWriteOptions progressive;
    progressive.progressive = true;
    DecodedImage image;
    ASSERT_EQ(Decode(QuadrantJpeg(48, 32, progressive), &image), DecodeStatus::Ok);
    ExpectQuadrants(image, 48, 32);

    JpegWriteOptions subsampled;
    subsampled.fullChroma = false;
    ASSERT_EQ(Decode(QuadrantJpeg(64, 32, subsampled), &image), DecodeStatus::Ok);
    ExpectQuadrants(image, 64, 32);
}

TEST(JpegDecoder, DecodesOddSizes) {
    DecodedImage image;
    ASSERT_EQ(Decode(QuadrantJpeg(17, 5), &image), DecodeStatus::Ok);
    EXPECT_EQ(image.width, 17u);
    EXPECT_EQ(image.height, 5u);
    EXPECT_EQ(image.pixels.size(), 85u);
}

TEST(JpegDecoder, GreyscaleBecomesEqualChannels) {
    std::vector<uint8_t> grey(16 * 16);
    for (std::size_t i = 0; i < grey.size(); ++i) {
        grey[i] = i < grey.size() / 2 ? 40 : 200;  // dark top half, light bottom half
    }
    DecodedImage image;
    ASSERT_EQ(Decode(WriteJpeg(16, 16, JpegSamples::Grey, grey), &image), DecodeStatus::Ok);
    ASSERT_EQ(image.pixels.size(), 256u);
    ExpectNear(image.pixels[0], 40, 40, 40);
    ExpectNear(image.pixels[255], 200, 200, 200);
    for (uint32_t pixel : image.pixels) {
        ASSERT_EQ(Red(pixel), Green(pixel));
        ASSERT_EQ(Green(pixel), Blue(pixel));
    }
}

// Noise with a gradient under it: every rounding step of the colour conversion and the
// chroma upsampling shows in the samples.
std::vector<uint8_t> NoisySamples(uint32_t width, uint32_t height, int components) {
    std::vector<uint8_t> samples(std::size_t{width} * height * static_cast<std::size_t>(components));
    uint32_t state = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        state = state * 1103515245u + 12345u;
        samples[i] = static_cast<uint8_t>((i * 7 / samples.size()) * 32 + ((state >> 16) & 31));
    }
    return samples;
}

// The decoder lets libjpeg write ARGB pixels directly; they must hold exactly the samples
// of libjpeg's own RGB output, for every kind of file the decoder reads.
TEST(JpegDecoder, PixelsAreLibjpegsOwnSamplesBitForBit) {
    struct Case {
        const char* name;
        uint32_t width;
        uint32_t height;
        JpegSamples kind;
        JpegWriteOptions options;
    };
    const Case cases[] = {
        {"4:4:4", 64, 48, JpegSamples::Rgb, {90, false, true}},
        {"4:2:0", 64, 48, JpegSamples::Rgb, {75, false, false}},
        {"4:2:0, odd size", 37, 21, JpegSamples::Rgb, {75, false, false}},
        {"progressive 4:2:0", 64, 48, JpegSamples::Rgb, {75, true, false}},
        {"greyscale", 40, 24, JpegSamples::Grey, {75, false, true}},
    };
    for (const Case& c : cases) {
        const int components = c.kind == JpegSamples::Grey ? 1 : 3;
        const std::vector<uint8_t> jpeg =
            WriteJpeg(c.width, c.height, c.kind, NoisySamples(c.width, c.height, components), c.options);
        uint32_t width = 0, height = 0;
        const std::vector<uint8_t> rgb = ReadJpegRgb(jpeg, &width, &height);
        DecodedImage image;
        ASSERT_EQ(Decode(jpeg, &image), DecodeStatus::Ok) << c.name;
        ASSERT_EQ(image.width, width) << c.name;
        ASSERT_EQ(image.height, height) << c.name;
        ASSERT_EQ(image.pixels.size(), rgb.size() / 3) << c.name;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const uint32_t expected = 0xFF000000u | (uint32_t{rgb[3 * i]} << 16) |
                                      (uint32_t{rgb[3 * i + 1]} << 8) | uint32_t{rgb[3 * i + 2]};
            ASSERT_EQ(image.pixels[i], expected) << c.name << ", pixel " << i;
        }
    }
}

TEST(JpegDecoder, RefusesCmykAsUnsupported) {
    const std::vector<uint8_t> cmyk(8 * 8 * 4, 0x80);
    DecodedImage image;
    EXPECT_EQ(Decode(WriteJpeg(8, 8, JpegSamples::Cmyk, cmyk), &image), DecodeStatus::Unsupported);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(JpegDecoder, OtherDataIsNotThisFormat) {
    DecodedImage image;
    const std::string gif = "GIF89a\x01\x00\x01\x00";
    EXPECT_EQ(DecodeJpeg(reinterpret_cast<const uint8_t*>(gif.data()), gif.size(), &image),
              DecodeStatus::NotThisFormat);
    EXPECT_EQ(DecodeJpeg(nullptr, 0, &image), DecodeStatus::NotThisFormat);
    const uint8_t one[] = {0xFF};
    EXPECT_EQ(DecodeJpeg(one, 1, &image), DecodeStatus::Truncated);
    EXPECT_EQ(DecodeJpeg(one, 0, &image), DecodeStatus::NotThisFormat);
    EXPECT_EQ(DecodeJpeg(one, 1, nullptr), DecodeStatus::NotThisFormat);
}

// Every cut, from inside the markers to the end-of-image marker, is refused, and nothing
// of a previous image is left behind.
TEST(JpegDecoder, EveryTruncationIsRefused) {
    const std::vector<uint8_t> jpeg = QuadrantJpeg(16, 16);
    for (std::size_t length = 2; length < jpeg.size(); ++length) {
        DecodedImage image;
        image.pixels.assign(4, 1u);
        // A copy of exactly the cut length: reading past it is an error ASan reports.
        const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(Decode(cut, &image), DecodeStatus::Truncated) << "cut at " << length;
        ASSERT_TRUE(image.pixels.empty());
        ASSERT_EQ(image.width, 0u);
    }
}

TEST(JpegDecoder, MarkerInsideScanDataIsCorrupt) {
    std::vector<uint8_t> jpeg = QuadrantJpeg(64, 64, {50, false, true});
    const std::size_t scan = FindMarker(jpeg, 0xDA);
    ASSERT_LT(scan + 40, jpeg.size());
    const std::size_t middle = scan + (jpeg.size() - scan) / 2;
    jpeg[middle] = 0xFF;
    jpeg[middle + 1] = 0xC4;  // a table marker where entropy-coded data must be
    DecodedImage image;
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::Corrupt);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(JpegDecoder, ZeroSizeFrameIsCorrupt) {
    std::vector<uint8_t> jpeg = QuadrantJpeg(8, 8);
    SetFrameSize(jpeg, 0, 8);
    DecodedImage image;
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::Corrupt);
}

TEST(JpegDecoder, HeaderWithoutImageIsCorrupt) {
    const std::vector<uint8_t> jpeg = QuadrantJpeg(8, 8);
    std::vector<uint8_t> tablesOnly(jpeg.begin(),
                                    jpeg.begin() + static_cast<std::ptrdiff_t>(FindMarker(jpeg, 0xC0)));
    tablesOnly.push_back(0xFF);
    tablesOnly.push_back(0xD9);
    DecodedImage image;
    EXPECT_EQ(Decode(tablesOnly, &image), DecodeStatus::Corrupt);
}

// Any single damaged byte gives some answer and, when it is Ok, a consistent image;
// under AddressSanitizer this also shows that nothing is read or written out of bounds.
TEST(JpegDecoder, DamagedBytesGiveConsistentAnswers) {
    const std::vector<uint8_t> jpeg = QuadrantJpeg(16, 16, {75, false, false});
    for (std::size_t i = 2; i < jpeg.size(); ++i) {
        for (uint8_t flip : {uint8_t{0xFF}, uint8_t{0x01}}) {
            std::vector<uint8_t> damaged = jpeg;
            damaged[i] ^= flip;
            DecodedImage image;
            if (Decode(damaged, &image) == DecodeStatus::Ok) {
                ASSERT_EQ(image.pixels.size(), std::size_t{image.width} * image.height) << "byte " << i;
            } else {
                ASSERT_TRUE(image.pixels.empty()) << "byte " << i;
            }
        }
    }
}

TEST(JpegDecoder, DimensionsAboveTheLimitAreRefusedBeforeDecoding) {
    std::vector<uint8_t> jpeg = QuadrantJpeg(8, 8);
    SetFrameSize(jpeg, static_cast<uint16_t>(MaxDecodedDimension + 1), 8);
    DecodedImage image;
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::TooLarge);
    SetFrameSize(jpeg, 8, static_cast<uint16_t>(MaxDecodedDimension + 1));
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::TooLarge);
    // At the limit the size is accepted; the 8 x 8 image's data then ends early.
    SetFrameSize(jpeg, static_cast<uint16_t>(MaxDecodedDimension),
                 static_cast<uint16_t>(MaxDecodedDimension));
    const DecodeStatus atLimit = Decode(jpeg, &image);
    EXPECT_TRUE(atLimit == DecodeStatus::Corrupt || atLimit == DecodeStatus::Truncated);
    EXPECT_TRUE(image.pixels.empty());
}

// A progressive image keeps all its coefficients in memory; a forged header must not
// make the library claim gigabytes for them.
TEST(JpegDecoder, ProgressiveImageTooLargeForWorkingMemory) {
    JpegWriteOptions progressive;
    progressive.progressive = true;
    std::vector<uint8_t> jpeg = QuadrantJpeg(8, 8, progressive);
    SetFrameSize(jpeg, static_cast<uint16_t>(MaxDecodedDimension),
                 static_cast<uint16_t>(MaxDecodedDimension));
    DecodedImage image;
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::TooLarge);
}

// Progressive files may refine each coefficient in a scan of its own; past a few hundred
// scans the file is refused rather than decoded scan after scan.
TEST(JpegDecoder, ProgressiveFileWithTooManyScansIsCorrupt) {
    JpegWriteOptions fewScans;
    fewScans.scanPerCoefficient = true;
    DecodedImage image;
    std::vector<uint8_t> grey(8 * 8, 0x80);
    ASSERT_EQ(Decode(WriteJpeg(8, 8, JpegSamples::Grey, grey, fewScans), &image), DecodeStatus::Ok)
        << "253 scans are accepted";
    EXPECT_EQ(Decode(QuadrantJpeg(16, 16, fewScans), &image), DecodeStatus::Corrupt) << "757 scans are not";
    EXPECT_TRUE(image.pixels.empty());
}

// Stray bytes between markers draw a warning from libjpeg but leave the pixels intact:
// the image is kept and nothing is printed.
TEST(JpegDecoder, HarmlessWarningsKeepTheImageAndPrintNothing) {
    std::vector<uint8_t> jpeg = QuadrantJpeg(16, 16);
    const std::size_t frame = FindMarker(jpeg, 0xC0);
    jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(frame), {0x00, 0x11, 0x22});
    DecodedImage image;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    const DecodeStatus status = Decode(jpeg, &image);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, DecodeStatus::Ok);
    ExpectQuadrants(image, 16, 16);
    EXPECT_EQ(out + err, "");
}

TEST(JpegDecoder, ErrorsPrintNothing) {
    std::vector<uint8_t> jpeg = QuadrantJpeg(16, 16);
    jpeg.resize(jpeg.size() / 2);
    DecodedImage image;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Decode(jpeg, &image), DecodeStatus::Truncated);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
