#include "text/glyph_texture_size.h"

uint32_t GlyphTextureSize(uint32_t height) {
    if (height > 40) {
        return 1024;
    }
    if (height > 20) {
        return 512;
    }
    return 256;
}

GlyphTextureFit FitGlyphTexture(uint32_t size, uint32_t maxTextureWidth) {
    if (maxTextureWidth == 0 || size <= maxTextureWidth) {
        return {size, 1.0f};
    }
    return {maxTextureWidth, static_cast<float>(maxTextureWidth) / static_cast<float>(size)};
}
