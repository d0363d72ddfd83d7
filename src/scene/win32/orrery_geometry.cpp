#include "scene/win32/orrery_saver.h"

#include "d3dx/win32/d3dx_texture.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "util/screen_dpi.h"

namespace {

template <typename Vertex>
UINT ByteSize(const std::vector<Vertex>& vertices) {
    return static_cast<UINT>(vertices.size() * sizeof(Vertex));
}

template <typename Vertex>
IDirect3DVertexBuffer8* Upload(IDirect3DDevice8* device, const std::vector<Vertex>& vertices, DWORD fvf) {
    return CreateFilledVertexBuffer(device, ByteSize(vertices), fvf, vertices.data(), ByteSize(vertices));
}

}  // namespace

// Star box, quad, spheres, rings and the stars. Without a star box or quad the scene
// cannot be drawn, so either failing fails the preparation; the others may stay empty.
// The "Stars" setting is read here, so a change shows at the next preparation.
HRESULT OrrerySaver::BuildStaticGeometry() {
    if (currentDevice == nullptr) {
        return E_FAIL;
    }
    DeviceSceneObjects& objects = *currentDevice;
    ReleaseSlot(objects.skyBoxBuffer);
    ReleaseSlot(objects.quadBuffer);
    for (auto& ring : objects.ringBuffers) {
        ReleaseSlot(ring);
    }

    skyBoxVertexCount = SkyBoxVertexCount;
    objects.skyBoxBuffer = Upload(activeDevice, GenerateSkyBox(), SkyVertexFvf);
    if (objects.skyBoxBuffer == nullptr) {
        return E_FAIL;
    }
    quadVertexCount = QuadVertexCount;
    objects.quadBuffer = Upload(activeDevice, GenerateQuad(), SkyVertexFvf);
    if (objects.quadBuffer == nullptr) {
        return E_FAIL;
    }

    for (auto& sphere : objects.sphereBuffers) {
        ReleaseSlot(sphere);
    }
    for (int m = 0; m < SphereDetailCount; ++m) {
        objects.sphereBuffers[m] =
            BuildSphere(SphereSubdivisions[m], SphereSubdivisions[m], &sphereVertexCounts[m]);
    }
    objects.ringBuffers[0] = BuildRing(SaturnRingOuter, SaturnRingInner, RingSegments, &ringVertexCounts[0]);
    objects.ringBuffers[1] = BuildRing(UranusRingOuter, UranusRingInner, RingSegments, &ringVertexCounts[1]);

    ReleaseSlot(objects.starBuffer);
    const StarPoints stars = BuildStarPoints(GenerateStars(settings.stars != 0));
    objects.starBuffer = Upload(activeDevice, stars.vertices, StarVertexFvf);
    for (int k = 0; k < StarSizeCount; ++k) {
        starCounts[k] = stars.counts[k];
    }
    return S_OK;
}

// A line's soft edge is made for the width lines have on this screen; failing that, the
// lines are left out, which is no reason to stop the scene.
void OrrerySaver::BuildLineObjects() {
    BuildOrbitLines();
    if (currentDevice == nullptr || activeDevice == nullptr) {
        return;
    }
    DeviceSceneObjects& objects = *currentDevice;
    ReleaseSlot(objects.lineBuffer);
    objects.lineBufferVertices = 0;
    ReleaseSlot(objects.lineTexture);
    CreateTextureFromImage(activeDevice, LineEdgeImage(DpiScale(screenDpi)), D3DPOOL_MANAGED,
                           &objects.lineTexture);
    D3DCAPS8 caps = {};
    activeDevice->GetDeviceCaps(&caps);
    objects.planetMapMinification = ChooseMapMinification(
        (caps.TextureFilterCaps & D3DPTFILTERCAPS_MINFANISOTROPIC) != 0, caps.MaxAnisotropy);
}

IDirect3DVertexBuffer8* OrrerySaver::BuildSphere(int stacks, int slices, int* vertexCount) {
    *vertexCount = SphereVertexCount(stacks, slices);
    if (*vertexCount == 0) {
        return nullptr;
    }
    return Upload(activeDevice, GenerateSphere(stacks, slices), LitVertexFvf);
}

IDirect3DVertexBuffer8* OrrerySaver::BuildRing(float outerRadius, float innerRadius, int segments,
                                               int* vertexCount) {
    *vertexCount = RingVertexCount(segments);
    if (*vertexCount == 0) {
        return nullptr;
    }
    return Upload(activeDevice, GenerateRing(outerRadius, innerRadius, segments), LitVertexFvf);
}
