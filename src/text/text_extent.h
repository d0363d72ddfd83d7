#pragma once

#include "text/glyph_atlas.h"

struct TextExtent {
    int cx;
    int cy;
};

// Size of `text` in texels of the glyph texture (not divided by the atlas's textScale):
// the widest line and one row height per line. Newlines start a new line; other bytes
// without a glyph take no room. An empty text is one row high and 0 wide.
TextExtent MeasureText(const GlyphAtlas& atlas, const char* text);
