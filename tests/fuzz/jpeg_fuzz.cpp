// Feeds arbitrary bytes down the JPEG path of texture creation: decoding by content, the
// colour key, and conversion into each texel format, checking what comes back.

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "d3dx/image_file.h"
#include "d3dx/texel_format.h"
#include "image/decoded_image.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckDecoded(const DecodedImage& image, ImageFileKind kind) {
    Require(image.width > 0 && image.width <= MaxDecodedDimension);
    Require(image.height > 0 && image.height <= MaxDecodedDimension);
    Require(image.pixels.size() == std::size_t{image.width} * image.height);
    if (kind == ImageFileKind::Jpeg) {
        Require(!image.hasAlpha);
        for (uint32_t pixel : image.pixels) {
            Require((pixel >> 24) == 0xFF);
        }
    }
}

// Each row goes into a buffer of exactly its size, so that AddressSanitizer sees any
// texel written beyond it.
void ConvertEveryRow(const DecodedImage& image, TexelFormat format) {
    std::vector<uint8_t> row(std::size_t{image.width} * BytesPerTexel(format));
    for (uint32_t y = 0; y < image.height; ++y) {
        ConvertPixelRow(&image.pixels[std::size_t{y} * image.width], image.width, format, row.data());
    }
}

// Pictures of more pixels than this are passed over. Decoding one runs the same code as a
// smaller picture, only for longer, and a few of them would take most of a long run's
// time. The decoder's own size limit and its allocation failures have unit tests.
constexpr uint64_t MaxFuzzedPixels = uint64_t{1} << 18;

// True when a JPEG holds a byte pair that looks like a frame header (SOF0 to SOF15, bar
// DHT, JPG and DAC) declaring more pixels than that. The scan ignores the segments, so it
// finds the frame header libjpeg reads, and errs towards passing an input over.
bool DeclaresLargePicture(const uint8_t* data, std::size_t size) {
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) {
        return false;
    }
    for (std::size_t i = 2; i + 8 < size; ++i) {
        const uint8_t marker = data[i + 1];
        if (data[i] != 0xFF || marker < 0xC0 || marker > 0xCF || marker == 0xC4 || marker == 0xC8 ||
            marker == 0xCC) {
            continue;
        }
        // FF Cn, segment length (2), sample precision (1), height (2), width (2)
        const uint32_t height = uint32_t{data[i + 5]} << 8 | data[i + 6];
        const uint32_t width = uint32_t{data[i + 7]} << 8 | data[i + 8];
        if (uint64_t{width} * height > MaxFuzzedPixels) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (DeclaresLargePicture(data, size)) {
        return 0;
    }
    DecodedImage image;
    ImageFileKind kind;
    DecodeStatus status;
    try {
        status = DecodeImageFile(data, size, &image, &kind);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (status != DecodeStatus::Ok) {
        Require(image.pixels.empty() && image.width == 0 && image.height == 0);
        return 0;
    }
    CheckDecoded(image, kind);
    const auto format = static_cast<TexelFormat>(size % 6);
    const uint32_t key = image.pixels.front();
    ApplyColourKey(key, &image);
    Require(key == 0 || (image.hasAlpha && image.pixels.front() == 0));
    ConvertEveryRow(image, format);
    return 0;
}
