#pragma once

// The few Direct3D 8 value types that portable code shares with the device: vectors,
// colours, matrices, materials and lights. On Windows they come from d3d8types.h; on
// other hosts they are declared here with the published member order and sizes, so the
// same code and data run natively under tests.

#ifdef _WIN32
#include <windows.h>
#include <d3d8types.h>
#else
#include <cstdint>

typedef uint32_t D3DCOLOR;

typedef struct _D3DVECTOR {
    float x;
    float y;
    float z;
} D3DVECTOR;

typedef struct _D3DCOLORVALUE {
    float r;
    float g;
    float b;
    float a;
} D3DCOLORVALUE;

typedef struct _D3DMATRIX {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
} D3DMATRIX;

typedef struct _D3DMATERIAL8 {
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Ambient;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Emissive;
    float Power;
} D3DMATERIAL8;

typedef enum _D3DLIGHTTYPE {
    D3DLIGHT_POINT = 1,
    D3DLIGHT_SPOT = 2,
    D3DLIGHT_DIRECTIONAL = 3,
    D3DLIGHT_FORCE_DWORD = 0x7fffffff
} D3DLIGHTTYPE;

typedef struct _D3DLIGHT8 {
    D3DLIGHTTYPE Type;
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Ambient;
    D3DVECTOR Position;
    D3DVECTOR Direction;
    float Range;
    float Falloff;
    float Attenuation0;
    float Attenuation1;
    float Attenuation2;
    float Theta;
    float Phi;
} D3DLIGHT8;
#endif

static_assert(sizeof(D3DVECTOR) == 12, "D3DVECTOR layout");
static_assert(sizeof(D3DCOLORVALUE) == 16, "D3DCOLORVALUE layout");
static_assert(sizeof(D3DMATRIX) == 64, "D3DMATRIX layout");
static_assert(sizeof(D3DMATERIAL8) == 68, "D3DMATERIAL8 layout");
static_assert(sizeof(D3DLIGHT8) == 104, "D3DLIGHT8 layout");
