#pragma once

#include <cstddef>
#include <cstdint>

#include "d3dx/d3d_types.h"

// Screen-space glyph vertex: pre-transformed position, colour, one texture coordinate.
struct FontVertex2D {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

// World-space glyph vertex: position and normal, lit by the caller's lights and material.
struct FontVertex3D {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

// D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1
constexpr uint32_t FontVertex2DFvf = 0x144;
// D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
constexpr uint32_t FontVertex3DFvf = 0x112;

static_assert(sizeof(FontVertex2D) == 28, "FontVertex2D layout");
static_assert(sizeof(FontVertex3D) == 32, "FontVertex3D layout");

// Vertices of one batch. A batch is drawn once it holds more than
// MaxFontVertices - 6 vertices, so it never holds more than MaxFontVertices.
constexpr unsigned MaxFontVertices = 300;
constexpr unsigned FontVerticesPerGlyph = 6;
constexpr unsigned FontBatchFlushVertices = MaxFontVertices - FontVerticesPerGlyph;

// One buffer serves both paths, so it is sized for the larger vertex. It holds many
// batches one after another: a frame's strings are appended without waiting for the
// device to finish drawing the earlier ones, and only a full buffer is discarded.
constexpr unsigned FontBatchesPerBuffer = 16;
constexpr unsigned FontVertexBufferBytes =
    FontBatchesPerBuffer * MaxFontVertices *
    (sizeof(FontVertex3D) > sizeof(FontVertex2D) ? sizeof(FontVertex3D) : sizeof(FontVertex2D));

// Where a string's glyph vertices go: a dynamic vertex buffer of MaxFontVertices vertices
// and the device that draws from it.
class FontVertexSink {
public:
    // Locks room for MaxFontVertices vertices; null when the lock fails.
    virtual void* LockVertices() = 0;
    virtual void UnlockVertices() = 0;
    // Draws `count` triangles of a triangle list from the vertices of the last lock.
    virtual void DrawTriangles(unsigned count) = 0;

protected:
    ~FontVertexSink() = default;
};
