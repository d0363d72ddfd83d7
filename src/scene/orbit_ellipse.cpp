#include "scene/orbit_ellipse.h"

#include <cmath>

namespace {

constexpr float TwoPi = 6.2831855f;

}  // namespace

D3DXVECTOR3 OrbitPoint(const OrbitEllipse& orbit, float t) {
    const float c = std::cos(t);
    const float s = std::sin(t);
    return D3DXVECTOR3(orbit.centre.x + c * orbit.firstAxis.x + s * orbit.secondAxis.x,
                       orbit.centre.y + c * orbit.firstAxis.y + s * orbit.secondAxis.y,
                       orbit.centre.z + c * orbit.firstAxis.z + s * orbit.secondAxis.z);
}

std::vector<D3DXVECTOR3> OrbitLinePoints(const OrbitEllipse& orbit, int segments) {
    std::vector<D3DXVECTOR3> points;
    if (segments <= 0) {
        return points;
    }
    points.reserve(segments + 1);
    const float step = TwoPi / static_cast<float>(segments);
    // Parameters are k * step, never a running sum, so exactly `segments` points come out.
    for (int k = 0; k < segments; ++k) {
        points.push_back(OrbitPoint(orbit, static_cast<float>(k) * step));
    }
    points.push_back(points.front());
    return points;
}

OrbitEllipse ModelOrbit(const PlanetRecord& body, bool relative) {
    const float alongX = relative ? body.relativeOrbitRadius : body.perihelion / 5.0f;
    const float alongZ = relative ? body.relativeOrbitRadius : body.aphelion / 5.0f;
    return {D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(alongX, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, alongZ)};
}

D3DXVECTOR3 SceneFromEcliptic(const EclipticVector& au) {
    return D3DXVECTOR3(static_cast<float>(au.x) * SceneUnitsPerAu, static_cast<float>(au.z) * SceneUnitsPerAu,
                       static_cast<float>(au.y) * SceneUnitsPerAu);
}

// With the eccentric anomaly E a point of the orbit is a (cos E - e) P + b sin E Q, P
// towards the perihelion and Q ahead of it: the centre lies a e behind the focus.
OrbitEllipse SkyOrbit(const OrbitalElements& elements) {
    EclipticVector p, q;
    OrbitAxes(elements, p, q);
    const double a = elements.semiMajorAxis;
    const double e = elements.eccentricity;
    const double b = a * std::sqrt(1.0 - e * e);
    return {SceneFromEcliptic({-a * e * p.x, -a * e * p.y, -a * e * p.z}),
            SceneFromEcliptic({a * p.x, a * p.y, a * p.z}), SceneFromEcliptic({b * q.x, b * q.y, b * q.z})};
}
