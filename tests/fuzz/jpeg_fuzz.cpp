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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
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
