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
