#pragma once

#include <windows.h>
#include <d3d8.h>

#include <cstdint>

#include "text/font_flags.h"
#include "text/glyph_atlas.h"

// Text drawn with Direct3D 8 from one glyph texture: GDI rasterises the printable ASCII
// characters once per device, and strings are drawn as textured quads in screen pixels
// (DrawText) or in world space (Render3DText).
//
// Calling order per device: InitDeviceObjects, RestoreDeviceObjects, draws between the
// caller's BeginScene and EndScene, InvalidateDeviceObjects (before a Reset; then
// RestoreDeviceObjects again), DeleteDeviceObjects. The device is borrowed, not owned: it
// must outlive the font's device objects.
//
// <windows.h> maps DrawText to DrawTextA; callers see the same mapping, so the member is
// reached as DrawText everywhere.
class TextureFont {
public:
    // faceName must fit in 80 bytes with its terminator; a longer one is cut there. The
    // glyphs are `height` points at `pixelsPerInch`, the DPI of the screen the text is
    // for; 0 takes the screen's as GDI reports it, which for a program aware of each
    // monitor's DPI is the main monitor's.
    TextureFont(const char* faceName, uint32_t height, uint32_t flags, uint32_t pixelsPerInch = 0);
    ~TextureFont();
    TextureFont(const TextureFont&) = delete;
    TextureFont& operator=(const TextureFont&) = delete;

    // Builds the glyph texture (managed pool, so it survives a Reset). Called again, it
    // first releases everything the font holds.
    HRESULT InitDeviceObjects(IDirect3DDevice8* device);
    // Creates the vertex buffer and records the two state blocks.
    HRESULT RestoreDeviceObjects();
    // Releases the vertex buffer and deletes the state blocks; always S_OK.
    HRESULT InvalidateDeviceObjects();
    // Releases the texture and forgets the device; always S_OK.
    HRESULT DeleteDeviceObjects();

    // Size of `text` in texels of the glyph texture; E_FAIL for a null text or output.
    HRESULT GetTextExtent(const char* text, SIZE* size) const;
    // Screen-space text with its top-left at pixel (x, y). Flags: TextFiltered.
    HRESULT DrawText(float x, float y, D3DCOLOR colour, const char* text, uint32_t flags = 0);
    // World-space text under the caller's transforms, ten texels to a unit, lit by the
    // caller's lights and material. Flags: TextCentered, TextTwoSided, TextFiltered.
    HRESULT Render3DText(const char* text, uint32_t flags = 0);

    // Draws between BeginBatch and EndBatch share one save and restore of the caller's
    // states: captured at the first draw, put back by EndBatch instead of after every
    // string, which saves two state-block applications and a capture per string. Between
    // the draws the caller may change transforms, not the states the text sets.
    void BeginBatch();
    void EndBatch();

    const char* FaceName() const { return faceName_; }
    uint32_t Height() const { return height_; }
    uint32_t Flags() const { return flags_; }
    uint32_t PixelsPerInch() const { return pixelsPerInch_; }
    IDirect3DDevice8* Device() const { return device_; }
    IDirect3DTexture8* Texture() const { return texture_; }
    IDirect3DVertexBuffer8* VertexBuffer() const { return vertexBuffer_; }
    const GlyphAtlas& Atlas() const { return atlas_; }
    DWORD SavedStateBlock() const { return savedStateBlock_; }
    DWORD DrawTextStateBlock() const { return drawTextStateBlock_; }

private:
    bool ReadyToDraw(const char* text) const;
    HRESULT CreateGlyphTexture();
    void BeginTextStates(DWORD vertexFormat, UINT stride, uint32_t flags);
    void EndTextStates(uint32_t flags);

    char faceName_[80] = {};
    uint32_t height_;
    uint32_t flags_;
    uint32_t pixelsPerInch_;
    IDirect3DDevice8* device_ = nullptr;
    IDirect3DTexture8* texture_ = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer_ = nullptr;
    GlyphAtlas atlas_;
    DWORD savedStateBlock_ = 0;
    DWORD drawTextStateBlock_ = 0;
    UINT vertexCursor_ = 0;  // bytes of the vertex buffer written since its last discard
    bool batching_ = false;
    bool statesSaved_ = false;     // in a batch: the caller's states are captured, the text's applied
    bool linearFiltered_ = false;  // the glyph filter the last draw set
    bool mipmapped_ = false;       // the texture has more than one level
};
