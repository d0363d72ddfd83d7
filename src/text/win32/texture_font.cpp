#include "text/win32/texture_font.h"

#include <algorithm>
#include <iterator>

#include "text/font_vertex.h"
#include "text/glyph_atlas.h"
#include "text/win32/font_state_blocks.h"
#include "text/win32/glyph_rasterizer.h"
#include "util/copy_string_bounded.h"

TextureFont::TextureFont(const char* faceName, uint32_t height, uint32_t flags, uint32_t pixelsPerInch)
    : height_(height), flags_(flags), pixelsPerInch_(pixelsPerInch) {
    CopyStringBounded(faceName_, faceName);
}

TextureFont::~TextureFont() {
    InvalidateDeviceObjects();
    DeleteDeviceObjects();
}

HRESULT TextureFont::InitDeviceObjects(IDirect3DDevice8* device) {
    if (device == nullptr) {
        return E_FAIL;
    }
    // A second call starts over rather than leaking the first texture or leaving blocks
    // that still refer to it.
    InvalidateDeviceObjects();
    DeleteDeviceObjects();
    device_ = device;
    atlas_ = GlyphAtlas();
    return CreateGlyphTexture();
}

HRESULT TextureFont::CreateGlyphTexture() {
    D3DCAPS8 caps = {};
    device_->GetDeviceCaps(&caps);
    const uint32_t maxSide = SquareTextureLimit(caps.MaxTextureWidth, caps.MaxTextureHeight);
    // At a high screen resolution (dots per inch) the glyphs grow past the usual texture
    // size; the texture then grows with them rather than letting glyphs run off its edge.
    const GlyphTextureFit fit = ChooseGlyphTexture(height_, maxSide, [this](const GlyphTextureFit& f) {
        GlyphExtent extents[GlyphCharCount];
        // Without a font there is nothing to fit; RasterizeGlyphs reports the failure.
        return !MeasureGlyphs(faceName_, GlyphFontSize{height_, pixelsPerInch_, f.textScale}, flags_,
                              extents) ||
               GlyphsFitTexture(extents, f.size);
    });
    atlas_.texWidth = fit.size;
    atlas_.texHeight = fit.size;
    atlas_.textScale = fit.textScale;

    // Level count 0 asks for the full chain.
    const UINT levels = (flags_ & FontMipmaps) != 0 ? 0 : 1;
    HRESULT hr =
        device_->CreateTexture(fit.size, fit.size, levels, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture_);
    if (FAILED(hr)) {
        texture_ = nullptr;
        return hr;
    }
    mipmapped_ = texture_->GetLevelCount() > 1;
    hr = RasterizeGlyphs(faceName_, height_, pixelsPerInch_, flags_, texture_, atlas_);
    if (FAILED(hr)) {
        // Without glyphs every character is empty, so draws show nothing.
        for (float(&coords)[4] : atlas_.glyphCoords) {
            std::fill(std::begin(coords), std::end(coords), 0.0f);
        }
    }
    return hr;
}

HRESULT TextureFont::RestoreDeviceObjects() {
    if (device_ == nullptr) {
        return E_FAIL;
    }
    // A second call rebuilds the buffer and the blocks rather than leaking them.
    InvalidateDeviceObjects();
    HRESULT hr = device_->CreateVertexBuffer(FontVertexBufferBytes, D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, 0,
                                             D3DPOOL_DEFAULT, &vertexBuffer_);
    if (FAILED(hr)) {
        vertexBuffer_ = nullptr;
        return hr;
    }
    vertexCursor_ = FontVertexBufferBytes;  // the first lock discards
    const bool zEnable = (flags_ & FontZEnable) != 0;
    hr = RecordTextStateBlock(device_, texture_, zEnable, &savedStateBlock_);
    if (FAILED(hr)) {
        return hr;
    }
    return RecordTextStateBlock(device_, texture_, zEnable, &drawTextStateBlock_);
}

HRESULT TextureFont::InvalidateDeviceObjects() {
    if (vertexBuffer_ != nullptr) {
        vertexBuffer_->Release();
        vertexBuffer_ = nullptr;
    }
    if (device_ != nullptr) {
        DeleteTextStateBlock(device_, drawTextStateBlock_);
        DeleteTextStateBlock(device_, savedStateBlock_);
    }
    savedStateBlock_ = 0;
    drawTextStateBlock_ = 0;
    statesSaved_ = false;  // no block left to put back
    return S_OK;
}

HRESULT TextureFont::DeleteDeviceObjects() {
    if (texture_ != nullptr) {
        texture_->Release();
        texture_ = nullptr;
    }
    device_ = nullptr;
    mipmapped_ = false;
    return S_OK;
}
