#include "text/glyph_coverage.h"

#include <cstddef>

uint16_t GlyphTexel(uint32_t pixel) {
    const uint16_t alpha = static_cast<uint16_t>((pixel & 0xFF) >> 4);
    return alpha > 0 ? static_cast<uint16_t>((alpha << 12) | 0x0FFF) : 0x0000;
}

void ConvertGlyphCoverage(const uint32_t* pixels, uint32_t width, uint32_t height, void* texels, int pitch) {
    unsigned char* row = static_cast<unsigned char*>(texels);
    for (uint32_t y = 0; y < height; ++y) {
        uint16_t* out = reinterpret_cast<uint16_t*>(row);
        const uint32_t* in = pixels + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            out[x] = GlyphTexel(in[x]);
        }
        row += pitch;
    }
}
