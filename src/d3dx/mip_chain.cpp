#include "d3dx/mip_chain.h"

#include <algorithm>
#include <cstddef>

DecodedImage HalvedImage(const DecodedImage& image) {
    DecodedImage half;
    half.width = NextMipSize(image.width);
    half.height = NextMipSize(image.height);
    half.hasAlpha = image.hasAlpha;
    if (image.width == 0 || image.height == 0) {
        half.width = half.height = 0;
        return half;
    }
    half.pixels.resize(std::size_t{half.width} * half.height);
    const auto at = [&image](uint32_t x, uint32_t y) {
        return image
            .pixels[std::size_t{std::min(y, image.height - 1)} * image.width + std::min(x, image.width - 1)];
    };
    for (uint32_t y = 0; y < half.height; ++y) {
        for (uint32_t x = 0; x < half.width; ++x) {
            const uint32_t a = at(2 * x, 2 * y), b = at(2 * x + 1, 2 * y);
            const uint32_t c = at(2 * x, 2 * y + 1), d = at(2 * x + 1, 2 * y + 1);
            uint32_t mean = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) +
                                     ((d >> shift) & 0xFF);
                mean |= ((sum + 2) / 4) << shift;
            }
            half.pixels[std::size_t{y} * half.width + x] = mean;
        }
    }
    return half;
}
