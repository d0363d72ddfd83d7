// Fuzz entry point of the texture font's layout and batching: any bytes, of any length,
// drawn with glyphs of any size. Every batch fits the vertex buffer, nothing is written
// outside it, the triangles drawn are exactly two per visible glyph, and the measured
// size agrees with the rows the text has.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_bytes.h"
#include "text/font_flags.h"
#include "text/font_string_drawing.h"
#include "text/font_vertex.h"
#include "text/glyph_atlas.h"
#include "text/text_layout.h"

namespace {

// A vertex buffer of exactly the font's size, checked after every batch.
class CheckingSink : public FontVertexSink {
public:
    std::vector<unsigned char> buffer = std::vector<unsigned char>(FontVertexBufferBytes);
    unsigned triangles = 0;
    int failLock = 0;  // 1-based number of the lock that fails; 0 for none
    int locks = 0;
    bool locked = false;

    void* LockVertices() override {
        if (locked) {
            std::abort();
        }
        if (++locks == failLock) {
            return nullptr;
        }
        locked = true;
        return buffer.data();
    }
    void UnlockVertices() override {
        if (!locked) {
            std::abort();
        }
        locked = false;
    }
    void DrawTriangles(unsigned count) override {
        if (locked || count == 0 || count * 3 > MaxFontVertices) {
            std::abort();
        }
        triangles += count;
    }
};

GlyphAtlas FuzzedAtlas(FuzzBytes& input) {
    GlyphAtlas atlas;
    atlas.texWidth = atlas.texHeight = 64u << (input.Byte() % 6);  // 64 to 2048
    atlas.textScale = 0.125f * (1 + input.Byte() % 8);
    GlyphExtent extents[GlyphCharCount];
    for (GlyphExtent& extent : extents) {
        const uint8_t packed = input.Byte();
        extent = {packed % 48, 1 + packed / 4 % 64};
    }
    GlyphPosition positions[GlyphCharCount];
    PackGlyphs(extents, positions, atlas);
    return atlas;
}

unsigned VisibleGlyphs(const char* text) {
    unsigned count = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        count += (HasGlyph(*p) && *p != ' ') ? 1 : 0;
    }
    return count;
}

void CheckFinite(const float* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    const GlyphAtlas atlas = FuzzedAtlas(input);
    const uint8_t choice = input.Byte();
    const int failLock = choice % 4;  // a lock that fails, now and then
    const std::vector<char> text = input.RestAsText();

    CheckingSink screen;
    screen.failLock = failLock;
    const bool drawn = DrawScreenString(atlas, text.data(), 10.5f, 20.25f, 0xFFFFFF00, screen);
    CheckingSink world;
    world.failLock = failLock;
    const bool drawnInWorld =
        DrawWorldString(atlas, text.data(), choice & (TextCentered | TextTwoSided), world);
    const unsigned expected = 2 * VisibleGlyphs(text.data());
    if (screen.locked || world.locked || (drawn && screen.triangles != expected) ||
        (drawnInWorld && world.triangles != expected) || screen.triangles > expected ||
        world.triangles > expected) {
        std::abort();
    }
    if (failLock == 0 && !(drawn && drawnInWorld)) {
        std::abort();  // only a failed lock stops a string
    }
    CheckFinite(reinterpret_cast<const float*>(world.buffer.data()), world.buffer.size() / sizeof(float));

    unsigned lines = 1;
    for (const char* p = text.data(); *p != 0; ++p) {
        lines += *p == '\n' ? 1 : 0;
    }
    const TextExtent extent = MeasureText(atlas, text.data());
    if (extent.cx < 0 || extent.cy < 0 ||
        std::fabs(extent.cy - lines * RowTexelHeight(atlas)) > 1.0f + lines * RowTexelHeight(atlas) * 0.01f) {
        std::abort();
    }
    return 0;
}
