#include <algorithm>
#include <cstring>

#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "util/screen_dpi.h"

// The orbits and distance lines of one screen: ribbons of this screen's width, written
// with one lock a frame into a buffer the renderer need not wait for (a discarding lock
// hands it fresh memory), and drawn in two calls.

namespace {

constexpr float NearPlane = 0.05f;              // of the scene's projection
constexpr UINT LeastLineBufferVertices = 4096;  // the default scene needs about 2000

}  // namespace

RibbonView OrrerySaver::LineRibbonView() const {
    RibbonView view;
    view.eye = eyePos;
    view.forward = D3DXVECTOR3(viewMatrix._13, viewMatrix._23, viewMatrix._33);  // the view's z axis
    view.focalPixels = FocalPixels();
    view.halfWidthPixels = RibbonHalfWidthPixels(DpiScale(screenDpi));
    view.nearDepth = NearPlane;
    // The Sun's glow faces the camera: its plane lies at the Sun's depth.
    const D3DXVECTOR3 toSun = bodies[SunIndex].position - eyePos;
    view.splitDepth = D3DXVec3Dot(&toSun, &view.forward);
    return view;
}

void OrrerySaver::WriteLineRibbons(bool orbits, bool distances) {
    linesBehindCount_ = 0;
    linesInFrontCount_ = 0;
    lineStrips_.Clear();
    // Without the soft edge the screen's objects were not prepared (or were given back
    // after a failed preparation): it gets no buffer of its own either.
    if (currentDevice == nullptr || currentDevice->lineTexture == nullptr || (!orbits && !distances)) {
        return;
    }
    const RibbonView view = LineRibbonView();
    for (int i = 1; orbits && i < BodyCount; ++i) {
        AppendRibbon(orbitLines[i].data(), orbitLines[i].size(), OrbitLineColour, view, lineStrips_);
    }
    for (int i = 1; distances && i < BodyCount; ++i) {
        for (int end = 0; end < DistanceDashPointCount; end += 2) {
            AppendRibbon(&distanceDashPoints[i][end], 2, DistanceLineColour, view, lineStrips_);
        }
    }
    const UINT behind = static_cast<UINT>(lineStrips_.behind.size());
    const UINT inFront = static_cast<UINT>(lineStrips_.inFront.size());
    if (behind + inFront == 0 || !ReserveLineBuffer(behind + inFront)) {
        return;
    }
    BYTE* data = nullptr;
    IDirect3DVertexBuffer8* buffer = currentDevice->lineBuffer;
    if (FAILED(buffer->Lock(0, (behind + inFront) * sizeof(LineVertex), &data, D3DLOCK_DISCARD)) ||
        data == nullptr) {
        return;
    }
    std::memcpy(data, lineStrips_.behind.data(), behind * sizeof(LineVertex));
    std::memcpy(data + behind * sizeof(LineVertex), lineStrips_.inFront.data(), inFront * sizeof(LineVertex));
    buffer->Unlock();
    linesBehindCount_ = behind;
    linesInFrontCount_ = inFront;
}

bool OrrerySaver::ReserveLineBuffer(UINT vertices) {
    DeviceSceneObjects& objects = *currentDevice;
    if (objects.lineBuffer != nullptr && objects.lineBufferVertices >= vertices) {
        return true;
    }
    ReleaseSlot(objects.lineBuffer);
    objects.lineBufferVertices = 0;
    // Room to spare, so that a camera that parts more lines at the Sun makes no new buffer.
    const UINT room = std::max(LeastLineBufferVertices, vertices + vertices / 2);
    if (FAILED(activeDevice->CreateVertexBuffer(room * sizeof(LineVertex),
                                                D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, LineVertexFvf,
                                                D3DPOOL_DEFAULT, &objects.lineBuffer)) ||
        objects.lineBuffer == nullptr) {
        objects.lineBuffer = nullptr;
        return false;
    }
    objects.lineBufferVertices = room;
    return true;
}

void OrrerySaver::DrawLinesBehindSun() {
    DrawLineStrip(0, linesBehindCount_);
}

void OrrerySaver::DrawLinesInFrontOfSun() {
    DrawLineStrip(linesBehindCount_, linesInFrontCount_);
}

// Unlit: the ribbons show their own colour, the soft edge's alpha blends them. They test
// depth against the planets but write none, so a line crossing another, or the rings and
// the glow drawn after them, shows through its soft edge. Both faces show.
void OrrerySaver::DrawLineStrip(UINT start, UINT vertexCount) {
    IDirect3DDevice8* device = activeDevice;
    if (vertexCount < 3 || currentDevice->lineBuffer == nullptr || currentDevice->lineTexture == nullptr) {
        return;
    }
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetTexture(0, currentDevice->lineTexture);
    device->SetVertexShader(LineVertexFvf);
    device->SetStreamSource(0, currentDevice->lineBuffer, sizeof(LineVertex));
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, start, vertexCount - 2);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
}
