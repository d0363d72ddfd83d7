#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/d3d8_stubs.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"

namespace {

// What the real device cannot show: the exact calls of a draw, its batches, failing
// creations and locks, and a device with a small texture limit.

std::string Format(const char* format, ...) {
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

class FakeTexture : public StubDirect3DTexture8 {
public:
    FakeTexture(UINT width, UINT height) : width(width), height(height), texels(width * height, 0xABCD) {}
    HRESULT STDMETHODCALLTYPE LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                       DWORD flags) override {
        lockCalls.push_back(Format("LockRect %u %s %lu", level, rect ? "rect" : "all", flags));
        locked->pBits = texels.data();
        locked->Pitch = static_cast<INT>(width * 2);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnlockRect(UINT level) override {
        lockCalls.push_back(Format("UnlockRect %u", level));
        return S_OK;
    }
    UINT width;
    UINT height;
    std::vector<uint16_t> texels;
    std::vector<std::string> lockCalls;
};

class FakeVertexBuffer : public StubDirect3DVertexBuffer8 {
public:
    static constexpr size_t Guard = 64;
    explicit FakeVertexBuffer(UINT length) : length(length), bytes(length + Guard, 0xCD) {}
    HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override {
        log->push_back(Format("Lock %u %u 0x%lX", offset, size, flags));
        if (++locks == failLockNumber) {
            *data = nullptr;
            return D3DERR_INVALIDCALL;
        }
        *data = bytes.data();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock() override {
        log->push_back("Unlock");
        return S_OK;
    }
    bool GuardIntact() const {
        for (size_t i = length; i < bytes.size(); ++i) {
            if (bytes[i] != 0xCD)
                return false;
        }
        return true;
    }
    UINT length;
    std::vector<BYTE> bytes;
    std::vector<std::string>* log = nullptr;
    int locks = 0;
    int failLockNumber = 0;
};

// Records every call that the font makes, in order, as text.
class RecordingDevice : public StubDirect3DDevice8 {
public:
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8* caps) override {
        *caps = D3DCAPS8();
        caps->MaxTextureWidth = maxTextureWidth;
        caps->MaxTextureHeight = maxTextureWidth;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool,
                                            IDirect3DTexture8** texture) override {
        calls.push_back(
            Format("CreateTexture %u %u %u %lu %d %d", width, height, levels, usage, format, pool));
        *texture = nullptr;
        if (FAILED(createTextureResult))
            return createTextureResult;
        textures.push_back(std::make_unique<FakeTexture>(width, height));
        *texture = textures.back().get();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                                 IDirect3DVertexBuffer8** buffer) override {
        calls.push_back(Format("CreateVertexBuffer %u 0x%lX %lu %d", length, usage, fvf, pool));
        *buffer = nullptr;
        if (FAILED(createVertexBufferResult))
            return createVertexBufferResult;
        buffers.push_back(std::make_unique<FakeVertexBuffer>(length));
        buffers.back()->log = &calls;
        buffers.back()->failLockNumber = failLockNumber;
        *buffer = buffers.back().get();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override { return Record("BeginStateBlock"); }
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD* token) override {
        *token = ++lastToken;
        return Record(Format("EndStateBlock -> %lu", *token));
    }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD token) override {
        return Record(Format("ApplyStateBlock %lu", token));
    }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD token) override {
        return Record(Format("CaptureStateBlock %lu", token));
    }
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD token) override {
        return Record(Format("DeleteStateBlock %lu", token));
    }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override {
        return Record(Format("SetTexture %lu %s", stage, texture ? "glyphs" : "none"));
    }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
        return Record(Format("SetRenderState %d %lu", state, value));
    }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                   DWORD value) override {
        return Record(Format("SetTextureStageState %lu %d %lu", stage, type, value));
    }
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD handle) override {
        return Record(Format("SetVertexShader 0x%lX", handle));
    }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD handle) override {
        return Record(Format("SetPixelShader %lu", handle));
    }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer,
                                              UINT stride) override {
        return Record(Format("SetStreamSource %u %s %u", stream, buffer ? "buffer" : "none", stride));
    }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE type, UINT start, UINT count) override {
        return Record(Format("DrawPrimitive %d %u %u", type, start, count));
    }

    // The calls from the first one that starts with `prefix` on.
    std::vector<std::string> CallsFrom(const std::string& prefix) const {
        for (size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].rfind(prefix, 0) == 0)
                return {calls.begin() + i, calls.end()};
        }
        return {};
    }
    // The calls recorded into each state block.
    std::vector<std::vector<std::string>> RecordedBlocks() const {
        std::vector<std::vector<std::string>> blocks;
        bool inside = false;
        for (const std::string& call : calls) {
            if (call == "BeginStateBlock") {
                blocks.emplace_back();
                inside = true;
            } else if (call.rfind("EndStateBlock", 0) == 0) {
                inside = false;
            } else if (inside) {
                blocks.back().push_back(call);
            }
        }
        return blocks;
    }

    UINT maxTextureWidth = 4096;
    HRESULT createTextureResult = S_OK;
    HRESULT createVertexBufferResult = S_OK;
    int failLockNumber = 0;
    DWORD lastToken = 0;
    std::vector<std::string> calls;
    std::vector<std::unique_ptr<FakeTexture>> textures;
    std::vector<std::unique_ptr<FakeVertexBuffer>> buffers;

private:
    HRESULT Record(const std::string& call) {
        calls.push_back(call);
        return S_OK;
    }
};

using Calls = std::vector<std::string>;

TEST(TextureFontFake, GlyphTextureIsOneManagedA4R4G4B4LevelFilledFromGdi) {
    RecordingDevice device;
    TextureFont font("Arial", 12, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.calls,
              Calls{Format("CreateTexture 256 256 1 0 %d %d", D3DFMT_A4R4G4B4, D3DPOOL_MANAGED)});
    const FakeTexture& texture = *device.textures.at(0);
    EXPECT_EQ(texture.lockCalls, (Calls{"LockRect 0 all 0", "UnlockRect 0"}));
    size_t covered = 0, untouched = 0;
    for (uint16_t t : texture.texels) {
        covered += t != 0 && t != 0xABCD;
        untouched += t == 0xABCD;
    }
    EXPECT_GT(covered, 200u);
    EXPECT_EQ(untouched, 0u) << "every texel is written";
}

TEST(TextureFontFake, TextureShrinksToTheDeviceLimit) {
    RecordingDevice device;
    device.maxTextureWidth = 256;
    TextureFont large("Arial", 41, FontBold);
    ASSERT_EQ(large.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.calls.at(0),
              Format("CreateTexture 256 256 1 0 %d %d", D3DFMT_A4R4G4B4, D3DPOOL_MANAGED));
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

TEST(TextureFontFake, FailedTextureCreationIsReturned) {
    RecordingDevice device;
    device.createTextureResult = E_OUTOFMEMORY;
    TextureFont font("Arial", 12, FontBold);
    EXPECT_EQ(font.InitDeviceObjects(&device), E_OUTOFMEMORY);
    EXPECT_EQ(font.Texture(), nullptr);
    EXPECT_EQ(font.Device(), &device);
    // The rest still works; the text is simply empty.
    EXPECT_EQ(font.RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Venus"), S_OK);
}

TEST(TextureFontFake, RestoreMakesABufferForSixteenBatchesOf300WorldVerticesAndTwoEqualBlocks) {
    RecordingDevice device;
    TextureFont font("Tahoma", 14, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    device.calls.clear();
    ASSERT_EQ(font.RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(device.calls.at(0), Format("CreateVertexBuffer 153600 0x%X 0 %d",
                                         D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, D3DPOOL_DEFAULT));
    const auto blocks = device.RecordedBlocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], blocks[1]);
    const Calls expected = {
        "SetTexture 0 glyphs",
        Format("SetRenderState %d 0", D3DRS_ZENABLE),
        Format("SetRenderState %d 1", D3DRS_ALPHABLENDENABLE),
        Format("SetRenderState %d %d", D3DRS_SRCBLEND, D3DBLEND_SRCALPHA),
        Format("SetRenderState %d %d", D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA),
        Format("SetRenderState %d 1", D3DRS_ALPHATESTENABLE),
        Format("SetRenderState %d 8", D3DRS_ALPHAREF),
        Format("SetRenderState %d %d", D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL),
        Format("SetRenderState %d %d", D3DRS_FILLMODE, D3DFILL_SOLID),
        Format("SetRenderState %d %d", D3DRS_CULLMODE, D3DCULL_CCW),
        Format("SetRenderState %d 0", D3DRS_STENCILENABLE),
        Format("SetRenderState %d 1", D3DRS_CLIPPING),
        Format("SetRenderState %d 0", D3DRS_EDGEANTIALIAS),
        Format("SetRenderState %d 0", D3DRS_CLIPPLANEENABLE),
        Format("SetRenderState %d %d", D3DRS_VERTEXBLEND, D3DVBF_DISABLE),
        Format("SetRenderState %d 0", D3DRS_INDEXEDVERTEXBLENDENABLE),
        Format("SetRenderState %d 0", D3DRS_FOGENABLE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_COLOROP, D3DTOP_MODULATE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_COLORARG1, D3DTA_TEXTURE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_COLORARG2, D3DTA_DIFFUSE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_ALPHAOP, D3DTOP_MODULATE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_ALPHAARG1, D3DTA_TEXTURE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_ALPHAARG2, D3DTA_DIFFUSE),
        Format("SetTextureStageState 0 %d %d", D3DTSS_MINFILTER, D3DTEXF_POINT),
        Format("SetTextureStageState 0 %d %d", D3DTSS_MAGFILTER, D3DTEXF_POINT),
        Format("SetTextureStageState 0 %d %d", D3DTSS_MIPFILTER, D3DTEXF_NONE),
        Format("SetTextureStageState 0 %d 0", D3DTSS_TEXCOORDINDEX),
        Format("SetTextureStageState 0 %d %d", D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE),
        Format("SetTextureStageState 1 %d %d", D3DTSS_COLOROP, D3DTOP_DISABLE),
        Format("SetTextureStageState 1 %d %d", D3DTSS_ALPHAOP, D3DTOP_DISABLE),
    };
    EXPECT_EQ(blocks[0], expected);
    EXPECT_EQ(font.SavedStateBlock(), 1u);
    EXPECT_EQ(font.DrawTextStateBlock(), 2u);

    RecordingDevice zDevice;
    TextureFont zFont("Tahoma", 14, FontBold | FontZEnable);
    zFont.InitDeviceObjects(&zDevice);
    zFont.RestoreDeviceObjects();
    EXPECT_EQ(zDevice.RecordedBlocks().at(0).at(1), Format("SetRenderState %d 1", D3DRS_ZENABLE));
}

TEST(TextureFontFake, FailedBufferCreationIsReturnedAndDrawsRefuse) {
    RecordingDevice device;
    device.createVertexBufferResult = D3DERR_OUTOFVIDEOMEMORY;
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

TEST(TextureFontFake, DrawsWithoutADeviceOrTextFail) {
    RecordingDevice device;  // outlives the font, which borrows it
    TextureFont font("Arial", 12, FontBold);
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Earth"), E_FAIL);
    EXPECT_EQ(font.Render3DText("Earth", 0), E_FAIL);
    EXPECT_EQ(font.InitDeviceObjects(nullptr), E_FAIL);
    EXPECT_EQ(font.RestoreDeviceObjects(), E_FAIL);
    EXPECT_EQ(font.InvalidateDeviceObjects(), S_OK);
    EXPECT_EQ(font.DeleteDeviceObjects(), S_OK);

    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, nullptr), E_FAIL);
    EXPECT_EQ(font.Render3DText(nullptr, 0), E_FAIL);
    EXPECT_TRUE(device.calls.empty());
}

TEST(TextureFontFake, LongScreenTextIsDrawnInBatchesBetweenTheStateBlocks) {
    RecordingDevice device;
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    const std::string text(100, 'W');
    ASSERT_EQ(font.DrawText(3.0f, 1.0f, 0xC8FFFF00, text.c_str()), S_OK);
    // The first lock discards the new buffer; every later batch goes after the one before.
    const auto lock = [](int offset, int flags) { return Format("Lock %d 8400 0x%X", offset, flags); };
    const auto draw = [](int first) { return Format("DrawPrimitive %d %d 100", D3DPT_TRIANGLELIST, first); };
    EXPECT_EQ(device.calls,
              (Calls{"CaptureStateBlock 1", "ApplyStateBlock 2", "SetVertexShader 0x144", "SetPixelShader 0",
                     "SetStreamSource 0 buffer 28", lock(0, D3DLOCK_DISCARD), "Unlock", draw(0),
                     lock(8400, D3DLOCK_NOOVERWRITE), "Unlock", draw(300), lock(16800, D3DLOCK_NOOVERWRITE),
                     "Unlock", "ApplyStateBlock 1"}));
    EXPECT_TRUE(device.buffers.at(0)->GuardIntact());

    device.calls.clear();
    ASSERT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Pluto", TextFiltered), S_OK);
    EXPECT_EQ(device.calls.at(5), Format("SetTextureStageState 0 %d %d", D3DTSS_MINFILTER, D3DTEXF_LINEAR));
    EXPECT_EQ(device.calls.at(6), Format("SetTextureStageState 0 %d %d", D3DTSS_MAGFILTER, D3DTEXF_LINEAR));
    EXPECT_EQ(device.calls.at(9), Format("DrawPrimitive %d 900 10", D3DPT_TRIANGLELIST))
        << "after the last batch";
}

TEST(TextureFontFake, LongWorldTextFitsTheBufferAndHonoursItsFlags) {
    RecordingDevice device;
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    const std::string text(150, 'M');
    ASSERT_EQ(font.Render3DText(text.c_str(), TextCentered | TextTwoSided | TextFiltered), S_OK);
    const auto lock = [](int offset, int flags) { return Format("Lock %d 9600 0x%X", offset, flags); };
    const auto draw = [](int first) { return Format("DrawPrimitive %d %d 100", D3DPT_TRIANGLELIST, first); };
    EXPECT_EQ(device.calls, (Calls{"CaptureStateBlock 1",
                                   "ApplyStateBlock 2",
                                   "SetVertexShader 0x112",
                                   "SetPixelShader 0",
                                   "SetStreamSource 0 buffer 32",
                                   Format("SetTextureStageState 0 %d %d", D3DTSS_MINFILTER, D3DTEXF_LINEAR),
                                   Format("SetTextureStageState 0 %d %d", D3DTSS_MAGFILTER, D3DTEXF_LINEAR),
                                   Format("SetRenderState %d %d", D3DRS_CULLMODE, D3DCULL_NONE),
                                   lock(0, D3DLOCK_DISCARD),
                                   "Unlock",
                                   draw(0),
                                   lock(9600, D3DLOCK_NOOVERWRITE),
                                   "Unlock",
                                   draw(300),
                                   lock(19200, D3DLOCK_NOOVERWRITE),
                                   "Unlock",
                                   draw(600),
                                   lock(28800, D3DLOCK_NOOVERWRITE),
                                   "Unlock",
                                   "ApplyStateBlock 1"}));
    EXPECT_TRUE(device.buffers.at(0)->GuardIntact()) << "300 world vertices fit";
}

TEST(TextureFontFake, AFailedLockEndsTheDrawAndPutsTheStatesBack) {
    RecordingDevice device;
    device.failLockNumber = 2;
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    const std::string text(120, 'W');
    EXPECT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, text.c_str()), D3DERR_INVALIDCALL);
    ASSERT_FALSE(device.calls.empty());
    EXPECT_EQ(device.calls.back(), "ApplyStateBlock 1");
    EXPECT_EQ(device.calls[device.calls.size() - 2], Format("Lock 8400 8400 0x%X", D3DLOCK_NOOVERWRITE));
}

TEST(TextureFontFake, EverythingIsReleasedAndTheBlocksDeleted) {
    RecordingDevice device;
    auto* font = new TextureFont("Tahoma", 11, FontBold);
    font->InitDeviceObjects(&device);
    font->RestoreDeviceObjects();
    device.calls.clear();
    font->RestoreDeviceObjects();  // replaces the first buffer and blocks
    ASSERT_GE(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0], "DeleteStateBlock 2");
    EXPECT_EQ(device.calls[1], "DeleteStateBlock 1");
    EXPECT_EQ(device.calls[2].rfind("CreateVertexBuffer", 0), 0u);
    EXPECT_EQ(device.buffers.at(0)->references, 0u);
    device.calls.clear();
    delete font;
    EXPECT_EQ(device.calls, (Calls{"DeleteStateBlock 4", "DeleteStateBlock 3"}));
    ASSERT_EQ(device.buffers.size(), 2u);
    EXPECT_EQ(device.buffers[0]->references, 0u);
    EXPECT_EQ(device.buffers[1]->references, 0u);
    EXPECT_EQ(device.textures.at(0)->references, 0u);
    EXPECT_EQ(device.references, 1u) << "the font borrows the device without a reference";
}

TEST(TextureFontFake, ASecondInitStartsOver) {
    RecordingDevice device;
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    ASSERT_EQ(font.InitDeviceObjects(&device), S_OK);
    EXPECT_EQ(device.calls.at(0), "DeleteStateBlock 2");
    EXPECT_EQ(device.calls.at(1), "DeleteStateBlock 1");
    EXPECT_EQ(device.textures.at(0)->references, 0u);
    EXPECT_EQ(device.buffers.at(0)->references, 0u);
    EXPECT_EQ(font.Texture(), device.textures.at(1).get());
    EXPECT_EQ(font.VertexBuffer(), nullptr) << "restore follows, as after a first init";
}

}  // namespace

// A batch saves and restores the caller's states once around all its strings, and each
// string starts from the same states as it would alone: the filter and cull mode one
// string sets are undone for the next.
TEST(TextureFontFake, ABatchSavesAndRestoresOnceAndEveryStringStartsAlike) {
    RecordingDevice device;
    TextureFont font("Arial", 12, FontBold);
    font.InitDeviceObjects(&device);
    font.RestoreDeviceObjects();
    device.calls.clear();
    font.BeginBatch();
    ASSERT_EQ(font.Render3DText("Mars", TextCentered | TextFiltered), S_OK);
    ASSERT_EQ(font.Render3DText("Earth", TextCentered | TextFiltered | TextTwoSided), S_OK);
    ASSERT_EQ(font.Render3DText("Venus", TextCentered), S_OK);
    font.EndBatch();
    const auto lock = [](int offset, int flags) { return Format("Lock %d 9600 0x%X", offset, flags); };
    const auto draw = [](int first, int triangles) {
        return Format("DrawPrimitive %d %d %d", D3DPT_TRIANGLELIST, first, triangles);
    };
    const std::string stream = "SetStreamSource 0 buffer 32";
    const auto filter = [](D3DTEXTURESTAGESTATETYPE type, int value) {
        return Format("SetTextureStageState 0 %d %d", type, value);
    };
    EXPECT_EQ(device.calls, (Calls{"CaptureStateBlock 1",
                                   "ApplyStateBlock 2",
                                   "SetVertexShader 0x112",
                                   "SetPixelShader 0",
                                   stream,
                                   filter(D3DTSS_MINFILTER, D3DTEXF_LINEAR),
                                   filter(D3DTSS_MAGFILTER, D3DTEXF_LINEAR),
                                   lock(0, D3DLOCK_DISCARD),
                                   "Unlock",
                                   draw(0, 8),
                                   "SetVertexShader 0x112",
                                   "SetPixelShader 0",
                                   stream,
                                   Format("SetRenderState %d %d", D3DRS_CULLMODE, D3DCULL_NONE),
                                   lock(768, D3DLOCK_NOOVERWRITE),
                                   "Unlock",
                                   draw(24, 10),
                                   Format("SetRenderState %d %d", D3DRS_CULLMODE, D3DCULL_CCW),
                                   "SetVertexShader 0x112",
                                   "SetPixelShader 0",
                                   stream,
                                   filter(D3DTSS_MINFILTER, D3DTEXF_POINT),
                                   filter(D3DTSS_MAGFILTER, D3DTEXF_POINT),
                                   lock(1728, D3DLOCK_NOOVERWRITE),
                                   "Unlock",
                                   draw(54, 10),
                                   "ApplyStateBlock 1"}));

    // After the batch a single string saves and restores on its own again; an empty
    // batch touches nothing.
    device.calls.clear();
    font.BeginBatch();
    font.EndBatch();
    EXPECT_TRUE(device.calls.empty());
    ASSERT_EQ(font.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "Pluto"), S_OK);
    EXPECT_EQ(device.calls.front(), "CaptureStateBlock 1");
    EXPECT_EQ(device.calls.back(), "ApplyStateBlock 1");
}
