#include "scene/win32/orrery_saver.h"

#include "scene/win32/vertex_buffer_upload.h"

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

// Orbits and distance lines from the catalogue; run after InitCatalogue.
HRESULT OrrerySaver::BuildOrbitGeometry() {
    if (currentDevice == nullptr) {
        return S_OK;
    }
    DeviceSceneObjects& objects = *currentDevice;
    for (int i = 0; i < BodyCount; ++i) {
        ReleaseSlot(objects.orbitBuffers[i]);
        ReleaseSlot(objects.distanceBuffers[i]);
    }
    const bool relative = settings.arrangement == ArrangementRelative;
    for (int i = 1; i < BodyCount; ++i) {
        PlanetRecord& body = bodies[i];
        // Planets move on these same curves, so they stay on their lines.
        const float semiAxisX = relative ? body.relativeOrbitRadius : body.perihelion / 5.0f;
        const float semiAxisZ = relative ? body.relativeOrbitRadius : body.aphelion / 5.0f;
        objects.orbitBuffers[i] =
            BuildOrbitLine(semiAxisX, semiAxisZ, body.orbitSegments, &orbitVertexCounts[i]);
        objects.distanceBuffers[i] = BuildDistanceLine(&bodies[SunIndex].position, &body.position,
                                                       DistanceDashes, &distanceDashCounts[i]);
    }
    return S_OK;
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

IDirect3DVertexBuffer8* OrrerySaver::BuildOrbitLine(float semiAxisX, float semiAxisZ, int segments,
                                                    int* vertexCount) {
    const std::vector<LitVertex> vertices = GenerateOrbitLine(semiAxisX, semiAxisZ, segments);
    if (vertices.empty()) {
        return nullptr;
    }
    IDirect3DVertexBuffer8* buffer = Upload(activeDevice, vertices, LitVertexFvf);
    if (buffer != nullptr) {
        *vertexCount = static_cast<int>(vertices.size());
    }
    return buffer;
}

// The start point is where the Sun is; the line itself assumes the Sun at the origin.
// The buffer has room for one vertex more than the dashes use.
IDirect3DVertexBuffer8* OrrerySaver::BuildDistanceLine(const D3DXVECTOR3*, const D3DXVECTOR3* end, int dashes,
                                                       int* lineCount) {
    if (dashes <= 0) {
        return nullptr;
    }
    const std::vector<LineVertex> vertices =
        GenerateDistanceDashes(*end, bodies[SunIndex].haloSize, dashes, DashPhase::Built);
    const UINT length = static_cast<UINT>((2 * dashes + 1) * sizeof(LineVertex));
    IDirect3DVertexBuffer8* buffer =
        CreateFilledVertexBuffer(activeDevice, length, LineVertexFvf, vertices.data(), ByteSize(vertices));
    if (buffer != nullptr) {
        *lineCount = dashes;
    }
    return buffer;
}

void OrrerySaver::RefillDistanceLine(IDirect3DVertexBuffer8* buffer, const D3DXVECTOR3* start,
                                     const D3DXVECTOR3* end, int dashes, D3DXVECTOR3* labelAnchor) {
    if (buffer == nullptr || dashes <= 0) {
        return;
    }
    const float sunHaloSize = bodies[SunIndex].haloSize;
    const std::vector<LineVertex> vertices =
        GenerateDistanceDashes(*end, sunHaloSize, dashes, DashPhase::Refilled);
    if (WriteVertexBuffer(buffer, vertices.data(), ByteSize(vertices))) {
        *labelAnchor = DistanceLabelAnchor(*start, *end, sunHaloSize);
    }
}
