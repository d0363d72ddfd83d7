#pragma once

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
