#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "text/glyph_atlas.h"

namespace {

TEST(GlyphTextureSize, GrowsWithTheFontHeight) {
    EXPECT_EQ(GlyphTextureSize(0), 256u);
    EXPECT_EQ(GlyphTextureSize(11), 256u);
    EXPECT_EQ(GlyphTextureSize(12), 256u);
    EXPECT_EQ(GlyphTextureSize(14), 256u);
    EXPECT_EQ(GlyphTextureSize(20), 256u);
    EXPECT_EQ(GlyphTextureSize(21), 512u);
    EXPECT_EQ(GlyphTextureSize(40), 512u);
    EXPECT_EQ(GlyphTextureSize(41), 1024u);
    EXPECT_EQ(GlyphTextureSize(400), 1024u);
}

TEST(GlyphTextureSize, ShrinksToTheDeviceLimitAndScalesTheFont) {
    const GlyphTextureFit fits = FitGlyphTexture(1024, 16384);
    EXPECT_EQ(fits.size, 1024u);
    EXPECT_FLOAT_EQ(fits.textScale, 1.0f);

    const GlyphTextureFit half = FitGlyphTexture(512, 256);
    EXPECT_EQ(half.size, 256u);
    EXPECT_FLOAT_EQ(half.textScale, 0.5f);

    const GlyphTextureFit quarter = FitGlyphTexture(1024, 256);
    EXPECT_EQ(quarter.size, 256u);
    EXPECT_FLOAT_EQ(quarter.textScale, 0.25f);

    const GlyphTextureFit unknownLimit = FitGlyphTexture(512, 0);
    EXPECT_EQ(unknownLimit.size, 512u);
    EXPECT_FLOAT_EQ(unknownLimit.textScale, 1.0f);
}

TEST(GlyphTextureSize, StepsUpUntilTheGlyphsFit) {
    // `fits` accepts a texture when its side, at text scale 1, reaches `needed` texels.
    const struct {
        uint32_t height;
        uint32_t maxTextureWidth;
        uint32_t needed;
        uint32_t size;
        float textScale;
    } cases[] = {
        {12, 16384, 256, 256, 1.0f},       // fits at once
        {14, 16384, 300, 512, 1.0f},       // one step up
        {14, 16384, 600, 1024, 1.0f},      // two steps
        {14, 512, 600, 512, 0.5f},         // at the limit the text scale gives way
        {41, 256, 1024, 256, 0.25f},       // already at the limit and fitting
        {12, 0, 3000, 4096, 1.0f},         // no known limit
        {12, 16384, 1u << 30, 4096, 1.0f}  // never fits: the steps end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.needed);
        int asked = 0;
        const GlyphTextureFit fit =
            ChooseGlyphTexture(c.height, c.maxTextureWidth, [&](const GlyphTextureFit& f) {
                ++asked;
                return f.size / f.textScale >= c.needed;
            });
        EXPECT_EQ(fit.size, c.size);
        EXPECT_FLOAT_EQ(fit.textScale, c.textScale);
        EXPECT_LE(asked, MaxGlyphTextureSteps + 1);
    }
}

TEST(GlyphPacking, TellsWhetherTheGlyphsFitATexture) {
    const struct {
        int cx;
        int cy;
        uint32_t size;
        bool fits;
    } cases[] = {
        {10, 16, 256, true},    // five rows of 23
        {20, 40, 256, false},   // eight rows of 12 reach row 327
        {20, 40, 512, true},    // four rows of 24
        {300, 10, 256, false},  // wider than the texture
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cx << "x" << c.cy << " in " << c.size);
        GlyphExtent extents[GlyphCharCount];
        for (GlyphExtent& e : extents) {
            e = {c.cx, c.cy};
        }
        EXPECT_EQ(GlyphsFitTexture(extents, c.size), c.fits);
    }
}

struct Packed {
    GlyphAtlas atlas;
    GlyphPosition positions[GlyphCharCount];
    int bottom = 0;
};

Packed PackUniform(int cx, int cy, uint32_t size) {
    GlyphExtent extents[GlyphCharCount];
    for (GlyphExtent& e : extents) {
        e = {cx, cy};
    }
    Packed packed;
    packed.atlas.texWidth = size;
    packed.atlas.texHeight = size;
    packed.bottom = PackGlyphs(extents, packed.positions, packed.atlas);
    return packed;
}

TEST(GlyphPacking, FillsRowsLeftToRightWithOneTexelOfGap) {
    // 23 cells of 10 + 1 texels fit in 256; the 24th starts the second row.
    const Packed p = PackUniform(10, 16, 256);
    EXPECT_EQ(p.positions[0].x, 0);
    EXPECT_EQ(p.positions[0].y, 0);
    EXPECT_EQ(p.positions[1].x, 11);
    EXPECT_EQ(p.positions[22].x, 242);
    EXPECT_EQ(p.positions[22].y, 0);
    EXPECT_EQ(p.positions[23].x, 0);
    EXPECT_EQ(p.positions[23].y, 17);
    // 95 glyphs in rows of 23: five rows.
    EXPECT_EQ(p.positions[94].y, 4 * 17);
    EXPECT_EQ(p.bottom, 4 * 17 + 16);

    const float* a = p.atlas.glyphCoords['A' - FirstGlyphChar];
    const GlyphPosition pa = p.positions['A' - FirstGlyphChar];
    EXPECT_FLOAT_EQ(a[0], pa.x / 256.0f);
    EXPECT_FLOAT_EQ(a[1], pa.y / 256.0f);
    EXPECT_FLOAT_EQ(a[2], (pa.x + 10) / 256.0f);
    EXPECT_FLOAT_EQ(a[3], (pa.y + 16) / 256.0f);
    EXPECT_FLOAT_EQ(GlyphTexelWidth(p.atlas, 'A'), 10.0f);
    EXPECT_FLOAT_EQ(RowTexelHeight(p.atlas), 16.0f);

    // The slot after '~' has no glyph and stays empty.
    for (float v : p.atlas.glyphCoords[GlyphSlotCount - 1]) {
        EXPECT_EQ(v, 0.0f);
    }
}

TEST(GlyphPacking, GlyphsOfMixedWidthsNeverOverlapAndStayInsideTheTexture) {
    GlyphExtent extents[GlyphCharCount];
    for (int i = 0; i < GlyphCharCount; ++i) {
        extents[i] = {3 + (i * 7) % 19, 22};
    }
    GlyphAtlas atlas;
    atlas.texWidth = atlas.texHeight = 256;
    GlyphPosition pos[GlyphCharCount];
    const int bottom = PackGlyphs(extents, pos, atlas);
    EXPECT_LE(bottom, 256);
    for (int i = 0; i < GlyphCharCount; ++i) {
        EXPECT_GE(pos[i].x, 0);
        EXPECT_LE(pos[i].x + extents[i].cx, 255) << "a texel of gap remains at the right edge";
        for (int j = i + 1; j < GlyphCharCount; ++j) {
            const bool apart =
                pos[i].x + extents[i].cx + 1 <= pos[j].x || pos[j].x + extents[j].cx + 1 <= pos[i].x ||
                pos[i].y + extents[i].cy + 1 <= pos[j].y || pos[j].y + extents[j].cy + 1 <= pos[i].y;
            EXPECT_TRUE(apart) << "glyphs " << i << " and " << j;
        }
    }
}

TEST(GlyphCoverage, AlphaComesFromTheHighNibbleOfBlue) {
    EXPECT_EQ(GlyphTexel(0x00000000), 0x0000);
    EXPECT_EQ(GlyphTexel(0x000F0F0F), 0x0000) << "coverage below one sixteenth is transparent";
    EXPECT_EQ(GlyphTexel(0x00101010), 0x1FFF);
    EXPECT_EQ(GlyphTexel(0x00808080), 0x8FFF);
    EXPECT_EQ(GlyphTexel(0xFFFFFFFF), 0xFFFF);
    EXPECT_EQ(GlyphTexel(0x00FFFF00), 0x0000) << "only the blue byte is read";
    EXPECT_EQ(GlyphTexel(0x000000F0), 0xFFFF);
}

TEST(GlyphCoverage, ConvertsRowByRowAtTheLockedPitch) {
    const uint32_t width = 3;
    const uint32_t height = 2;
    const uint32_t pixels[] = {0x00, 0xFF, 0x40, 0x20, 0x00, 0xF0};
    const int pitch = 16;  // bytes, wider than the 6 bytes of a row
    std::vector<uint16_t> texels(pitch / 2 * height, 0xABCD);
    ConvertGlyphCoverage(pixels, width, height, texels.data(), pitch);
    EXPECT_EQ(texels[0], 0x0000);
    EXPECT_EQ(texels[1], 0xFFFF);
    EXPECT_EQ(texels[2], 0x4FFF);
    EXPECT_EQ(texels[3], 0xABCD) << "padding after a row is left alone";
    EXPECT_EQ(texels[8], 0x2FFF);
    EXPECT_EQ(texels[9], 0x0000);
    EXPECT_EQ(texels[10], 0xFFFF);
    EXPECT_EQ(texels[11], 0xABCD);
}

// A full chain halves each side down to 1 x 1; the name texture of 1024 texels has 11.
TEST(GlyphMipmaps, AFullChainEndsAtOneTexel) {
    struct Case {
        uint32_t width, height, levels;
    };
    for (const Case& c : {Case{1024, 1024, 11}, Case{256, 256, 9}, Case{1, 1, 1}, Case{512, 2, 10},
                          Case{3, 5, 3}, Case{0, 256, 0}}) {
        EXPECT_EQ(FullMipLevelCount(c.width, c.height), c.levels) << c.width << "x" << c.height;
    }
}

// Each smaller level holds the rounded mean coverage of the texels it covers, so a glyph
// seen smaller fades smoothly instead of losing or keeping whole texels.
TEST(GlyphMipmaps, EachLevelAveragesTheTexelsItCovers) {
    const uint32_t pixels[] = {0xFF, 0xFF, 0x00, 0x10,  //
                               0xFF, 0x00, 0x00, 0x00,  //
                               0x80, 0x80, 0x01, 0x02};
    uint8_t coverage[12];
    GlyphCoverageOf(pixels, 4, 3, coverage);
    EXPECT_EQ(coverage[3], 0x10);
    uint8_t half[2] = {};
    HalveCoverage(coverage, 4, 3, half);  // 2 x 1: the odd last row is left out
    EXPECT_EQ(half[0], (0xFF * 3 + 2) / 4);
    EXPECT_EQ(half[1], (0x10 + 2) / 4);
    uint8_t one = 0;
    HalveCoverage(half, 2, 1, &one);  // a row of one keeps its height
    EXPECT_EQ(one, (2 * half[0] + 2 * half[1] + 2) / 4);
    const uint8_t column[] = {10, 20, 30};
    uint8_t halfColumn = 0;
    HalveCoverage(column, 1, 3, &halfColumn);
    EXPECT_EQ(halfColumn, 15);
}

TEST(GlyphMipmaps, CoverageBecomesTexelsAsThePixelsDo) {
    const uint8_t coverage[] = {0x00, 0xFF, 0x40, 0x20, 0x0F, 0xF0};
    const int pitch = 16;
    std::vector<uint16_t> texels(pitch / 2 * 2, 0xABCD);
    ConvertCoverageToTexels(coverage, 3, 2, texels.data(), pitch);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(texels[(i / 3) * 8 + i % 3], GlyphTexel(coverage[i])) << i;
    }
    EXPECT_EQ(texels[3], 0xABCD) << "padding after a row is left alone";
}

}  // namespace
