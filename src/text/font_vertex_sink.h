#pragma once

// Where a string's glyph vertices go: a dynamic vertex buffer of MaxFontVertices vertices
// and the device that draws from it.
class FontVertexSink {
public:
    // Locks the whole buffer, discarding what it held; null when the lock fails.
    virtual void* LockVertices() = 0;
    virtual void UnlockVertices() = 0;
    // Draws `count` triangles of a triangle list from the start of the buffer.
    virtual void DrawTriangles(unsigned count) = 0;

protected:
    ~FontVertexSink() = default;
};
