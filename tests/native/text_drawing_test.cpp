#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "text/font_flags.h"
#include "text/font_string_drawing.h"
#include "text/font_vertex.h"
#include "text/glyph_atlas.h"
#include "text/text_layout.h"

namespace {

// Glyph widths that differ per character; every glyph is 16 texels high.
int TestGlyphWidth(int c) {
    return c == ' ' ? 5 : 4 + c % 7;
}

GlyphAtlas TestAtlas(float textScale = 1.0f) {
    GlyphExtent extents[GlyphCharCount];
    for (int i = 0; i < GlyphCharCount; ++i) {
        extents[i] = {TestGlyphWidth(FirstGlyphChar + i), 16};
    }
    GlyphAtlas atlas;
    atlas.texWidth = atlas.texHeight = 256;
    atlas.textScale = textScale;
    GlyphPosition positions[GlyphCharCount];
    PackGlyphs(extents, positions, atlas);
    return atlas;
}

// A vertex buffer of exactly the font's size that records what is drawn from it.
class RecordingSink : public FontVertexSink {
public:
    std::vector<unsigned char> buffer = std::vector<unsigned char>(FontVertexBufferBytes);
    std::vector<std::string> calls;
    std::vector<unsigned> batches;
    std::vector<unsigned char> drawn;  // the vertex bytes of every batch, in order
    size_t vertexSize = sizeof(FontVertex2D);
    int failLockNumber = 0;  // 1-based number of the lock that fails; 0 for none
    int locks = 0;
    bool locked = false;

    void* LockVertices() override {
        EXPECT_FALSE(locked) << "locked twice";
        calls.push_back("lock");
        if (++locks == failLockNumber) {
            return nullptr;
        }
        locked = true;
        std::memset(buffer.data(), 0xEE, buffer.size());
        return buffer.data();
    }
    void UnlockVertices() override {
        EXPECT_TRUE(locked) << "unlocked without a lock";
        locked = false;
        calls.push_back("unlock");
    }
    void DrawTriangles(unsigned count) override {
        EXPECT_FALSE(locked) << "drawn from a locked buffer";
        EXPECT_LE(count * 3, MaxFontVertices);
        calls.push_back("draw " + std::to_string(count));
        batches.push_back(count);
        const size_t bytes = count * 3 * vertexSize;
        drawn.insert(drawn.end(), buffer.begin(), buffer.begin() + bytes);
    }

    template <typename Vertex>
    std::vector<Vertex> Drawn() const {
        std::vector<Vertex> v(drawn.size() / sizeof(Vertex));
        if (!v.empty()) {
            std::memcpy(v.data(), drawn.data(), v.size() * sizeof(Vertex));
        }
        return v;
    }
};

std::vector<FontVertex2D> DrawScreen(const GlyphAtlas& atlas, const char* text, float x, float y,
                                     D3DCOLOR colour = 0xFFFFFFFF) {
    RecordingSink sink;
    EXPECT_TRUE(DrawScreenString(atlas, text, x, y, colour, sink));
    return sink.Drawn<FontVertex2D>();
}

std::vector<FontVertex3D> DrawWorld(const GlyphAtlas& atlas, const char* text, uint32_t flags) {
    RecordingSink sink;
    sink.vertexSize = sizeof(FontVertex3D);
    EXPECT_TRUE(DrawWorldString(atlas, text, flags, sink));
    return sink.Drawn<FontVertex3D>();
}

TEST(TextExtent, MeasuresTheWidestLineAndOneRowPerLine) {
    const GlyphAtlas atlas = TestAtlas();
    const TextExtent empty = MeasureText(atlas, "");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 16);

    const TextExtent twoLines = MeasureText(atlas, "AB\nC");
    EXPECT_EQ(twoLines.cx, TestGlyphWidth('A') + TestGlyphWidth('B'));
    EXPECT_EQ(twoLines.cy, 32);

    const TextExtent widerSecond = MeasureText(atlas, "A\nBC D");
    EXPECT_EQ(widerSecond.cx, TestGlyphWidth('B') + TestGlyphWidth('C') + 5 + TestGlyphWidth('D'));

    // Bytes without a glyph take no room, whatever their sign as a char.
    const TextExtent skipped = MeasureText(atlas,
                                           "\x01"
                                           "A\t\x7f\x80\xff\r");
    EXPECT_EQ(skipped.cx, TestGlyphWidth('A'));
    EXPECT_EQ(skipped.cy, 16);

    // Texels of the texture: a shrunken texture gives the shrunken size.
    GlyphAtlas shrunk = TestAtlas(0.5f);
    EXPECT_EQ(MeasureText(shrunk, "AB").cx, TestGlyphWidth('A') + TestGlyphWidth('B'));
}

TEST(ScreenText, OneGlyphIsTwoTrianglesHalfAPixelUpAndLeft) {
    const GlyphAtlas atlas = TestAtlas();
    const std::vector<FontVertex2D> v = DrawScreen(atlas, "A", 10.0f, 20.0f, 0xC8FFFF00);
    ASSERT_EQ(v.size(), 6u);
    const float* t = GlyphCoordsOf(atlas, 'A');
    const float w = static_cast<float>(TestGlyphWidth('A'));
    const float left = 9.5f, top = 19.5f, right = 9.5f + w, bottom = 19.5f + 16.0f;
    const float expected[6][4] = {{left, bottom, t[0], t[3]},  {left, top, t[0], t[1]},
                                  {right, bottom, t[2], t[3]}, {right, top, t[2], t[1]},
                                  {right, bottom, t[2], t[3]}, {left, top, t[0], t[1]}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(v[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(v[i].y, expected[i][1]);
        EXPECT_FLOAT_EQ(v[i].u, expected[i][2]);
        EXPECT_FLOAT_EQ(v[i].v, expected[i][3]);
        EXPECT_FLOAT_EQ(v[i].z, 0.9f);
        EXPECT_FLOAT_EQ(v[i].rhw, 1.0f);
        EXPECT_EQ(v[i].colour, 0xC8FFFF00u);
    }
}

TEST(ScreenText, NewlineReturnsToTheStartOneRowLower) {
    const GlyphAtlas atlas = TestAtlas();
    const std::vector<FontVertex2D> v = DrawScreen(atlas, "A\nB", 10.0f, 20.0f);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_FLOAT_EQ(v[7].x, 9.5f);  // top-left of B
    EXPECT_FLOAT_EQ(v[7].y, 19.5f + 16.0f);
}

TEST(ScreenText, SpacesAdvanceWithoutTrianglesAndOtherBytesAreSkipped) {
    const GlyphAtlas atlas = TestAtlas();
    const std::vector<FontVertex2D> spaced = DrawScreen(atlas, "A B", 0.0f, 0.0f);
    ASSERT_EQ(spaced.size(), 12u);
    EXPECT_FLOAT_EQ(spaced[7].x, TestGlyphWidth('A') + 5 - 0.5f);

    const std::vector<FontVertex2D> skipped = DrawScreen(atlas, "A\x01\x7f\x80\xff\tB", 0.0f, 0.0f);
    ASSERT_EQ(skipped.size(), 12u);
    EXPECT_FLOAT_EQ(skipped[7].x, TestGlyphWidth('A') - 0.5f);
    EXPECT_FLOAT_EQ(skipped[7].y, -0.5f);

    EXPECT_TRUE(DrawScreen(atlas, "   ", 0.0f, 0.0f).empty());
}

TEST(ScreenText, EmptyStringLocksAndUnlocksButDrawsNothing) {
    RecordingSink sink;
    EXPECT_TRUE(DrawScreenString(TestAtlas(), "", 0.0f, 0.0f, 0, sink));
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"lock", "unlock"}));
}

TEST(ScreenText, AShrunkenTextureDrawsAtFullSize) {
    const GlyphAtlas atlas = TestAtlas(0.5f);
    const std::vector<FontVertex2D> v = DrawScreen(atlas, "A\nB", 0.0f, 0.0f);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_FLOAT_EQ(v[2].x - v[1].x, 2.0f * TestGlyphWidth('A'));
    EXPECT_FLOAT_EQ(v[0].y - v[1].y, 32.0f);
    EXPECT_FLOAT_EQ(v[7].y - v[1].y, 32.0f) << "the second line starts below the first's full-size glyphs";
}

std::vector<unsigned> ScreenBatches(size_t glyphs) {
    RecordingSink sink;
    const std::string text(glyphs, 'W');
    EXPECT_TRUE(DrawScreenString(TestAtlas(), text.c_str(), 0.0f, 0.0f, 0, sink));
    EXPECT_FALSE(sink.locked);
    return sink.batches;
}

TEST(TextBatches, AreDrawnWhenTheBufferHoldsMoreThan294Vertices) {
    using Batches = std::vector<unsigned>;
    EXPECT_EQ(ScreenBatches(1), Batches{2});
    EXPECT_EQ(ScreenBatches(49), Batches{98}) << "294 vertices stay in the buffer";
    EXPECT_EQ(ScreenBatches(50), Batches{100});
    EXPECT_EQ(ScreenBatches(100), (Batches{100, 100}));
    EXPECT_EQ(ScreenBatches(101), (Batches{100, 100, 2}));
    EXPECT_EQ(ScreenBatches(1000).size(), 20u);
}

TEST(TextBatches, EachBatchIsDrawnFromAFreshlyDiscardedLock) {
    RecordingSink sink;
    const std::string text(101, 'W');
    ASSERT_TRUE(DrawScreenString(TestAtlas(), text.c_str(), 0.0f, 0.0f, 0, sink));
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"lock", "unlock", "draw 100", "lock", "unlock",
                                                    "draw 100", "lock", "unlock", "draw 2"}));
    // The glyphs continue across batches: the 51st starts where the 50th ends.
    const std::vector<FontVertex2D> v = sink.Drawn<FontVertex2D>();
    ASSERT_EQ(v.size(), 606u);
    EXPECT_FLOAT_EQ(v[300 + 1].x, v[294 + 3].x);
}

TEST(TextBatches, WorldSpaceBatchesFitTheBufferToo) {
    RecordingSink sink;
    sink.vertexSize = sizeof(FontVertex3D);
    const std::string text(150, 'M');
    ASSERT_TRUE(DrawWorldString(TestAtlas(), text.c_str(), TextCentered, sink));
    EXPECT_EQ(sink.batches, (std::vector<unsigned>{100, 100, 100}));
}

TEST(TextBatches, AFailedLockStopsTheString) {
    const std::string text(120, 'W');
    RecordingSink first;
    first.failLockNumber = 1;
    EXPECT_FALSE(DrawScreenString(TestAtlas(), text.c_str(), 0.0f, 0.0f, 0, first));
    EXPECT_EQ(first.calls, std::vector<std::string>{"lock"});

    RecordingSink second;
    second.failLockNumber = 2;
    EXPECT_FALSE(DrawScreenString(TestAtlas(), text.c_str(), 0.0f, 0.0f, 0, second));
    EXPECT_EQ(second.calls, (std::vector<std::string>{"lock", "unlock", "draw 100", "lock"}));
    EXPECT_FALSE(second.locked);
}

TEST(WorldText, GlyphsStandOnTheBaselineTenTexelsToAUnit) {
    const GlyphAtlas atlas = TestAtlas();
    const std::vector<FontVertex3D> v = DrawWorld(atlas, "A", 0);
    ASSERT_EQ(v.size(), 6u);
    const float* t = GlyphCoordsOf(atlas, 'A');
    const float w = TestGlyphWidth('A') / 10.0f;
    const float h = 1.6f;
    const float expected[6][4] = {{0, 0, t[0], t[3]}, {0, h, t[0], t[1]}, {w, 0, t[2], t[3]},
                                  {w, h, t[2], t[1]}, {w, 0, t[2], t[3]}, {0, h, t[0], t[1]}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(v[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(v[i].y, expected[i][1]);
        EXPECT_FLOAT_EQ(v[i].u, expected[i][2]);
        EXPECT_FLOAT_EQ(v[i].v, expected[i][3]);
        EXPECT_FLOAT_EQ(v[i].z, 0.0f);
        EXPECT_FLOAT_EQ(v[i].nx, 0.0f);
        EXPECT_FLOAT_EQ(v[i].ny, 0.0f);
        EXPECT_FLOAT_EQ(v[i].nz, -1.0f);
    }
}

TEST(WorldText, NewlineGoesDownTheYAxis) {
    const std::vector<FontVertex3D> v = DrawWorld(TestAtlas(), "A\nB", 0);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_FLOAT_EQ(v[6].x, 0.0f);
    EXPECT_FLOAT_EQ(v[6].y, -1.6f);
}

float MinX(const std::vector<FontVertex3D>& v) {
    float m = v.at(0).x;
    for (const FontVertex3D& p : v)
        m = std::min(m, p.x);
    return m;
}
float MaxX(const std::vector<FontVertex3D>& v) {
    float m = v.at(0).x;
    for (const FontVertex3D& p : v)
        m = std::max(m, p.x);
    return m;
}

TEST(WorldText, CentredTextIsCentredOnTheOrigin) {
    const GlyphAtlas atlas = TestAtlas();
    const std::vector<FontVertex3D> v = DrawWorld(atlas, "Mars", TextCentered);
    ASSERT_EQ(v.size(), 24u);
    const int width = MeasureText(atlas, "Mars").cx;
    EXPECT_FLOAT_EQ(MinX(v), -(width / 10.0f) / 2.0f);
    EXPECT_NEAR(MinX(v), -MaxX(v), 1e-5f);
    EXPECT_FLOAT_EQ(v[0].y, -0.8f);
    EXPECT_FLOAT_EQ(v[1].y, 0.8f);
}

TEST(WorldText, CentredTextStaysCentredOnAShrunkenTexture) {
    const std::vector<FontVertex3D> v = DrawWorld(TestAtlas(0.5f), "Jupiter", TextCentered);
    ASSERT_EQ(v.size(), 42u);
    EXPECT_NEAR(MinX(v), -MaxX(v), 1e-5f);
    EXPECT_FLOAT_EQ(v[0].y, -1.6f);
    EXPECT_FLOAT_EQ(v[1].y, 1.6f);
}

}  // namespace
