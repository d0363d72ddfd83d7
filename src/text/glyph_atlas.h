#pragma once

// The glyph texture: its size, where each glyph sits in it, and its texels.

#include <cstdint>
#include <functional>

#include "d3dx/mip_levels.h"

// The printable ASCII characters that a glyph texture holds.
constexpr int FirstGlyphChar = 32;
constexpr int LastGlyphChar = 126;
constexpr int GlyphCharCount = LastGlyphChar - FirstGlyphChar + 1;
// One slot more than there are glyphs; the last one stays empty.
constexpr int GlyphSlotCount = 96;

// Where each glyph lies in the glyph texture, and the texture's size and scale.
struct GlyphAtlas {
    // Per character c at index c - 32: left, top, right, bottom in texture coordinates 0..1.
    float glyphCoords[GlyphSlotCount][4] = {};
    uint32_t texWidth = 0;
    uint32_t texHeight = 0;
    // 1.0, or less when the texture had to be shrunk to the device's limit.
    float textScale = 1.0f;
};

// True for the bytes that have a glyph (32..126); every other byte has none.
inline bool HasGlyph(unsigned char c) {
    return c >= FirstGlyphChar && c <= LastGlyphChar;
}

inline const float* GlyphCoordsOf(const GlyphAtlas& atlas, unsigned char c) {
    return atlas.glyphCoords[c - FirstGlyphChar];
}

// Glyph size in texels of the glyph texture.
float GlyphTexelWidth(const GlyphAtlas& atlas, unsigned char c);
float GlyphTexelHeight(const GlyphAtlas& atlas, unsigned char c);

// Height of one text row in texels: the height of the space glyph.
inline float RowTexelHeight(const GlyphAtlas& atlas) {
    return GlyphTexelHeight(atlas, ' ');
}

// Side of the square glyph texture for a font of `height` points: large enough for all
// printable ASCII glyphs at that size.
uint32_t GlyphTextureSize(uint32_t height);

// The largest side of a square texture a device takes, from its width and height limits;
// a limit of 0 tells none on that side, and 0 is returned when neither is told.
uint32_t SquareTextureLimit(uint32_t maxTextureWidth, uint32_t maxTextureHeight);

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

// Size of one glyph cell as the rasteriser measures it, in texels.
struct GlyphExtent {
    int cx;
    int cy;
};

// Top-left texel at which a glyph is rasterised.
struct GlyphPosition {
    int x;
    int y;
};

// Packs the glyphs of characters 32..126 (extents and positions at index c - 32) left to
// right in rows of atlas.texWidth texels, with one texel of gap between glyphs and rows;
// a row is as tall as the glyph that starts the next one. Fills atlas.glyphCoords from
// atlas.texWidth and atlas.texHeight. Returns the bottom texel row used, so the caller
// can tell whether everything fits.
int PackGlyphs(const GlyphExtent (&extents)[GlyphCharCount], GlyphPosition (&positions)[GlyphCharCount],
               GlyphAtlas& atlas);

// True when PackGlyphs would place every glyph inside a square texture of `size` texels.
bool GlyphsFitTexture(const GlyphExtent (&extents)[GlyphCharCount], uint32_t size);

// The A4R4G4B4 texel for one pixel of white-on-black rasterised text: white with the
// pixel's coverage (the high nibble of its blue byte) as alpha, or fully transparent
// black where the pixel is not covered.
uint16_t GlyphTexel(uint32_t pixel);

// Converts a top-down 32-bit bitmap of width x height pixels into A4R4G4B4 texels, whose
// rows start `pitch` bytes apart.
void ConvertGlyphCoverage(const uint32_t* pixels, uint32_t width, uint32_t height, void* texels, int pitch);

// A glyph image as 8-bit coverage, one byte per texel, rows top-down without gaps.
// `pixels` of width x height as the rasteriser drew them (white on black) give the
// level-0 coverage; HalveCoverage gives the next level (NextMipSize of each side): each
// texel the rounded mean of the 2 x 2 texels it covers (the 1 or 2 of an edge of one
// texel). Glyphs lie only a texel apart, so in the smallest levels, where text is far too
// small to read, a glyph's edge takes on some of its neighbour's.
void GlyphCoverageOf(const uint32_t* pixels, uint32_t width, uint32_t height, uint8_t* coverage);
void HalveCoverage(const uint8_t* coverage, uint32_t width, uint32_t height, uint8_t* half);

// Converts coverage bytes into A4R4G4B4 texels as GlyphTexel does for a pixel of that
// coverage; rows of the texels start `pitch` bytes apart.
void ConvertCoverageToTexels(const uint8_t* coverage, uint32_t width, uint32_t height, void* texels,
                             int pitch);
