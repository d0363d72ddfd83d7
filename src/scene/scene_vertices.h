#pragma once

#include <cstdint>

// Vertex layouts of the scene's meshes with their fixed-function vertex format codes.

constexpr uint32_t FvfXyz = 0x002;
constexpr uint32_t FvfNormal = 0x010;
constexpr uint32_t FvfDiffuse = 0x040;
constexpr uint32_t FvfTex1 = 0x100;

// Star box and billboard quad.
struct SkyVertex {
    float x, y, z;
    float tu, tv;
};
constexpr uint32_t SkyVertexFvf = FvfXyz | FvfTex1;  // 0x102

// Spheres, rings and orbits: lit, textured.
struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
    float tu, tv;
};
constexpr uint32_t LitVertexFvf = FvfXyz | FvfNormal | FvfTex1;  // 0x112

// Distance lines: coloured per vertex.
struct LineVertex {
    float x, y, z;
    uint32_t diffuse;  // ARGB
    float tu, tv;
};
constexpr uint32_t LineVertexFvf = FvfXyz | FvfDiffuse | FvfTex1;  // 0x142

static_assert(sizeof(SkyVertex) == 20, "SkyVertex stride");
static_assert(sizeof(LitVertex) == 32, "LitVertex stride");
static_assert(sizeof(LineVertex) == 24, "LineVertex stride");
