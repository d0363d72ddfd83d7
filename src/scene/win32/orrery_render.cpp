#include <algorithm>
#include <cstring>

#include "scene/sphere_detail.h"
#include "scene/win32/orrery_saver.h"

// The frame of one screen. Render states that a step does not restore stay set for the
// steps after it and for the next frame; each step sets what its look depends on.

namespace {

constexpr float NearPlane = 0.05f;
constexpr float FarPlane = 3000.0f;
constexpr D3DCOLOR ClearBlack = 0xFF000000;
constexpr DWORD FullAmbient = 0x00FFFFFF;
constexpr DWORD DimAmbient = 0x00444444;
constexpr float RingTilt = 0.7853982f;  // 45 degrees, whatever the planet's own tilt
constexpr int RingBodies[RingCount] = {SaturnIndex, UranusIndex};  // whose ring each buffer is

void SetAlphaBlending(IDirect3DDevice8* device) {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

// Texture colour times the lit vertex colour.
void SetTextureTimesDiffuse(IDirect3DDevice8* device) {
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
}

void SetLighting(IDirect3DDevice8* device, BOOL on) {
    device->SetRenderState(D3DRS_LIGHTING, on);
    device->LightEnable(0, on);
}

// Halos and the glow: blended, textured and lit, without depth to begin with.
void SetBillboardStates(IDirect3DDevice8* device) {
    SetAlphaBlending(device);
    SetTextureTimesDiffuse(device);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    SetLighting(device, TRUE);
}

D3DMATERIAL8 PlainMaterial(const D3DXCOLOR& colour) {
    D3DMATERIAL8 material = {};
    material.Diffuse = colour;
    material.Ambient = colour;
    material.Specular = colour;
    material.Emissive = colour;
    material.Power = 0.0f;
    return material;
}

// A float render state (the point size) as Direct3D takes it: its bits in a DWORD.
DWORD FloatBits(float value) {
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

bool ValidDetail(int detail) {
    return detail >= 0 && detail < SphereDetailCount;
}

}  // namespace

HRESULT OrrerySaver::RenderFrame() {
    if (activeDevice == nullptr || currentDevice == nullptr) {
        return S_OK;
    }
    // Screens may differ in size: the texts are placed for this one's back buffer.
    screenWidth = static_cast<int>(backBufferDesc.Width);
    screenHeight = static_cast<int>(backBufferDesc.Height);
    SetScreenProjection(NearPlane, FarPlane);
    activeDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearBlack, 1.0f, 0);
    if (FAILED(activeDevice->BeginScene())) {
        return S_OK;  // nothing can be drawn this frame
    }
    DrawSkyBox();
    DrawStars();
    DrawPlanetHalos();
    DrawPlanets();
    // The lines are blended over the opaque planets, around the Sun's glow.
    WriteLineRibbons(settings.trajectories != 0, settings.distances != 0);
    DrawLinesBehindSun();
    // The farther of the two blended layers goes first.
    if (saturnNearerThanSun) {
        DrawSunGlow();
        DrawRings();
    } else {
        DrawRings();
        DrawSunGlow();
    }
    DrawLinesInFrontOfSun();
    // A preview is too small for text other than its titles.
    const bool preview = mode == Preview;
    if (settings.names && !preview) {
        DrawBodyNames();
    }
    if (planetViewActive && !preview) {
        DrawInfoPanel();
    }
    if (settings.distances && !preview) {
        DrawDistanceLabels();
    }
    if (settings.fps && !preview) {
        DrawFrameRate();
    }
    if (settings.arrangement == ArrangementTodaysSky) {
        DrawSkyDate();
    }
    if (preview) {
        DrawPreviewTitles();
    }
    activeDevice->EndScene();
    return S_OK;
}

float OrrerySaver::FocalPixels() const {
    // The projection spans the shorter side of this picture with one unit at depth 1.
    const RECT& picture = allScreensSame ? renderCurrent : renderTotal;
    const LONG side = std::min(picture.right - picture.left, picture.bottom - picture.top);
    return static_cast<float>(std::max<LONG>(side, 1));
}

int OrrerySaver::SphereDetailOnScreen(int body) const {
    const PlanetRecord& record = bodies[body];
    int wanted = record.sphereDetail;
    if (!ValidDetail(wanted)) {
        const D3DXVECTOR3 toBody = record.position - eyePos;
        wanted = SphereDetailForOutline(
            SphereOutlinePixels(record.radius, D3DXVec3Length(&toBody), FocalPixels()));
    }
    // A finer sphere than wanted before a coarser one.
    for (int step = 0; step < SphereDetailCount; ++step) {
        for (int detail : {wanted + step, wanted - step}) {
            if (ValidDetail(detail) && currentDevice->sphereBuffers[detail] != nullptr) {
                return detail;
            }
        }
    }
    return -1;
}

// The box is drawn around the eye without depth, so everything else lies in front of it.
// Its faces are always magnified, so a linear filter is all they need; each is sampled
// up to its own edge and no further, where the next face goes on with the same texels.
void OrrerySaver::DrawSkyBox() {
    IDirect3DDevice8* device = activeDevice;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetVertexShader(SkyVertexFvf);
    device->SetStreamSource(0, currentDevice->skyBoxBuffer, sizeof(SkyVertex));
    D3DMATERIAL8 material = PlainMaterial(skyBoxColour);
    device->SetMaterial(&material);
    const D3DXMATRIX boxView = StarBoxView();
    device->SetTransform(D3DTS_VIEW, &boxView);
    if (currentDevice->skyBoxBuffer != nullptr) {
        for (int face = 0; face < SkyFaceCount; ++face) {
            device->SetTexture(0, currentDevice->skyTextures[face]);
            device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4 * face, 2);
        }
    }
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
    device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP);
    device->SetTransform(D3DTS_VIEW, &viewMatrix);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}

// The stars as points over the box, around the eye as the box is, each size class in its
// own point size. Their light adds to the box's, so a faint star over a bright nebula
// never shows darker than the nebula.
void OrrerySaver::DrawStars() {
    IDirect3DDevice8* device = activeDevice;
    IDirect3DVertexBuffer8* stars = currentDevice->starBuffer;
    if (stars == nullptr) {
        return;
    }
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    const D3DXMATRIX boxView = StarBoxView();
    device->SetTransform(D3DTS_VIEW, &boxView);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    device->SetVertexShader(StarVertexFvf);
    device->SetStreamSource(0, stars, sizeof(StarVertex));
    UINT first = 0;
    for (int k = 0; k < StarSizeCount; ++k) {
        const float size = StarPointSize(k, static_cast<uint32_t>(screenHeight));
        device->SetRenderState(D3DRS_POINTSIZE, FloatBits(size));
        if (starCounts[k] > 0) {
            device->DrawPrimitive(D3DPT_POINTLIST, first, static_cast<UINT>(starCounts[k]));
        }
        first += static_cast<UINT>(starCounts[k]);
    }
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(1.0f));
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetTransform(D3DTS_VIEW, &viewMatrix);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
}

// Without depth and before the planets, so that every planet covers its own halo.
void OrrerySaver::DrawPlanetHalos() {
    IDirect3DDevice8* device = activeDevice;
    SetBillboardStates(device);
    for (int i = 1; i < BodyCount; ++i) {
        if (bodies[i].visible != 0) {
            DrawBillboard(BillboardMatrix(bodies[i].haloSize, bodies[i].position), bodies[i].haloMaterial,
                          currentDevice->haloTexture);
        }
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
}

void OrrerySaver::DrawBillboard(const D3DXMATRIX& world, const D3DMATERIAL8& material,
                                IDirect3DTexture8* texture) {
    IDirect3DDevice8* device = activeDevice;
    if (currentDevice->quadBuffer == nullptr) {
        return;
    }
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(SkyVertexFvf);
    device->SetMaterial(&material);
    device->SetStreamSource(0, currentDevice->quadBuffer, sizeof(SkyVertex));
    device->SetTexture(0, texture);
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

// The Sun has no sphere: it is only its glow. The planets are lit by the Sun's point
// light and the ambient level the "Ambient" setting chooses.
void OrrerySaver::DrawPlanets() {
    IDirect3DDevice8* device = activeDevice;
    // The planets' maps blend between their two nearest levels (the other steps' textures
    // have one), sharp at a slant where the device can.
    const MapMinification& minification = currentDevice->planetMapMinification;
    device->SetTextureStageState(0, D3DTSS_MINFILTER,
                                 minification.anisotropic ? D3DTEXF_ANISOTROPIC : D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MAXANISOTROPY,
                                 minification.anisotropic ? minification.maxAnisotropy : 1);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, settings.ambient ? FullAmbient : DimAmbient);
    for (int i = 1; i < BodyCount; ++i) {
        const int detail = SphereDetailOnScreen(i);
        if (detail < 0) {
            continue;
        }
        const PlanetRecord& body = bodies[i];
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        const D3DXMATRIX world = BodyWorldMatrix(i, body.tilt, time);
        device->SetTransform(D3DTS_WORLD, &world);
        device->SetVertexShader(LitVertexFvf);
        device->SetStreamSource(0, currentDevice->sphereBuffers[detail], sizeof(LitVertex));
        device->SetMaterial(&body.surfaceMaterial);
        device->SetTexture(0, currentDevice->bodyTextures[i]);
        device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, sphereVertexCounts[detail] - 2);
    }
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MAXANISOTROPY, 1);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
}

// Both sides of the rings show, blended over what lies behind them.
void OrrerySaver::DrawRings() {
    IDirect3DDevice8* device = activeDevice;
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetAlphaBlending(device);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    for (int k = 0; k < RingCount; ++k) {
        IDirect3DVertexBuffer8* ring = currentDevice->ringBuffers[k];
        if (ring == nullptr || ringVertexCounts[k] < 3) {
            continue;
        }
        const int b = RingBodies[k];
        const D3DXMATRIX world = BodyWorldMatrix(b, RingTilt, time);
        device->SetTransform(D3DTS_WORLD, &world);
        device->SetVertexShader(LitVertexFvf);
        device->SetStreamSource(0, ring, sizeof(LitVertex));
        device->SetMaterial(&bodies[b].surfaceMaterial);
        device->SetTexture(0, currentDevice->ringTexture);
        device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, ringVertexCounts[k] - 2);
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
}

// Depth-tested against the planets, so a planet in front of the Sun hides part of it.
void OrrerySaver::DrawSunGlow() {
    IDirect3DDevice8* device = activeDevice;
    SetBillboardStates(device);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    const PlanetRecord& sun = bodies[SunIndex];
    if (sun.visible != 0) {
        DrawBillboard(BillboardMatrix(sun.haloSize, sun.position), sun.haloMaterial,
                      currentDevice->sunGlowTexture);
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
}
