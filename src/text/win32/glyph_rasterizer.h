#pragma once

#include <windows.h>
#include <d3d8.h>

#include <cstdint>

#include "text/glyph_atlas.h"

// The font's size: `height` points at `pixelsPerInch` (0: the screen's as GDI reports it,
// LOGPIXELSY), times `textScale`.
struct GlyphFontSize {
    uint32_t height;
    uint32_t pixelsPerInch;
    float textScale;
};

// Measures characters 32..126 of the GDI font as RasterizeGlyphs draws them, in texels.
// false when GDI cannot make the DC or the font.
bool MeasureGlyphs(const char* faceName, const GlyphFontSize& size, uint32_t flags,
                   GlyphExtent (&extents)[GlyphCharCount]);

// Draws characters 32..126 of the GDI font `faceName` at `height` points and
// `pixelsPerInch` (FontBold and FontItalic of `flags`), scaled by atlas.textScale, white
// on black into a bitmap of atlas.texWidth x atlas.texHeight, packs them with one texel
// of gap, fills atlas.glyphCoords and writes the coverage into `texture` (A4R4G4B4, the
// same size): level 0, and every further level the texture has, each halved from the one
// before. E_FAIL when GDI cannot make the bitmap or the font; a failed LockRect's result.
HRESULT RasterizeGlyphs(const char* faceName, uint32_t height, uint32_t pixelsPerInch, uint32_t flags,
                        IDirect3DTexture8* texture, GlyphAtlas& atlas);
