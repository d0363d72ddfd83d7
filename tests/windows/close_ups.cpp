// The same frames drawn as the saver draws them now and as it drew them before, for
// pictures and figures, never judged:
//
//   close_ups lines W H OUT     the elliptic camera with orbits and distance lines on a
//                               W x H screen: OUT-lines-after.bmp with the smooth ribbons,
//                               OUT-lines-before.bmp with the one-pixel line strips and
//                               lists of the same points, each the whole frame
//   close_ups outline W H OUT   the planet view of Jupiter: OUT-outline-after.bmp with
//                               the sphere the planet's size asks for, OUT-outline-before.bmp
//                               with the 32 x 32 sphere every planet had; a crop at its limb
//
// Both pictures of a pair show the same moment. scripts/bench.sh measures the lines'
// smoothness on the first pair; scripts/gallery.sh --dpi crops both for docs/dpi.md.

#include <windows.h>
#include <d3d8.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scene/sphere_detail.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "support/real_device.h"

namespace {

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool Prepare(OrrerySaver& saver, const RealDevice& screen) {
    saver.mode = SaverMode::Test;
    saver.settings.audio = 0;
    saver.settings.customAudio = 0;
    saver.activeDevice = screen.Device();
    saver.backBufferDesc.Width = screen.Width();
    saver.backBufferDesc.Height = screen.Height();
    saver.renderTotal = RECT{0, 0, screen.Width(), screen.Height()};
    saver.renderCurrent = saver.renderTotal;
    saver.millisecondClock = [] { return 0u; };
    saver.UseScreenDevice(0);
    return SUCCEEDED(saver.PrepareDeviceObjects());
}

// The orbits and dashes as they were drawn before: one-pixel line strips and lists of the
// same points, unlit in the grey and olive they had, depth tested and written.
class OldLines {
public:
    OldLines(OrrerySaver& saver) : saver_(saver) {}
    ~OldLines() { ReleaseSlot(buffer_); }

    void Draw() {
        std::vector<LineVertex> vertices;
        std::vector<UINT> strips;
        for (int i = 1; i < BodyCount; ++i) {
            for (const D3DXVECTOR3& p : saver_.orbitLines[i]) {
                vertices.push_back({p.x, p.y, p.z, OrbitLineColour, 0.0f, 0.0f});
            }
            strips.push_back(static_cast<UINT>(saver_.orbitLines[i].size()));
        }
        const UINT dashesStart = static_cast<UINT>(vertices.size());
        for (int i = 1; i < BodyCount; ++i) {
            for (const D3DXVECTOR3& p : saver_.distanceDashPoints[i]) {
                vertices.push_back({p.x, p.y, p.z, DistanceLineColour, 0.0f, 0.0f});
            }
        }
        IDirect3DDevice8* device = saver_.activeDevice;
        ReleaseSlot(buffer_);
        const UINT bytes = static_cast<UINT>(vertices.size() * sizeof(LineVertex));
        buffer_ = CreateFilledVertexBuffer(device, bytes, LineVertexFvf, vertices.data(), bytes);
        if (buffer_ == nullptr) {
            return;
        }
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetTexture(0, nullptr);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetVertexShader(LineVertexFvf);
        device->SetStreamSource(0, buffer_, sizeof(LineVertex));
        UINT first = 0;
        for (UINT count : strips) {
            device->DrawPrimitive(D3DPT_LINESTRIP, first, count - 1);
            first += count;
        }
        device->DrawPrimitive(D3DPT_LINELIST, dashesStart, (BodyCount - 1) * DistanceDashes);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetRenderState(D3DRS_ZENABLE, FALSE);
    }

private:
    OrrerySaver& saver_;
    IDirect3DVertexBuffer8* buffer_ = nullptr;
};

// The frame with the old lines in the old order: after the halos, before the planets.
void RenderWithOldLines(OrrerySaver& saver, OldLines& lines) {
    saver.SetScreenProjection(0.05f, 3000.0f);
    saver.activeDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    if (FAILED(saver.activeDevice->BeginScene())) {
        return;
    }
    saver.DrawSkyBox();
    saver.DrawStars();
    saver.DrawPlanetHalos();
    lines.Draw();
    saver.DrawPlanets();
    if (saver.saturnNearerThanSun) {
        saver.DrawSunGlow();
        saver.DrawRings();
    } else {
        saver.DrawRings();
        saver.DrawSunGlow();
    }
    saver.activeDevice->EndScene();
}

void Save(const RealDevice& screen, const std::string& path) {
    SavePixelsAsBmp(screen.ReadBackBuffer(), screen.Width(), screen.Height(), path.c_str());
    std::printf("%s\n", path.c_str());
}

int Lines(int width, int height, const std::string& out) {
    RealDevice screen(width, height);
    OrrerySaver saver;
    saver.settings.cameraSettings = CameraElliptic;
    saver.settings.trajectories = 1;
    saver.settings.distances = 1;
    if (screen.Device() == nullptr || !Prepare(saver, screen)) {
        std::printf("no Direct3D device or preparation failed\n");
        return 0;
    }
    PumpMessages();
    saver.time = 6.0f;
    saver.AdvanceFrame();
    saver.RenderFrame();
    Save(screen, out + "-lines-after.bmp");
    OldLines old(saver);
    RenderWithOldLines(saver, old);
    Save(screen, out + "-lines-before.bmp");
    saver.ReleaseDeviceObjects();
    return 0;
}

// Where a world point lands on the screen, in pixels.
void Project(const OrrerySaver& saver, IDirect3DDevice8* device, const D3DXVECTOR3& point, int width,
             int height, float* x, float* y) {
    D3DXMATRIX projection;
    device->GetTransform(D3DTS_PROJECTION, &projection);
    const D3DXMATRIX both = saver.viewMatrix * projection;
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &point, &both);
    *x = (clip.x + 1.0f) * 0.5f * static_cast<float>(width);
    *y = (1.0f - clip.y) * 0.5f * static_cast<float>(height);
}

// A crop of the back buffer around (x, y).
void SaveCrop(const RealDevice& screen, int x, int y, int cropWidth, int cropHeight,
              const std::string& path) {
    const std::vector<uint32_t> pixels = screen.ReadBackBuffer();
    std::vector<uint32_t> crop(static_cast<size_t>(cropWidth) * cropHeight, 0);
    for (int row = 0; row < cropHeight; ++row) {
        for (int column = 0; column < cropWidth; ++column) {
            const int sx = x - cropWidth / 2 + column;
            const int sy = y - cropHeight / 2 + row;
            if (sx >= 0 && sy >= 0 && sx < screen.Width() && sy < screen.Height() && !pixels.empty()) {
                crop[static_cast<size_t>(row) * cropWidth + column] =
                    pixels[static_cast<size_t>(sy) * screen.Width() + sx];
            }
        }
    }
    SavePixelsAsBmp(crop, cropWidth, cropHeight, path.c_str());
    std::printf("%s\n", path.c_str());
}

int Outline(int width, int height, const std::string& out) {
    RealDevice screen(width, height);
    OrrerySaver saver;
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = JupiterIndex;
    if (screen.Device() == nullptr || !Prepare(saver, screen)) {
        std::printf("no Direct3D device or preparation failed\n");
        return 0;
    }
    PumpMessages();
    // The moment of the first 40 s when the planet is largest, its outline's corners then
    // the plainest; its left limb, where the outline meets the sky.
    const PlanetRecord& jupiter = saver.bodies[JupiterIndex];
    saver.SetScreenProjection(0.05f, 3000.0f);
    float largest = 0.0f, when = 0.0f;
    float x = 0.0f, y = 0.0f, right = 0.0f, unused = 0.0f;
    const auto measure = [&] {
        const D3DXVECTOR3 across(saver.viewMatrix._11, saver.viewMatrix._21, saver.viewMatrix._31);
        Project(saver, screen.Device(), jupiter.position, width, height, &x, &y);
        Project(saver, screen.Device(), jupiter.position + across * jupiter.radius, width, height, &right,
                &unused);
        return right - x;
    };
    for (float t = 3.0f; t < 40.0f; t += 0.5f) {
        saver.time = t;
        saver.AdvanceFrame();
        if (measure() > largest) {
            largest = measure();
            when = t;
        }
    }
    saver.time = when;
    saver.AdvanceFrame();
    saver.RenderFrame();
    measure();
    const int limb = static_cast<int>(x - (right - x));
    const int crop = std::max(64, height / 12);
    std::printf("# Jupiter at %dx%d: %.0f pixels across, the %d x %d sphere by its size\n", width, height,
                2.0f * (right - x), SphereSubdivisions[saver.SphereDetailOnScreen(JupiterIndex)],
                SphereSubdivisions[saver.SphereDetailOnScreen(JupiterIndex)]);
    SaveCrop(screen, limb, static_cast<int>(y), crop * 4 / 3, crop, out + "-outline-after.bmp");
    saver.bodies[JupiterIndex].sphereDetail = 3;
    saver.RenderFrame();
    SaveCrop(screen, limb, static_cast<int>(y), crop * 4 / 3, crop, out + "-outline-before.bmp");
    saver.ReleaseDeviceObjects();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: close_ups lines|outline W H OUT\n");
        return 2;
    }
    const std::string what = argv[1];
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (what == "lines") {
        return Lines(width, height, argv[4]);
    }
    if (what == "outline") {
        return Outline(width, height, argv[4]);
    }
    std::fprintf(stderr, "usage: close_ups lines|outline W H OUT\n");
    return 2;
}
