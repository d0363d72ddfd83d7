#include "scene/scene_geometry.h"

#include <cmath>

namespace {

constexpr float Pi = 3.1415927f;
constexpr float TwoPi = 6.2831855f;

LitVertex PointWithOwnNormal(float x, float y, float z, float tu, float tv) {
    return LitVertex{x, y, z, x, y, z, tu, tv};
}

// Point on the unit sphere at polar angle phi from +y and azimuth theta from +z.
LitVertex SpherePoint(float theta, float phi, float tu, float tv) {
    const float ringRadius = std::sin(phi);
    return PointWithOwnNormal(std::sin(theta) * ringRadius, std::cos(phi), std::cos(theta) * ringRadius, tu,
                              tv);
}

// Start of the distance line (just outside the Sun) and its span towards the planet.
struct DistanceSpan {
    D3DXVECTOR3 offset;
    D3DXVECTOR3 span;
    float length;
};

DistanceSpan MeasureDistanceSpan(const D3DXVECTOR3& end, float sunHaloSize) {
    D3DXVECTOR3 direction;
    D3DXVec3Normalize(&direction, &end);  // a planet at the Sun gives the zero vector
    DistanceSpan result;
    result.offset = direction * (sunHaloSize / 3.0f);
    result.span = end - result.offset;
    result.length = D3DXVec3Length(&result.span);
    return result;
}

}  // namespace

std::vector<SkyVertex> GenerateSkyBox() {
    const float e = SkyBoxHalfEdge;
    // Face k is a strip of four, drawn with star texture k: +x, -x, +y, -y, +z, -z.
    return {
        {e, -e, e, 0, 1},  {e, e, e, 0, 0},   {e, -e, -e, 1, 1},  {e, e, -e, 1, 0},  {-e, -e, -e, 0, 1},
        {-e, e, -e, 0, 0}, {-e, -e, e, 1, 1}, {-e, e, e, 1, 0},   {-e, e, e, 0, 1},  {-e, e, -e, 0, 0},
        {e, e, e, 1, 1},   {e, e, -e, 1, 0},  {-e, -e, -e, 0, 1}, {-e, -e, e, 0, 0}, {e, -e, -e, 1, 1},
        {e, -e, e, 1, 0},  {-e, -e, e, 0, 1}, {-e, e, e, 0, 0},   {e, -e, e, 1, 1},  {e, e, e, 1, 0},
        {e, -e, -e, 0, 1}, {e, e, -e, 0, 0},  {-e, -e, -e, 1, 1}, {-e, e, -e, 1, 0},
    };
}

std::vector<SkyVertex> GenerateQuad() {
    // The texture's v grows upwards on this quad.
    return {{-1, -1, 0, 0, 0}, {-1, 1, 0, 0, 1}, {1, -1, 0, 1, 0}, {1, 1, 0, 1, 1}};
}

int SphereVertexCount(int stacks, int slices) {
    if (stacks <= 0 || slices <= 0) {
        return 0;
    }
    return 2 * stacks * (slices + 1);
}

std::vector<LitVertex> GenerateSphere(int stacks, int slices) {
    std::vector<LitVertex> vertices;
    vertices.reserve(SphereVertexCount(stacks, slices));
    if (stacks <= 0 || slices <= 0) {
        return vertices;
    }
    const float stackStep = Pi / static_cast<float>(stacks);
    const float sliceStep = TwoPi / static_cast<float>(slices);
    for (int i = 0; i < stacks; ++i) {
        const float upperPhi = static_cast<float>(i) * stackStep;
        const float lowerPhi = static_cast<float>(i + 1) * stackStep;
        const float upperV = static_cast<float>(i) / static_cast<float>(stacks);
        const float lowerV = static_cast<float>(i + 1) / static_cast<float>(stacks);
        // The last column repeats the first at 2 pi so the texture closes its seam.
        for (int j = 0; j <= slices; ++j) {
            const float theta = static_cast<float>(j) * sliceStep;
            const float u = 1.0f - static_cast<float>(j) / static_cast<float>(slices);
            vertices.push_back(SpherePoint(theta, upperPhi, u, upperV));
            vertices.push_back(SpherePoint(theta, lowerPhi, u, lowerV));
        }
    }
    return vertices;
}

int RingVertexCount(int segments) {
    return segments <= 0 ? 0 : 2 * segments + 2;
}

std::vector<LitVertex> GenerateRing(float outerRadius, float innerRadius, int segments) {
    std::vector<LitVertex> vertices;
    vertices.reserve(RingVertexCount(segments));
    if (segments <= 0) {
        return vertices;
    }
    const float step = TwoPi / static_cast<float>(segments);
    for (int j = 0; j <= segments; ++j) {
        const float theta = static_cast<float>(j) * step;
        const float s = std::sin(theta);
        const float c = std::cos(theta);
        const float v = 1.0f - static_cast<float>(j) / static_cast<float>(segments);
        // u runs across the ring: 0 at the outer edge, 1 at the inner.
        vertices.push_back(PointWithOwnNormal(outerRadius * s, 0.0f, outerRadius * c, 0.0f, v));
        vertices.push_back(PointWithOwnNormal(innerRadius * s, 0.0f, innerRadius * c, 1.0f, v));
    }
    return vertices;
}

void GenerateDistanceDashes(const D3DXVECTOR3& end, float sunHaloSize, int dashes, D3DXVECTOR3* points) {
    if (dashes <= 0 || points == nullptr) {
        return;
    }
    const DistanceSpan line = MeasureDistanceSpan(end, sunHaloSize);
    const float share = 1.0f / static_cast<float>(dashes);
    for (int j = 0; j < dashes; ++j) {
        const float t0 = static_cast<float>(j) * share;
        points[2 * j] = line.offset + line.span * t0;
        points[2 * j + 1] = line.offset + line.span * (t0 + 0.5f * share);
    }
}

D3DXVECTOR3 DistanceLabelAnchor(const D3DXVECTOR3& start, const D3DXVECTOR3& end, float sunHaloSize) {
    return start + MeasureDistanceSpan(end, sunHaloSize).span * 0.5f;
}
