#pragma once

#include <cstdint>

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
