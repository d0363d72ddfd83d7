#include "text/font_string_drawing.h"

#include "text/font_flags.h"
#include "text/font_vertex.h"
#include "text/text_layout.h"

namespace {

// Fills the locked buffer glyph by glyph and draws it whenever it is full enough.
template <typename Vertex>
class GlyphBatch {
public:
    explicit GlyphBatch(FontVertexSink& sink) : sink_(sink) {}

    bool Open() {
        vertices_ = static_cast<Vertex*>(sink_.LockVertices());
        return vertices_ != nullptr;
    }

    // False when the buffer could not be locked again after a draw.
    bool Add(const Vertex (&quad)[FontVerticesPerGlyph]) {
        if (vertices_ == nullptr) {
            return false;
        }
        for (const Vertex& v : quad) {
            vertices_[used_++] = v;
        }
        if (used_ > FontBatchFlushVertices) {
            Flush();
            return Open();
        }
        return true;
    }

    void Close() {
        if (vertices_ == nullptr) {
            return;
        }
        sink_.UnlockVertices();
        vertices_ = nullptr;
        if (used_ > 0) {
            sink_.DrawTriangles(used_ / 3);
        }
        used_ = 0;
    }

private:
    void Flush() {
        sink_.UnlockVertices();
        vertices_ = nullptr;
        sink_.DrawTriangles(used_ / 3);
        used_ = 0;
    }

    FontVertexSink& sink_;
    Vertex* vertices_ = nullptr;
    unsigned used_ = 0;
};

template <typename Vertex, typename WriteQuad>
bool DrawGlyphs(const GlyphAtlas& atlas, const char* text, float x, float y, float texelsPerUnit,
                float lineStep, FontVertexSink& sink, WriteQuad&& write) {
    GlyphBatch<Vertex> batch(sink);
    if (!batch.Open()) {
        return false;
    }
    bool ok = true;
    LayOutGlyphs(atlas, text, x, y, texelsPerUnit, lineStep, [&](const GlyphQuad& quad) {
        if (!ok) {
            return;
        }
        Vertex vertices[FontVerticesPerGlyph];
        write(quad, vertices);
        ok = batch.Add(vertices);
    });
    batch.Close();
    return ok;
}

}  // namespace

bool DrawScreenString(const GlyphAtlas& atlas, const char* text, float x, float y, D3DCOLOR colour,
                      FontVertexSink& sink) {
    return DrawGlyphs<FontVertex2D>(
        atlas, text, x, y, ScreenTexelsPerUnit, 1.0f, sink,
        [colour](const GlyphQuad& quad, FontVertex2D(&out)[FontVerticesPerGlyph]) {
            WriteScreenQuad(quad, colour, out);
        });
}

bool DrawWorldString(const GlyphAtlas& atlas, const char* text, uint32_t flags, FontVertexSink& sink) {
    float x = 0.0f;
    float y = 0.0f;
    WorldTextStart(atlas, text, (flags & TextCentered) != 0, x, y);
    return DrawGlyphs<FontVertex3D>(
        atlas, text, x, y, WorldTexelsPerUnit, -1.0f, sink,
        [](const GlyphQuad& quad, FontVertex3D(&out)[FontVerticesPerGlyph]) { WriteWorldQuad(quad, out); });
}
