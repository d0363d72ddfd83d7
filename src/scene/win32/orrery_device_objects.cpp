#include <algorithm>

#include "scene/name_font_size.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "text/font_flags.h"
#include "text/glyph_atlas.h"
#include "text/win32/glyph_rasterizer.h"
#include "text/win32/texture_font.h"
#include "util/screen_dpi.h"

namespace {

constexpr uint32_t MaxNameTextureSide = 1024;

TextureFont* NewFont(IDirect3DDevice8* device, const char* faceName, uint32_t height, uint32_t dpi,
                     uint32_t flags = FontBold) {
    auto* font = new TextureFont(faceName, height, flags, dpi);
    // A font without its glyphs draws nothing; that is no reason to stop the scene.
    font->InitDeviceObjects(device);
    font->RestoreDeviceObjects();
    return font;
}

const char NameFace[] = "Arial";

// The names stand in the scene and are mostly seen smaller than their glyphs: their
// texture has mipmaps.
constexpr uint32_t NameFontFlags = FontBold | FontMipmaps;

// The names' height for screens up to `screenHeight` pixels tall at `dpi` on `device`:
// their glyphs must fit one texture of the device's size, at most 1024 x 1024, without
// being shrunk to it.
uint32_t NameFontHeight(IDirect3DDevice8* device, uint32_t screenHeight, uint32_t dpi) {
    D3DCAPS8 caps = {};
    device->GetDeviceCaps(&caps);
    uint32_t side = MaxNameTextureSide;
    const uint32_t deviceSide = SquareTextureLimit(caps.MaxTextureWidth, caps.MaxTextureHeight);
    if (deviceSide != 0) {
        side = std::min(side, deviceSide);
    }
    return ChooseNameFontHeight(screenHeight, dpi, [side, dpi](uint32_t height) {
        GlyphExtent extents[GlyphCharCount];
        return GlyphTextureSize(height) <= side &&
               MeasureGlyphs(NameFace, GlyphFontSize{height, dpi, 1.0f}, NameFontFlags, extents) &&
               GlyphsFitTexture(extents, side);
    });
}

void DeleteFont(TextureFont*& font) {
    delete font;  // the destructor gives back its device objects
    font = nullptr;
}

}  // namespace

// Everything the current device needs for drawing, built from scratch: after a reset
// the catalogue (and the static camera's eye) starts over too, while the planets keep
// their motion.
HRESULT OrrerySaver::PrepareDeviceObjects() {
    if (activeDevice == nullptr) {
        return S_OK;
    }
    if (currentDevice == nullptr) {
        return E_FAIL;  // a screen beyond the records has nowhere to keep its objects
    }
    screenWidth = static_cast<int>(backBufferDesc.Width);
    screenHeight = static_cast<int>(backBufferDesc.Height);
    skyBoxColour = D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f);
    sunBaseColour = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);

    // Until the first frame's camera replaces it.
    const D3DXVECTOR3 eye(0.0f, 0.0f, 0.0f), at(0.0f, 0.0f, 1.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    activeDevice->SetTransform(D3DTS_VIEW, &view);
    activeDevice->SetRenderState(D3DRS_DITHERENABLE, TRUE);
    activeDevice->SetRenderState(D3DRS_SPECULARENABLE, FALSE);

    // The framework releases only what a successful preparation made, so a failure gives
    // back here whatever was built before it: left over, it would keep the device alive.
    if (FAILED(BuildStaticGeometry())) {
        ReleaseSceneObjects();
        return E_FAIL;
    }
    if (FAILED(LoadSceneTextures())) {
        ReleaseSceneObjects();
        return E_FAIL;
    }
    InitCatalogue();
    // After a reset mid-run the planets go back to where this frame has them, not to
    // their catalogue places, since the camera and the labels of this frame stay; so do
    // their distance lines.
    UpdateBodyPositions();
    UpdateDistanceLines();
    BuildLineObjects();
    // The drawing steps switch the light on and off.
    sunLight = SunLightValues();
    activeDevice->SetLight(0, &sunLight);
    CreateFonts();
    BeginMusic();
    return S_OK;
}

HRESULT OrrerySaver::ReleaseDeviceObjects() {
    ReleaseSceneObjects();
    if (MusicWanted()) {
        StopMusic();
    }
    return S_OK;
}

void OrrerySaver::ReleaseSceneObjects() {
    if (currentDevice != nullptr) {
        DeleteFonts();
        ReleaseSceneTextures(*currentDevice);
        ReleaseSceneBuffers(*currentDevice);
        currentDevice->planetMapMinification = MapMinification{};
    }
}

// A repeated preparation replaces the fonts rather than leaking the earlier ones. Every
// font is rasterised at the DPI of this device's screen: the screen texts grow with it,
// and the names, which keep their size in the scene, get fewer points for more pixels.
void OrrerySaver::CreateFonts() {
    DeleteFonts();
    const uint32_t dpi = UsableDpi(screenDpi);
    currentDevice->labelFont = NewFont(activeDevice, NameFace, NameFontBaseHeight, dpi);
    currentDevice->panelFont = NewFont(activeDevice, "Tahoma", 14, dpi);
    currentDevice->titleFont = NewFont(activeDevice, "Tahoma", 11, dpi);
    const uint32_t nameHeight = NameFontHeight(
        activeDevice, std::max<uint32_t>(TallestBackBufferHeight(), backBufferDesc.Height), dpi);
    currentDevice->nameFont = NewFont(activeDevice, NameFace, nameHeight, dpi, NameFontFlags);
    currentDevice->nameFontScale = NameFontScale(nameHeight, dpi);
}

void OrrerySaver::DeleteFonts() {
    DeleteFont(currentDevice->nameFont);
    currentDevice->nameFontScale = 0.0f;
    DeleteFont(currentDevice->labelFont);
    DeleteFont(currentDevice->panelFont);
    DeleteFont(currentDevice->titleFont);
}
