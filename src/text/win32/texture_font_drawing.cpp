#include "text/win32/texture_font.h"

#include <cstring>

#include "text/font_string_drawing.h"
#include "text/font_vertex.h"
#include "text/text_layout.h"

namespace {

// The level of detail filtered, mipmapped text is drawn at, against the one its size asks.
constexpr float MipSharpening = -0.5f;

DWORD FloatBits(float value) {
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

// The font's dynamic vertex buffer as the target of a string's batches. Each batch goes
// after the last one written (no-overwrite: the device need not wait for the draws that
// read the earlier ones); a batch that no longer fits discards the buffer and starts
// again at its beginning. `cursor` is the font's byte position, kept across strings.
class VertexBufferSink : public FontVertexSink {
public:
    VertexBufferSink(IDirect3DDevice8* device, IDirect3DVertexBuffer8* buffer, UINT stride, UINT& cursor)
        : device_(device), buffer_(buffer), stride_(stride), cursor_(cursor) {}

    void* LockVertices() override {
        UINT first = (cursor_ + stride_ - 1) / stride_;
        DWORD flags = D3DLOCK_NOOVERWRITE;
        if ((first + MaxFontVertices) * stride_ > FontVertexBufferBytes) {
            first = 0;
            flags = D3DLOCK_DISCARD;
        }
        BYTE* data = nullptr;
        lockResult_ = buffer_->Lock(first * stride_, MaxFontVertices * stride_, &data, flags);
        if (FAILED(lockResult_)) {
            return nullptr;
        }
        first_ = first;
        cursor_ = (first + MaxFontVertices) * stride_;  // until the draw tells how much was used
        return data;
    }
    void UnlockVertices() override { buffer_->Unlock(); }
    void DrawTriangles(unsigned count) override {
        device_->DrawPrimitive(D3DPT_TRIANGLELIST, first_, count);
        cursor_ = (first_ + 3 * count) * stride_;
    }

    HRESULT LockResult() const { return FAILED(lockResult_) ? lockResult_ : E_FAIL; }

private:
    IDirect3DDevice8* device_;
    IDirect3DVertexBuffer8* buffer_;
    UINT stride_;
    UINT& cursor_;
    UINT first_ = 0;
    HRESULT lockResult_ = S_OK;
};

}  // namespace

HRESULT TextureFont::GetTextExtent(const char* text, SIZE* size) const {
    if (text == nullptr || size == nullptr) {
        return E_FAIL;
    }
    const TextExtent extent = MeasureText(atlas_, text);
    size->cx = extent.cx;
    size->cy = extent.cy;
    return S_OK;
}

// A draw needs the device and the vertex buffer; before RestoreDeviceObjects, after
// InvalidateDeviceObjects or after a failed restore there is no buffer to write into.
bool TextureFont::ReadyToDraw(const char* text) const {
    return device_ != nullptr && vertexBuffer_ != nullptr && text != nullptr;
}

void TextureFont::BeginBatch() {
    batching_ = true;
}

void TextureFont::EndBatch() {
    if (statesSaved_ && device_ != nullptr) {
        device_->ApplyStateBlock(savedStateBlock_);
    }
    batching_ = false;
    statesSaved_ = false;
}

void TextureFont::BeginTextStates(DWORD vertexFormat, UINT stride, uint32_t flags) {
    if (!statesSaved_) {
        device_->CaptureStateBlock(savedStateBlock_);
        device_->ApplyStateBlock(drawTextStateBlock_);
        statesSaved_ = batching_;
        linearFiltered_ = false;  // the text block's point filter
    }
    device_->SetVertexShader(vertexFormat);
    device_->SetPixelShader(0);
    device_->SetStreamSource(0, vertexBuffer_, stride);
    const bool filtered = (flags & TextFiltered) != 0;
    if (filtered != linearFiltered_) {
        const DWORD filter = filtered ? D3DTEXF_LINEAR : D3DTEXF_POINT;
        device_->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
        device_->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
        // Filtered text blends between the two nearest levels too, leaning half a level
        // towards the sharper one: text a little smaller than its glyphs keeps crisp
        // edges, and only text much smaller is smoothed. Unfiltered text is drawn at its
        // own size, from level 0 (the text block's MIPFILTER NONE).
        if (mipmapped_) {
            device_->SetTextureStageState(0, D3DTSS_MIPFILTER, filtered ? D3DTEXF_LINEAR : D3DTEXF_NONE);
            device_->SetTextureStageState(0, D3DTSS_MIPMAPLODBIAS, filtered ? FloatBits(MipSharpening) : 0);
        }
        linearFiltered_ = filtered;
    }
}

// Outside a batch the caller's states come back at once; inside one only what this
// string set beyond the text block is undone, so the next string starts alike.
void TextureFont::EndTextStates(uint32_t flags) {
    if (!statesSaved_) {
        device_->ApplyStateBlock(savedStateBlock_);
    } else if (flags & TextTwoSided) {
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    }
}

HRESULT TextureFont::DrawText(float x, float y, D3DCOLOR colour, const char* text, uint32_t flags) {
    if (!ReadyToDraw(text)) {
        return E_FAIL;
    }
    BeginTextStates(FontVertex2DFvf, sizeof(FontVertex2D), flags);
    VertexBufferSink sink(device_, vertexBuffer_, sizeof(FontVertex2D), vertexCursor_);
    const bool drawn = DrawScreenString(atlas_, text, x, y, colour, sink);
    EndTextStates(0);
    return drawn ? S_OK : sink.LockResult();
}

HRESULT TextureFont::Render3DText(const char* text, uint32_t flags) {
    if (!ReadyToDraw(text)) {
        return E_FAIL;
    }
    BeginTextStates(FontVertex3DFvf, sizeof(FontVertex3D), flags);
    if (flags & TextTwoSided) {
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    }
    VertexBufferSink sink(device_, vertexBuffer_, sizeof(FontVertex3D), vertexCursor_);
    const bool drawn = DrawWorldString(atlas_, text, flags, sink);
    EndTextStates(flags);
    return drawn ? S_OK : sink.LockResult();
}
