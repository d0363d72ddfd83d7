#pragma once

#include <cstdint>
#include <functional>

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

// The glyph texture for a font of `height` points on a device: GlyphTextureSize first,
// then, for as long as `fits` says the glyphs do not fit (a large screen resolution makes
// them larger), the next larger side. At the device's limit each further step halves the
// text scale instead, so the glyphs always end up inside the texture. After
// MaxGlyphTextureSteps steps the last choice is taken as it is.
constexpr int MaxGlyphTextureSteps = 4;
GlyphTextureFit ChooseGlyphTexture(uint32_t height, uint32_t maxTextureWidth,
                                   const std::function<bool(const GlyphTextureFit&)>& fits);
