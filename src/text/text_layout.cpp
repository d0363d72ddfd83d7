#include "text/text_layout.h"

#include <algorithm>

namespace {
enum { Left, Top, Right, Bottom };

// Screen glyphs sit in front of everything at z 0.9 with rhw 1.
FontVertex2D ScreenVertex(float x, float y, D3DCOLOR colour, float u, float v) {
    return {x - 0.5f, y - 0.5f, 0.9f, 1.0f, colour, u, v};
}

FontVertex3D WorldVertex(float x, float y, float u, float v) {
    return {x, y, 0.0f, 0.0f, 0.0f, -1.0f, u, v};
}
}  // namespace

void WorldTextStart(const GlyphAtlas& atlas, const char* text, bool centred, float& x, float& y) {
    x = 0.0f;
    y = 0.0f;
    if (!centred) {
        return;
    }
    // The extent is in texels of the (possibly shrunken) texture; the glyphs are drawn
    // at full size, so the offset is scaled the same way.
    const TextExtent size = MeasureText(atlas, text);
    const float unit = WorldTexelsPerUnit * atlas.textScale;
    x = -(size.cx / unit) / 2.0f;
    y = -(size.cy / unit) / 2.0f;
}

void WriteScreenQuad(const GlyphQuad& q, D3DCOLOR colour, FontVertex2D (&out)[FontVerticesPerGlyph]) {
    const float* t = q.coords;
    const float right = q.x + q.width;
    const float bottom = q.y + q.height;
    out[0] = ScreenVertex(q.x, bottom, colour, t[Left], t[Bottom]);
    out[1] = ScreenVertex(q.x, q.y, colour, t[Left], t[Top]);
    out[2] = ScreenVertex(right, bottom, colour, t[Right], t[Bottom]);
    out[3] = ScreenVertex(right, q.y, colour, t[Right], t[Top]);
    out[4] = ScreenVertex(right, bottom, colour, t[Right], t[Bottom]);
    out[5] = ScreenVertex(q.x, q.y, colour, t[Left], t[Top]);
}

void WriteWorldQuad(const GlyphQuad& q, FontVertex3D (&out)[FontVerticesPerGlyph]) {
    const float* t = q.coords;
    const float right = q.x + q.width;
    const float top = q.y + q.height;
    out[0] = WorldVertex(q.x, q.y, t[Left], t[Bottom]);
    out[1] = WorldVertex(q.x, top, t[Left], t[Top]);
    out[2] = WorldVertex(right, q.y, t[Right], t[Bottom]);
    out[3] = WorldVertex(right, top, t[Right], t[Top]);
    out[4] = WorldVertex(right, q.y, t[Right], t[Bottom]);
    out[5] = WorldVertex(q.x, top, t[Left], t[Top]);
}

TextExtent MeasureText(const GlyphAtlas& atlas, const char* text) {
    const float rowHeight = RowTexelHeight(atlas);
    float width = 0.0f;
    float height = rowHeight;
    float rowWidth = 0.0f;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p == '\n') {
            rowWidth = 0.0f;
            height += rowHeight;
        } else if (HasGlyph(*p)) {
            rowWidth += GlyphTexelWidth(atlas, *p);
            width = std::max(width, rowWidth);
        }
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}
