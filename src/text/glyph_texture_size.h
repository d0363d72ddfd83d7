#pragma once

#include <cstdint>

// Side of the square glyph texture for a font of `height` points: large enough for all
// printable ASCII glyphs at that size.
uint32_t GlyphTextureSize(uint32_t height);

// The texture side a device can take, and the scale at which the font is then rasterised.
struct GlyphTextureFit {
    uint32_t size;
    float textScale;
};

// Shrinks `size` to the device's maximal texture width when it is smaller; the glyphs
// are then rasterised at the reduced scale and stretched back when drawn. A width of 0
// means that the device gave no limit.
GlyphTextureFit FitGlyphTexture(uint32_t size, uint32_t maxTextureWidth);
