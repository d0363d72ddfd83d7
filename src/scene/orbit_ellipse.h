#pragma once

#include <vector>

#include "d3dx/d3dx_math.h"
#include "scene/planet_ephemeris.h"
#include "scene/planet_record.h"

// An orbit as it is drawn and travelled: centre + cos(t) * firstAxis + sin(t) * secondAxis
// for t from 0 to 2 pi. The same function gives the points of an orbit's line and the
// planet's place on it, so that a planet never leaves its line by more than the chord of
// one segment.
struct OrbitEllipse {
    D3DXVECTOR3 centre;
    D3DXVECTOR3 firstAxis;
    D3DXVECTOR3 secondAxis;
};

// World units per astronomical unit: the real arrangements' million km divided by 5.
constexpr float SceneUnitsPerAu = 149.5978707f / 5.0f;

D3DXVECTOR3 OrbitPoint(const OrbitEllipse& orbit, float t);

// The closed line: `segments` + 1 points at t = k * 2 pi / segments, the last repeating the
// first; none for no segments.
std::vector<D3DXVECTOR3> OrbitLinePoints(const OrbitEllipse& orbit, int segments);

// The model arrangements' orbit of a body: centred on the Sun in the x-z plane, with the
// catalogue's perihelion and aphelion (divided by 5) as the half-axes along x and z, or a
// circle of the relative radius. t is the body's angle.
OrbitEllipse ModelOrbit(const PlanetRecord& body, bool relative);

// The true orbit of a set of elements in scene units, the Sun at a focus; t is the
// eccentric anomaly. The ecliptic lies in the x-z plane with its north towards +y, so
// that seen from above the planets move counterclockwise.
OrbitEllipse SkyOrbit(const OrbitalElements& elements);

// A point of the ecliptic frame (au) in scene units.
D3DXVECTOR3 SceneFromEcliptic(const EclipticVector& au);
