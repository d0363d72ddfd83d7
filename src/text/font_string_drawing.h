#pragma once

#include <cstdint>

#include "d3dx/d3d_types.h"
#include "text/font_vertex.h"
#include "text/glyph_atlas.h"

// Writes the glyphs of `text` into the sink's buffer and draws them in batches: the
// buffer is locked once, and whenever it holds more than FontBatchFlushVertices vertices
// it is drawn and locked again, so no batch exceeds MaxFontVertices. Returns false when
// the buffer could not be locked; nothing more is written then.

// Screen-space text with its top-left at pixel (x, y), in one colour.
bool DrawScreenString(const GlyphAtlas& atlas, const char* text, float x, float y, D3DCOLOR colour,
                      FontVertexSink& sink);

// World-space text in the plane z = 0 from the origin, or centred on it with TextCentered.
bool DrawWorldString(const GlyphAtlas& atlas, const char* text, uint32_t flags, FontVertexSink& sink);
