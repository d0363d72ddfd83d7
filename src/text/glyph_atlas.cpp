#include "text/glyph_atlas.h"

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
