#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/recording_device.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"

namespace {

// What the real device cannot show: the states of each draw and the caller's states
// afterwards, the batches, failing creations and locks, and a device with a small
// texture limit.

using Calls = std::vector<std::string>;
using Locks = std::vector<VertexBufferLock>;
const TextureCreation GlyphTexture = {256, 256, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED};

class TextureFontFake : public testing::Test {
protected:
    RecordingDevice device;
    std::map<D3DRENDERSTATETYPE, DWORD> callerRenderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> callerStageStates;

    // Makes the font's device objects; then every state the font draws with gets another
    // value, as the caller's would have, and the records start empty.
    void Prepare(TextureFont& font) {
        ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
        ASSERT_EQ(font.RestoreDeviceObjects(), S_OK);
        const RecordedStateBlock& block = *device.Block(font.DrawTextStateBlock());
        for (const auto& [state, value] : block.renderStates) {
            device.SetRenderState(state, value + 1);
        }
        for (const auto& [key, value] : block.stageStates) {
            device.SetTextureStageState(key.first, key.second, value + 1);
        }
        device.SetTexture(0, nullptr);
        callerRenderStates = device.renderStates;
        callerStageStates = device.stageStates;
        device.ClearRecords();
    }

    // A draw of the font sees its drawing states, the cull mode and filter as asked.
    void ExpectFontStates(const TextureFont& font, const DrawRecord& draw, DWORD vertexShader,
                          DWORD cull = D3DCULL_CCW, DWORD filter = D3DTEXF_POINT) {
        const RecordedStateBlock& block = *device.Block(font.DrawTextStateBlock());
        for (const auto& [state, value] : block.renderStates) {
            EXPECT_EQ(draw.RenderState(state), state == D3DRS_CULLMODE ? cull : value)
                << "render state " << state;
        }
        for (const auto& [key, value] : block.stageStates) {
            const bool filtering =
                key.first == 0 && (key.second == D3DTSS_MINFILTER || key.second == D3DTSS_MAGFILTER);
            EXPECT_EQ(draw.stageStates.at(key), filtering ? filter : value) << "stage state " << key.second;
        }
        EXPECT_EQ(draw.texture, font.Texture());
        EXPECT_EQ(draw.stream, font.VertexBuffer());
        EXPECT_FALSE(draw.streamLocked);
        EXPECT_EQ(draw.stride, vertexShader == 0x144 ? 28u : 32u);
        EXPECT_EQ(draw.vertexShader, vertexShader);
        EXPECT_EQ(draw.pixelShader, 0u);
        EXPECT_EQ(draw.type, D3DPT_TRIANGLELIST);
    }

    // The caller's states are back, restored once.
    void ExpectCallerStatesBack() {
        EXPECT_EQ(device.renderStates, callerRenderStates);
        EXPECT_EQ(device.stageStates, callerStageStates);
        EXPECT_EQ(device.texture0, nullptr);
        EXPECT_EQ(device.Count("CaptureStateBlock"), 1);
        EXPECT_EQ(device.calls.back(), "ApplyStateBlock");
    }

    const RecordedVertexBuffer& Buffer(const TextureFont& font) const {
        return *static_cast<const RecordedVertexBuffer*>(font.VertexBuffer());
    }
};

TEST_F(TextureFontFake, GlyphTextureIsOneManagedA4R4G4B4LevelFilledFromGdi) {
    TextureFont font("Arial", 12, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.calls, Calls{"CreateTexture"});
    EXPECT_EQ(device.textureCreations.at(0), GlyphTexture);
    const RecordedTexture& texture = *device.textures.at(0);
    EXPECT_EQ(texture.locks, 1) << "level 0, whole";
    EXPECT_EQ(texture.lockFlags, 0u);
    EXPECT_EQ(texture.unlocks, 1);
    size_t covered = 0, untouched = 0;
    for (UINT y = 0; y < 256; ++y) {
        for (UINT x = 0; x < 256; ++x) {
            const uint32_t t = texture.Texel(x, y);
            covered += t != 0 && t != 0xEEEE;
            untouched += t == 0xEEEE;
        }
    }
    EXPECT_GT(covered, 200u);
    EXPECT_EQ(untouched, 0u) << "every texel is written";
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(TextureFontFake, TextureShrinksToTheDeviceLimit) {
    // The texture is square: the smaller of the two limits holds, whichever it is.
    RecordingDevice lowTextures;
    lowTextures.maxTextureHeight = 256;
    TextureFont low("Arial", 41, FontBold);
    ASSERT_EQ(low.InitDeviceObjects(&lowTextures), S_OK);
    EXPECT_EQ(low.Atlas().texWidth, 256u);
    EXPECT_FLOAT_EQ(low.Atlas().textScale, 0.25f);

    device.maxTextureWidth = 256;
    TextureFont large("Arial", 41, FontBold);
    ASSERT_EQ(large.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.textureCreations.at(0), GlyphTexture);
    EXPECT_FLOAT_EQ(large.Atlas().textScale, 0.25f);
    EXPECT_EQ(large.Atlas().texWidth, 256u);

    TextureFont medium("Tahoma", 21, FontBold);
    ASSERT_EQ(medium.InitDeviceObjects(&device), S_OK);
    EXPECT_FLOAT_EQ(medium.Atlas().textScale, 0.5f);

    // Rasterised at half size: rows half as tall as on a device without the limit.
    RecordingDevice roomy;
    TextureFont full("Tahoma", 21, FontBold);
    ASSERT_EQ(full.InitDeviceObjects(&roomy), S_OK);
    SIZE half = {}, whole = {};
    medium.GetTextExtent("", &half);
    full.GetTextExtent("", &whole);
    EXPECT_NEAR(half.cy, whole.cy / 2.0, 2.0);
    for (int c = 33; c <= 126; ++c) {
        EXPECT_LE(medium.Atlas().glyphCoords[c - 32][3], 1.0f) << c;
    }
}

TEST_F(TextureFontFake, FailedTextureCreationIsReturned) {
    device.createTextureResult = E_OUTOFMEMORY;
    TextureFont font("Arial", 12, FontBold);
    EXPECT_EQ(font.InitDeviceObjects(&device), E_OUTOFMEMORY);
    EXPECT_EQ(font.Texture(), nullptr);
    EXPECT_EQ(font.Device(), &device);
    // The rest still works; the text is simply empty.
    EXPECT_EQ(font.RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Venus"), S_OK);
}

TEST_F(TextureFontFake, RestoreMakesABufferForSixteenBatchesOf300WorldVerticesAndTwoEqualBlocks) {
    TextureFont font("Tahoma", 14, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    device.ClearRecords();
    ASSERT_EQ(font.RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(device.calls.at(0), "CreateVertexBuffer");
    const D3DVERTEXBUFFER_DESC& buffer = Buffer(font).desc;
    EXPECT_EQ(buffer.Size, 153600u);
    EXPECT_EQ(buffer.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC));
    EXPECT_EQ(buffer.FVF, 0u);
    EXPECT_EQ(buffer.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(device.Count("BeginStateBlock"), 2);
    EXPECT_EQ(font.SavedStateBlock(), 1u);
    EXPECT_EQ(font.DrawTextStateBlock(), 2u);
    const RecordedStateBlock& saved = *device.Block(1);
    const RecordedStateBlock& drawing = *device.Block(2);
    EXPECT_EQ(saved.renderStates, drawing.renderStates) << "the saved block holds every state drawing sets";
    EXPECT_EQ(saved.stageStates, drawing.stageStates);
    EXPECT_TRUE(saved.hasTexture);
    EXPECT_TRUE(drawing.hasTexture);
    EXPECT_EQ(drawing.texture, font.Texture());
    const std::map<D3DRENDERSTATETYPE, DWORD> renderStates = {
        {D3DRS_ZENABLE, 0},
        {D3DRS_ALPHABLENDENABLE, 1},
        {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
        {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
        {D3DRS_ALPHATESTENABLE, 1},
        {D3DRS_ALPHAREF, 8},
        {D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL},
        {D3DRS_FILLMODE, D3DFILL_SOLID},
        {D3DRS_CULLMODE, D3DCULL_CCW},
        {D3DRS_STENCILENABLE, 0},
        {D3DRS_CLIPPING, 1},
        {D3DRS_EDGEANTIALIAS, 0},
        {D3DRS_CLIPPLANEENABLE, 0},
        {D3DRS_VERTEXBLEND, D3DVBF_DISABLE},
        {D3DRS_INDEXEDVERTEXBLENDENABLE, 0},
        {D3DRS_FOGENABLE, 0},
    };
    EXPECT_EQ(drawing.renderStates, renderStates);
    const std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> stageStates = {
        {{0, D3DTSS_COLOROP}, D3DTOP_MODULATE}, {{0, D3DTSS_COLORARG1}, D3DTA_TEXTURE},
        {{0, D3DTSS_COLORARG2}, D3DTA_DIFFUSE}, {{0, D3DTSS_ALPHAOP}, D3DTOP_MODULATE},
        {{0, D3DTSS_ALPHAARG1}, D3DTA_TEXTURE}, {{0, D3DTSS_ALPHAARG2}, D3DTA_DIFFUSE},
        {{0, D3DTSS_MINFILTER}, D3DTEXF_POINT}, {{0, D3DTSS_MAGFILTER}, D3DTEXF_POINT},
        {{0, D3DTSS_MIPFILTER}, D3DTEXF_NONE},  {{0, D3DTSS_MIPMAPLODBIAS}, 0},
        {{0, D3DTSS_TEXCOORDINDEX}, 0},         {{0, D3DTSS_TEXTURETRANSFORMFLAGS}, D3DTTFF_DISABLE},
        {{1, D3DTSS_COLOROP}, D3DTOP_DISABLE},  {{1, D3DTSS_ALPHAOP}, D3DTOP_DISABLE},
    };
    EXPECT_EQ(drawing.stageStates, stageStates);

    RecordingDevice zDevice;
    TextureFont zFont("Tahoma", 14, FontBold | FontZEnable);
    zFont.InitDeviceObjects(&zDevice);
    zFont.RestoreDeviceObjects();
    EXPECT_EQ(zDevice.Block(zFont.DrawTextStateBlock())->renderStates.at(D3DRS_ZENABLE), 1u);
}

TEST_F(TextureFontFake, FailedBufferCreationIsReturnedAndDrawsRefuse) {
    device.failVertexBufferCreations = {0};
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    EXPECT_EQ(font.RestoreDeviceObjects(), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(font.VertexBuffer(), nullptr);
    EXPECT_EQ(font.SavedStateBlock(), 0u);
    device.calls.clear();
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Mars"), E_FAIL);
    EXPECT_EQ(font.Render3DText("Mars", TextCentered), E_FAIL);
    EXPECT_TRUE(device.calls.empty()) << "no state is touched";
}

TEST_F(TextureFontFake, DrawsWithoutADeviceOrTextFail) {
    TextureFont font("Arial", 12, FontBold);
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Earth"), E_FAIL);
    EXPECT_EQ(font.Render3DText("Earth", 0), E_FAIL);
    EXPECT_EQ(font.InitDeviceObjects(nullptr), E_FAIL);
    EXPECT_EQ(font.RestoreDeviceObjects(), E_FAIL);
    EXPECT_EQ(font.InvalidateDeviceObjects(), S_OK);
    EXPECT_EQ(font.DeleteDeviceObjects(), S_OK);

    Prepare(font);
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, nullptr), E_FAIL);
    EXPECT_EQ(font.Render3DText(nullptr, 0), E_FAIL);
    EXPECT_TRUE(device.calls.empty());
}

// The first lock discards the new buffer; every later batch goes after the one before.
TEST_F(TextureFontFake, LongScreenTextIsDrawnInBatchesBetweenTheStateBlocks) {
    TextureFont font("Arial", 12, FontBold);
    Prepare(font);
    const std::string text(100, 'W');
    ASSERT_EQ(font.DrawText(3.0f, 1.0f, 0xC8FFFF00, text.c_str()), S_OK);
    EXPECT_EQ(Buffer(font).locks, (Locks{{0, 8400, D3DLOCK_DISCARD},
                                         {8400, 8400, D3DLOCK_NOOVERWRITE},
                                         {16800, 8400, D3DLOCK_NOOVERWRITE}}));
    EXPECT_EQ(Buffer(font).unlocks, 3);
    ASSERT_EQ(device.draws.size(), 2u);
    for (UINT d = 0; d < 2; ++d) {
        ExpectFontStates(font, device.draws[d], 0x144);
        EXPECT_EQ(device.draws[d].streamLocks, d + 1u) << "filled, then drawn";
        EXPECT_EQ(device.draws[d].startVertex, 300 * d);
        EXPECT_EQ(device.draws[d].count, 100u);
    }
    ExpectCallerStatesBack();
    EXPECT_TRUE(Buffer(font).GuardIntact());

    device.ClearRecords();
    ASSERT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Pluto", TextFiltered), S_OK);
    ASSERT_EQ(device.draws.size(), 1u);
    ExpectFontStates(font, device.draws[0], 0x144, D3DCULL_CCW, D3DTEXF_LINEAR);
    EXPECT_EQ(device.draws[0].startVertex, 900u) << "after the last batch";
    EXPECT_EQ(device.draws[0].count, 10u);
    ExpectCallerStatesBack();
}

TEST_F(TextureFontFake, LongWorldTextFitsTheBufferAndHonoursItsFlags) {
    TextureFont font("Arial", 12, FontBold);
    Prepare(font);
    const std::string text(150, 'M');
    ASSERT_EQ(font.Render3DText(text.c_str(), TextCentered | TextTwoSided | TextFiltered), S_OK);
    EXPECT_EQ(Buffer(font).locks, (Locks{{0, 9600, D3DLOCK_DISCARD},
                                         {9600, 9600, D3DLOCK_NOOVERWRITE},
                                         {19200, 9600, D3DLOCK_NOOVERWRITE},
                                         {28800, 9600, D3DLOCK_NOOVERWRITE}}));
    ASSERT_EQ(device.draws.size(), 3u);
    for (UINT d = 0; d < 3; ++d) {
        ExpectFontStates(font, device.draws[d], 0x112, D3DCULL_NONE, D3DTEXF_LINEAR);
        EXPECT_EQ(device.draws[d].streamLocks, d + 1u) << "filled, then drawn";
        EXPECT_EQ(device.draws[d].startVertex, 300 * d);
        EXPECT_EQ(device.draws[d].count, 100u);
    }
    ExpectCallerStatesBack();
    EXPECT_TRUE(Buffer(font).GuardIntact()) << "300 world vertices fit";
}

// A font for text seen smaller than its glyphs has every level down to 1 x 1, each one
// filled when the font is made. Filtered text blends between two levels, leaning half a
// level towards the sharper, unfiltered text keeps to level 0, and the caller's states
// come back after either.
TEST_F(TextureFontFake, AMipmappedFontFillsEveryLevelAndBlendsThemWhenFiltered) {
    TextureFont font("Arial", 12, FontBold | FontMipmaps);
    Prepare(font);
    EXPECT_EQ(device.textureCreations.at(0).levels, 0u) << "the full chain";
    const RecordedTexture& texture = *device.textures.at(0);
    EXPECT_EQ(texture.locks, 9) << "256 x 256 down to 1 x 1, each level once";
    EXPECT_EQ(texture.unlocks, 9);
    EXPECT_TRUE(texture.PaddingUntouched());
    ASSERT_EQ(font.Render3DText("Jupiter", TextCentered | TextFiltered), S_OK);
    ASSERT_EQ(font.DrawText(2.0f, 0.0f, 0xFFFFFF00, "60.00 fps"), S_OK);
    ASSERT_EQ(device.draws.size(), 2u);
    const auto mipFilter = std::make_pair(DWORD{0}, D3DTSS_MIPFILTER);
    EXPECT_EQ(device.draws[0].stageStates.at(mipFilter), static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ(device.draws[0].stageStates.at({0, D3DTSS_MINFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR));
    const float sharpening = -0.5f;
    DWORD bias = 0;
    std::memcpy(&bias, &sharpening, sizeof(bias));
    EXPECT_EQ(device.draws[0].stageStates.at({0, D3DTSS_MIPMAPLODBIAS}), bias);
    EXPECT_EQ(device.draws[1].stageStates.at(mipFilter), static_cast<DWORD>(D3DTEXF_NONE));
    EXPECT_EQ(device.draws[1].stageStates.at({0, D3DTSS_MIPMAPLODBIAS}), 0u);
    EXPECT_EQ(device.renderStates, callerRenderStates);
    EXPECT_EQ(device.stageStates, callerStageStates);
}

TEST_F(TextureFontFake, AFailedLockEndsTheDrawAndPutsTheStatesBack) {
    device.failVertexBufferLock = 2;
    TextureFont font("Arial", 12, FontBold);
    Prepare(font);
    const std::string text(120, 'W');
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, text.c_str()), D3DERR_INVALIDCALL);
    ASSERT_EQ(Buffer(font).locks.size(), 2u);
    EXPECT_EQ(Buffer(font).locks[1], (VertexBufferLock{8400, 8400, D3DLOCK_NOOVERWRITE}));
    EXPECT_EQ(Buffer(font).unlocks, 1) << "nothing after the failed lock";
    EXPECT_EQ(device.draws.size(), 1u);
    ExpectCallerStatesBack();
}

TEST_F(TextureFontFake, EverythingIsReleasedAndTheBlocksDeleted) {
    auto* font = new TextureFont("Tahoma", 11, FontBold);
    font->InitDeviceObjects(&device);
    font->RestoreDeviceObjects();
    device.calls.clear();
    font->RestoreDeviceObjects();  // replaces the first buffer and blocks
    EXPECT_EQ(device.deletedStateBlocks, (std::vector<DWORD>{2, 1}));
    EXPECT_EQ(device.calls.at(2), "CreateVertexBuffer") << "the old ones go first";
    EXPECT_EQ(device.vertexBuffers.at(0)->references, 0u);
    delete font;
    EXPECT_EQ(device.deletedStateBlocks, (std::vector<DWORD>{2, 1, 4, 3}));
    EXPECT_EQ(device.liveStateBlocks, 0);
    ASSERT_EQ(device.vertexBuffers.size(), 2u);
    EXPECT_EQ(device.LiveVertexBuffers(), 0);
    EXPECT_EQ(device.LiveTextures(), 0);
    EXPECT_EQ(device.references, 1u) << "the font borrows the device without a reference";
}

TEST_F(TextureFontFake, ASecondInitStartsOver) {
    TextureFont font("Arial", 12, FontBold);
    Prepare(font);
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.deletedStateBlocks, (std::vector<DWORD>{2, 1}));
    EXPECT_EQ(device.textures.at(0)->references, 0u);
    EXPECT_EQ(device.vertexBuffers.at(0)->references, 0u);
    EXPECT_EQ(font.Texture(), device.textures.at(1).get());
    EXPECT_EQ(font.VertexBuffer(), nullptr) << "restore follows, as after a first init";
}

// A batch saves and restores the caller's states once around all its strings, and each
// string starts from the same states as it would alone: the filter and cull mode one
// string sets are undone for the next.
TEST_F(TextureFontFake, ABatchSavesAndRestoresOnceAndEveryStringStartsAlike) {
    TextureFont font("Arial", 12, FontBold);
    Prepare(font);
    font.BeginBatch();
    ASSERT_EQ(font.Render3DText("Mars", TextCentered | TextFiltered), S_OK);
    ASSERT_EQ(font.Render3DText("Earth", TextCentered | TextFiltered | TextTwoSided), S_OK);
    ASSERT_EQ(font.Render3DText("Venus", TextCentered), S_OK);
    font.EndBatch();
    EXPECT_EQ(device.Count("ApplyStateBlock"), 2) << "the drawing states once, the caller's once";
    EXPECT_EQ(Buffer(font).locks, (Locks{{0, 9600, D3DLOCK_DISCARD},
                                         {768, 9600, D3DLOCK_NOOVERWRITE},
                                         {1728, 9600, D3DLOCK_NOOVERWRITE}}));
    ASSERT_EQ(device.draws.size(), 3u);
    const struct {
        UINT start;
        UINT triangles;
        DWORD cull;
        DWORD filter;
    } strings[] = {{0, 8, D3DCULL_CCW, D3DTEXF_LINEAR},
                   {24, 10, D3DCULL_NONE, D3DTEXF_LINEAR},
                   {54, 10, D3DCULL_CCW, D3DTEXF_POINT}};
    for (UINT d = 0; d < 3; ++d) {
        ExpectFontStates(font, device.draws[d], 0x112, strings[d].cull, strings[d].filter);
        EXPECT_EQ(device.draws[d].streamLocks, d + 1u) << "filled, then drawn";
        EXPECT_EQ(device.draws[d].startVertex, strings[d].start);
        EXPECT_EQ(device.draws[d].count, strings[d].triangles);
    }
    ExpectCallerStatesBack();

    // After the batch a single string saves and restores on its own again; an empty
    // batch touches nothing.
    device.ClearRecords();
    font.BeginBatch();
    font.EndBatch();
    EXPECT_TRUE(device.calls.empty());
    ASSERT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Pluto"), S_OK);
    EXPECT_EQ(device.calls.front(), "CaptureStateBlock");
    ExpectCallerStatesBack();
}

}  // namespace
