#pragma once

#include <cstdint>

#include "d3dx/d3dx_math.h"

constexpr int BodyCount = 10;  // the Sun and nine planets
constexpr int InfoLineCount = 5;
constexpr int InfoLineSize = 50;  // characters with the terminator
constexpr int BodyNameSize = 12;
constexpr int DistanceLabelSize = 12;

// Body indices, as the "Planet to View" setting counts them.
constexpr int SunIndex = 0;
constexpr int PlutoIndex = 1;
constexpr int NeptuneIndex = 2;
constexpr int UranusIndex = 3;
constexpr int SaturnIndex = 4;
constexpr int JupiterIndex = 5;
constexpr int MarsIndex = 6;
constexpr int EarthIndex = 7;
constexpr int VenusIndex = 8;
constexpr int MercuryIndex = 9;

struct PlanetRecord {
    D3DXVECTOR3 position;  // scene units; the Sun stays at the origin
    float tilt;            // radians about Z
    float radius;          // scale of the unit sphere
    D3DMATERIAL8 surfaceMaterial;
    int32_t visible;
    D3DXCOLOR haloColour;
    float haloSize;  // half-size of the halo billboard (the Sun's glow for body 0)
    D3DMATERIAL8 haloMaterial;
    int32_t sphereDetail;  // one of the five unit spheres, or SphereDetailBySize
    float orbitPhase;      // radians at time 0
    float perihelion;      // million km
    float aphelion;        // million km
    float orbitalPeriod;   // years
    float relativeOrbitRadius;
    int32_t orbitSegments;
    char name[BodyNameSize];
    D3DXVECTOR3 distanceLabelPos;
    char distanceLabel[DistanceLabelSize];
    char infoText[InfoLineCount][InfoLineSize];
};
