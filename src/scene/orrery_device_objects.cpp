#include "scene/orrery_saver.h"
#include "scene/vertex_buffer_upload.h"
#include "text/font_flags.h"
#include "text/texture_font.h"

namespace {

TextureFont* NewFont(IDirect3DDevice8* device, const char* faceName, uint32_t height) {
    auto* font = new TextureFont(faceName, height, FontBold);
    // A font without its glyphs draws nothing; that is no reason to stop the scene.
    font->InitDeviceObjects(device);
    font->RestoreDeviceObjects();
    return font;
}

void DeleteFont(TextureFont*& font) {
    delete font;  // the destructor gives back its device objects
    font = nullptr;
}

}  // namespace

// Everything the current device needs for drawing, built from scratch: after a reset
// the catalogue (and the static camera's eye) starts over too.
HRESULT OrrerySaver::PrepareDeviceObjects() {
    if (activeDevice == nullptr) {
        return S_OK;
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
    if (FAILED(BuildOrbitGeometry())) {
        ReleaseSceneObjects();
        return E_FAIL;
    }
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
    }
}

// A repeated preparation replaces the fonts rather than leaking the earlier ones.
void OrrerySaver::CreateFonts() {
    DeleteFonts();
    currentDevice->labelFont = NewFont(activeDevice, "Arial", 12);
    currentDevice->panelFont = NewFont(activeDevice, "Tahoma", 14);
    currentDevice->titleFont = NewFont(activeDevice, "Tahoma", 11);
}

void OrrerySaver::DeleteFonts() {
    DeleteFont(currentDevice->labelFont);
    DeleteFont(currentDevice->panelFont);
    DeleteFont(currentDevice->titleFont);
}
