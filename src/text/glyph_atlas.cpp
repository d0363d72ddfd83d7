#include "text/glyph_atlas.h"

#include <algorithm>
#include <cstddef>

namespace {
enum { Left, Top, Right, Bottom };
}

float GlyphTexelWidth(const GlyphAtlas& atlas, unsigned char c) {
    const float* coords = GlyphCoordsOf(atlas, c);
    return (coords[Right] - coords[Left]) * atlas.texWidth;
}

float GlyphTexelHeight(const GlyphAtlas& atlas, unsigned char c) {
    const float* coords = GlyphCoordsOf(atlas, c);
    return (coords[Bottom] - coords[Top]) * atlas.texHeight;
}

uint32_t GlyphTextureSize(uint32_t height) {
    if (height > 40) {
        return 1024;
    }
    if (height > 20) {
        return 512;
    }
    return 256;
}

uint32_t SquareTextureLimit(uint32_t maxTextureWidth, uint32_t maxTextureHeight) {
    if (maxTextureWidth == 0 || maxTextureHeight == 0) {
        return std::max(maxTextureWidth, maxTextureHeight);
    }
    return std::min(maxTextureWidth, maxTextureHeight);
}

GlyphTextureFit FitGlyphTexture(uint32_t size, uint32_t maxTextureWidth) {
    if (maxTextureWidth == 0 || size <= maxTextureWidth) {
        return {size, 1.0f};
    }
    return {maxTextureWidth, static_cast<float>(maxTextureWidth) / static_cast<float>(size)};
}

GlyphTextureFit ChooseGlyphTexture(uint32_t height, uint32_t maxTextureWidth,
                                   const std::function<bool(const GlyphTextureFit&)>& fits) {
    uint32_t wanted = GlyphTextureSize(height);
    GlyphTextureFit fit = FitGlyphTexture(wanted, maxTextureWidth);
    for (int step = 0; step < MaxGlyphTextureSteps && !fits(fit); ++step) {
        wanted *= 2;
        fit = FitGlyphTexture(wanted, maxTextureWidth);
    }
    return fit;
}

int PackGlyphs(const GlyphExtent (&extents)[GlyphCharCount], GlyphPosition (&positions)[GlyphCharCount],
               GlyphAtlas& atlas) {
    const int width = static_cast<int>(atlas.texWidth);
    const float texWidth = static_cast<float>(atlas.texWidth);
    const float texHeight = static_cast<float>(atlas.texHeight);
    int x = 0;
    int y = 0;
    int bottom = 0;
    for (int i = 0; i < GlyphCharCount; ++i) {
        const GlyphExtent& size = extents[i];
        if (x + size.cx + 1 > width) {
            x = 0;
            y += size.cy + 1;
        }
        positions[i] = {x, y};
        float* coords = atlas.glyphCoords[i];
        coords[0] = x / texWidth;
        coords[1] = y / texHeight;
        coords[2] = (x + size.cx) / texWidth;
        coords[3] = (y + size.cy) / texHeight;
        bottom = std::max(bottom, y + size.cy);
        x += size.cx + 1;
    }
    return bottom;
}

bool GlyphsFitTexture(const GlyphExtent (&extents)[GlyphCharCount], uint32_t size) {
    GlyphAtlas atlas;
    atlas.texWidth = size;
    atlas.texHeight = size;
    GlyphPosition positions[GlyphCharCount];
    if (PackGlyphs(extents, positions, atlas) > static_cast<int>(size)) {
        return false;
    }
    // A glyph wider than the whole row still runs past its right edge.
    for (int i = 0; i < GlyphCharCount; ++i) {
        if (positions[i].x + extents[i].cx > static_cast<int>(size)) {
            return false;
        }
    }
    return true;
}

uint16_t GlyphTexel(uint32_t pixel) {
    const uint16_t alpha = static_cast<uint16_t>((pixel & 0xFF) >> 4);
    return alpha > 0 ? static_cast<uint16_t>((alpha << 12) | 0x0FFF) : 0x0000;
}

namespace {

// Coverage in the low byte of each source texel (a drawn pixel or a coverage byte) into
// A4R4G4B4 texels, rows `pitch` bytes apart.
template <typename Source>
void ConvertToGlyphTexels(const Source* source, uint32_t width, uint32_t height, void* texels, int pitch) {
    unsigned char* row = static_cast<unsigned char*>(texels);
    for (uint32_t y = 0; y < height; ++y) {
        uint16_t* out = reinterpret_cast<uint16_t*>(row);
        const Source* in = source + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            out[x] = GlyphTexel(in[x]);
        }
        row += pitch;
    }
}

}  // namespace

void ConvertGlyphCoverage(const uint32_t* pixels, uint32_t width, uint32_t height, void* texels, int pitch) {
    ConvertToGlyphTexels(pixels, width, height, texels, pitch);
}

void GlyphCoverageOf(const uint32_t* pixels, uint32_t width, uint32_t height, uint8_t* coverage) {
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) {
        coverage[i] = static_cast<uint8_t>(pixels[i] & 0xFF);
    }
}

void HalveCoverage(const uint8_t* coverage, uint32_t width, uint32_t height, uint8_t* half) {
    const uint32_t halfWidth = NextMipSize(width);
    const uint32_t halfHeight = NextMipSize(height);
    for (uint32_t y = 0; y < halfHeight; ++y) {
        const uint32_t y0 = std::min(2 * y, height - 1);
        const uint32_t y1 = std::min(2 * y + 1, height - 1);
        for (uint32_t x = 0; x < halfWidth; ++x) {
            const uint32_t x0 = std::min(2 * x, width - 1);
            const uint32_t x1 = std::min(2 * x + 1, width - 1);
            const unsigned sum = coverage[static_cast<size_t>(y0) * width + x0] +
                                 coverage[static_cast<size_t>(y0) * width + x1] +
                                 coverage[static_cast<size_t>(y1) * width + x0] +
                                 coverage[static_cast<size_t>(y1) * width + x1];
            half[static_cast<size_t>(y) * halfWidth + x] = static_cast<uint8_t>((sum + 2) / 4);
        }
    }
}

void ConvertCoverageToTexels(const uint8_t* coverage, uint32_t width, uint32_t height, void* texels,
                             int pitch) {
    ConvertToGlyphTexels(coverage, width, height, texels, pitch);
}
