#include "text/glyph_packing.h"

#include <algorithm>

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
