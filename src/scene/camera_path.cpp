#include "scene/camera_path.h"

#include <cmath>

#include "scene/reduced_angle.h"
#include "settings/orrery_settings.h"

namespace {

// Orbits of the around, elliptic and panoramic cameras: (x radius, height, z radius)
// for the large and the compact arrangements.
D3DXVECTOR3 CircleAround(bool compact, float theta) {
    const float radius = compact ? 400.0f : 1500.0f;
    const float height = compact ? 160.0f : 250.0f;
    return D3DXVECTOR3(radius * std::cos(theta), height, radius * std::sin(theta));
}

D3DXVECTOR3 EllipseAround(bool compact, float theta) {
    const float radius = compact ? 500.0f : 1500.0f;
    return D3DXVECTOR3(radius * std::cos(theta), 60.0f, 40.0f * std::sin(theta));
}

// Three incommensurate rates, so the path never repeats exactly; evaluated in double.
D3DXVECTOR3 ChaoticWander(bool compact, double clock) {
    const float r = compact ? 100.0f : 1000.0f;
    return D3DXVECTOR3(static_cast<float>(r * std::sin(clock * 0.73)),
                       static_cast<float>((r / 4.0f) * std::sin(clock * 0.678) + r / 2.0f),
                       static_cast<float>(r * std::sin(clock * 0.895)));
}

// Height swings at a quarter of the clock while the eye circles at half of it.
D3DXVECTOR3 Panorama(bool compact, double clock, float theta) {
    const float swing = ReducedAngle(clock / 4.0);
    if (compact) {
        return D3DXVECTOR3(310.0f * std::cos(theta), 100.0f * std::sin(swing), 400.0f * std::sin(theta));
    }
    return D3DXVECTOR3(1500.0f * std::cos(theta), 200.0f * std::cos(swing), 1000.0f * std::sin(theta));
}

// Circles the planet on an ellipse of half-axes 6s and 14s at the height 6s.
D3DXVECTOR3 AroundPlanet(const D3DXVECTOR3& planet, float radius, float theta) {
    return D3DXVECTOR3(planet.x + 6.0f * radius * std::cos(theta), 6.0f * radius,
                       planet.z + 14.0f * radius * std::sin(theta));
}

}  // namespace

bool ComputeCameraPose(const CameraInputs& inputs, double cameraClock, CameraPose& pose) {
    const float theta = ReducedAngle(cameraClock / 2.0);
    const D3DXVECTOR3 sun(0.0f, 0.0f, 0.0f);
    switch (static_cast<CameraMode>(inputs.cameraMode)) {
        case CameraStatic:
            pose = {inputs.staticEye, sun};
            return true;
        case CameraAround:
            pose = {CircleAround(inputs.compact, theta), sun};
            return true;
        case CameraElliptic:
            pose = {EllipseAround(inputs.compact, theta), sun};
            return true;
        case CameraChaotic:
            pose = {ChaoticWander(inputs.compact, cameraClock), sun};
            return true;
        case CameraPanoramic:
            pose = {Panorama(inputs.compact, cameraClock, theta), sun};
            return true;
        case CameraPlanetView:
            pose = {AroundPlanet(inputs.planet, inputs.planetRadius, theta), inputs.planet};
            return true;
        default:
            return false;
    }
}

D3DXMATRIX BuildViewMatrix(const D3DXVECTOR3& eye, const D3DXVECTOR3& target) {
    D3DXVECTOR3 at = target;
    D3DXVECTOR3 direction = target - eye;
    if (D3DXVec3LengthSq(&direction) == 0.0f) {
        direction = D3DXVECTOR3(0.0f, 0.0f, 1.0f);
        at = eye + direction;
    }
    D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &up, &direction);
    // Relative test: the sideways axis vanishes (or nearly) against the direction's length.
    if (D3DXVec3LengthSq(&side) <= 1e-10f * D3DXVec3LengthSq(&direction)) {
        up = D3DXVECTOR3(0.0f, 0.0f, 1.0f);
    }
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    return view;
}
