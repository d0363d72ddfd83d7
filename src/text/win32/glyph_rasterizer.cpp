#include "text/win32/glyph_rasterizer.h"

#include <algorithm>
#include <vector>

#include "text/font_flags.h"
#include "text/glyph_atlas.h"

namespace {

// A memory DC with a top-down 32-bit DIB section and a font selected into it. The DC's
// original objects are selected back before anything is deleted, since GDI will not
// delete an object that a DC still holds.
class GlyphCanvas {
public:
    GlyphCanvas() = default;
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    ~GlyphCanvas() {
        if (dc_ != nullptr) {
            if (oldFont_ != nullptr) {
                SelectObject(dc_, oldFont_);
            }
            if (oldBitmap_ != nullptr) {
                SelectObject(dc_, oldBitmap_);
            }
        }
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
    }

    bool CreateDc() {
        dc_ = CreateCompatibleDC(nullptr);
        if (dc_ == nullptr) {
            return false;
        }
        SetMapMode(dc_, MM_TEXT);
        return true;
    }

    bool CreateBitmap(uint32_t width, uint32_t height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = -static_cast<LONG>(height);  // rows top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap_ == nullptr || bits == nullptr) {
            return false;
        }
        bits_ = static_cast<const uint32_t*>(bits);
        return true;
    }

    bool MakeFont(const char* faceName, const GlyphFontSize& size, uint32_t flags) {
        const int screenPixelsPerInch =
            size.pixelsPerInch != 0 ? static_cast<int>(size.pixelsPerInch) : GetDeviceCaps(dc_, LOGPIXELSY);
        const int pixelsPerInch = static_cast<int>(screenPixelsPerInch * size.textScale);
        // Height 0 would ask GDI for its default size, not for the smallest one.
        const int pixelHeight = std::max(1, MulDiv(static_cast<int>(size.height), pixelsPerInch, 72));
        font_ = CreateFontA(-pixelHeight, 0, 0, 0, (flags & FontBold) ? FW_BOLD : FW_NORMAL,
                            (flags & FontItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH,
                            faceName);
        return font_ != nullptr;
    }

    void SelectFont() { oldFont_ = SelectObject(dc_, font_); }

    // White text on black, aligned at the top of each cell.
    void SelectForDrawing() {
        oldBitmap_ = SelectObject(dc_, bitmap_);
        SelectFont();
        SetTextColor(dc_, RGB(255, 255, 255));
        SetBkColor(dc_, RGB(0, 0, 0));
        SetTextAlign(dc_, TA_TOP);
    }

    void MeasureGlyphs(GlyphExtent (&extents)[GlyphCharCount]) const {
        for (int i = 0; i < GlyphCharCount; ++i) {
            const char c = static_cast<char>(FirstGlyphChar + i);
            SIZE size = {};
            GetTextExtentPoint32A(dc_, &c, 1, &size);
            extents[i] = {size.cx, size.cy};
        }
    }

    void DrawGlyphs(const GlyphPosition (&positions)[GlyphCharCount]) const {
        for (int i = 0; i < GlyphCharCount; ++i) {
            const char c = static_cast<char>(FirstGlyphChar + i);
            ExtTextOutA(dc_, positions[i].x, positions[i].y, ETO_OPAQUE, nullptr, &c, 1, nullptr);
        }
        GdiFlush();  // the bits are read directly next
    }

    const uint32_t* Bits() const { return bits_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    const uint32_t* bits_ = nullptr;
};

HRESULT CopyCoverageToTexture(const uint32_t* bits, const GlyphAtlas& atlas, IDirect3DTexture8* texture) {
    D3DLOCKED_RECT locked = {};
    HRESULT hr = texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr)) {
        return hr;
    }
    ConvertGlyphCoverage(bits, atlas.texWidth, atlas.texHeight, locked.pBits, locked.Pitch);
    texture->UnlockRect(0);

    // The smaller levels, each from the coverage of the one before it.
    const DWORD levels = texture->GetLevelCount();
    if (levels <= 1) {
        return S_OK;
    }
    uint32_t width = atlas.texWidth;
    uint32_t height = atlas.texHeight;
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * height);
    std::vector<uint8_t> half(static_cast<size_t>(NextMipSize(width)) * NextMipSize(height));
    GlyphCoverageOf(bits, width, height, coverage.data());
    for (DWORD level = 1; level < levels; ++level) {
        HalveCoverage(coverage.data(), width, height, half.data());
        width = NextMipSize(width);
        height = NextMipSize(height);
        coverage.swap(half);
        hr = texture->LockRect(level, &locked, nullptr, 0);
        if (FAILED(hr)) {
            return hr;
        }
        ConvertCoverageToTexels(coverage.data(), width, height, locked.pBits, locked.Pitch);
        texture->UnlockRect(level);
    }
    return S_OK;
}

}  // namespace

bool MeasureGlyphs(const char* faceName, const GlyphFontSize& size, uint32_t flags,
                   GlyphExtent (&extents)[GlyphCharCount]) {
    GlyphCanvas canvas;
    if (!canvas.CreateDc() || !canvas.MakeFont(faceName, size, flags)) {
        return false;
    }
    canvas.SelectFont();
    canvas.MeasureGlyphs(extents);
    return true;
}

HRESULT RasterizeGlyphs(const char* faceName, uint32_t height, uint32_t pixelsPerInch, uint32_t flags,
                        IDirect3DTexture8* texture, GlyphAtlas& atlas) {
    GlyphCanvas canvas;
    if (!canvas.CreateDc() || !canvas.CreateBitmap(atlas.texWidth, atlas.texHeight)) {
        return E_FAIL;
    }
    if (!canvas.MakeFont(faceName, GlyphFontSize{height, pixelsPerInch, atlas.textScale}, flags)) {
        return E_FAIL;
    }
    canvas.SelectForDrawing();

    GlyphExtent extents[GlyphCharCount];
    GlyphPosition positions[GlyphCharCount];
    canvas.MeasureGlyphs(extents);
    PackGlyphs(extents, positions, atlas);
    canvas.DrawGlyphs(positions);
    return CopyCoverageToTexture(canvas.Bits(), atlas, texture);
}
