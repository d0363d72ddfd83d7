#pragma once

#include <vector>

#include "d3dx/d3dx_math.h"
#include "scene/scene_vertices.h"

// Generation of every mesh of the scene into plain vertex arrays, in the order the
// vertex buffers hold them. Uploading into Direct3D buffers is kept apart.

constexpr int SkyBoxVertexCount = 24;  // six strips of four
constexpr float SkyBoxHalfEdge = 1000.0f;
constexpr int QuadVertexCount = 4;
constexpr int SphereDetailCount = 5;
constexpr int SphereSubdivisions[SphereDetailCount] = {4, 8, 16, 32, 64};
constexpr int RingCount = 2;
constexpr int RingSegments = 64;
constexpr float SaturnRingOuter = 1.8f;
constexpr float SaturnRingInner = 1.2f;
constexpr float UranusRingOuter = 1.24f;
constexpr float UranusRingInner = 1.1f;
constexpr int DistanceDashes = 10;
constexpr int DistanceDashPointCount = 2 * DistanceDashes;  // each dash's two ends
constexpr uint32_t DistanceLineColour = 0xFF555500;         // opaque dark olive
// The grey of the orbits: the ambient light 0x888888 that once lit them times their
// material's (0.5, 0.5, 0.4).
constexpr uint32_t OrbitLineColour = 0xFF444436;

std::vector<SkyVertex> GenerateSkyBox();
std::vector<SkyVertex> GenerateQuad();

// Unit sphere as one strip of `stacks` bands with `slices` + 1 columns each, from the +y
// pole down; 2 * stacks * (slices + 1) vertices. Non-positive sizes give no vertices.
int SphereVertexCount(int stacks, int slices);
std::vector<LitVertex> GenerateSphere(int stacks, int slices);

// Flat ring in the x-z plane as one strip, outer and inner vertex per step; 2n + 2.
int RingVertexCount(int segments);
std::vector<LitVertex> GenerateRing(float outerRadius, float innerRadius, int segments);

// The dashes of a line from just outside the Sun (at the origin) towards `end`: the line
// in `dashes` equal parts, each dash the first half of one, given by its two ends, written
// to `points` (2 * dashes of them).
void GenerateDistanceDashes(const D3DXVECTOR3& end, float sunHaloSize, int dashes, D3DXVECTOR3* points);

// Where the distance label sits: `start` plus half the line's span.
D3DXVECTOR3 DistanceLabelAnchor(const D3DXVECTOR3& start, const D3DXVECTOR3& end, float sunHaloSize);
