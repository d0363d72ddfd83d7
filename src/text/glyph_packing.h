#pragma once

#include "text/glyph_atlas.h"

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
