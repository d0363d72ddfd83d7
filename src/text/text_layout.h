#pragma once

#include "text/font_vertex.h"
#include "text/glyph_atlas.h"

// One visible glyph of a laid-out string: its pen position and size in the target's units
// and its texture rectangle (left, top, right, bottom).
struct GlyphQuad {
    float x;
    float y;
    float width;
    float height;
    const float* coords;
};

// Screen space is in pixels with y growing downwards; world space is in units of ten
// texels with y growing upwards.
constexpr float ScreenTexelsPerUnit = 1.0f;
constexpr float WorldTexelsPerUnit = 10.0f;

// Walks `text` from the pen position (x, y), calling emit(GlyphQuad) for every glyph
// that shows. Glyph sizes are texel sizes divided by texelsPerUnit and the atlas's
// textScale, so a shrunken texture draws at full size. A newline returns the pen to x
// and moves it one row along lineStep (+1 downwards on screen, -1 in world space).
// Spaces move the pen without showing; bytes without a glyph are skipped.
template <typename Emit>
void LayOutGlyphs(const GlyphAtlas& atlas, const char* text, float x, float y, float texelsPerUnit,
                  float lineStep, Emit&& emit) {
    const float unit = texelsPerUnit * atlas.textScale;
    const float rowAdvance = lineStep * RowTexelHeight(atlas) / unit;
    const float startX = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        const unsigned char c = *p;
        if (c == '\n') {
            x = startX;
            y += rowAdvance;
            continue;
        }
        if (!HasGlyph(c)) {
            continue;
        }
        const float width = GlyphTexelWidth(atlas, c) / unit;
        if (c != ' ') {
            emit(GlyphQuad{x, y, width, GlyphTexelHeight(atlas, c) / unit, GlyphCoordsOf(atlas, c)});
        }
        x += width;
    }
}

// Pen start of world-space text: the origin, or with centring half the text's size to
// the left and below it, so that the text's box is centred on the origin.
void WorldTextStart(const GlyphAtlas& atlas, const char* text, bool centred, float& x, float& y);

// The two triangles of a glyph as six vertices. Screen quads have their top-left at the
// pen and lie half a pixel up and left so texels meet pixels; world quads have their
// bottom-left at the pen, lie in the plane z = 0 and face -z.
void WriteScreenQuad(const GlyphQuad& quad, D3DCOLOR colour, FontVertex2D (&out)[FontVerticesPerGlyph]);
void WriteWorldQuad(const GlyphQuad& quad, FontVertex3D (&out)[FontVerticesPerGlyph]);

struct TextExtent {
    int cx;
    int cy;
};

// Size of `text` in texels of the glyph texture (not divided by the atlas's textScale):
// the widest line and one row height per line. Newlines start a new line; other bytes
// without a glyph take no room. An empty text is one row high and 0 wide.
TextExtent MeasureText(const GlyphAtlas& atlas, const char* text);
