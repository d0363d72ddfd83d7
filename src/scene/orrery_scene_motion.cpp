#include "scene/orrery_scene.h"

#include <cmath>
#include <cstdio>

#include "scene/camera_path.h"
#include "scene/reduced_angle.h"

void OrreryScene::AdvanceScene(double time) {
    orbitClock = -time / 4.0;
    cameraClock = time / CameraSpeedDivisor();
    if (planetViewActive) {
        InfoTicker(time);
    }
    if (settings.arrangement == ArrangementTodaysSky && AdvanceSky(time)) {
        BuildOrbitLines();  // laid out anew
    }
    UpdateBodyPositions();
    if (settings.distances) {
        UpdateDistanceLines();  // the planets moved
    }
    CameraStep();
    UpdateRingOrder();
}

// The speed setting only ever holds 7.0 .. 2.0; anything else would stop or blow up the
// camera, so it falls back to the default speed.
float OrreryScene::CameraSpeedDivisor() const {
    const float speed = settings.speedOfCamera;
    return (speed > 0.0f && std::isfinite(speed)) ? speed : 4.0f;
}

// The date moves on; true when the orbits were laid out anew, as they are at the start.
bool OrreryScene::AdvanceSky(double time) {
    if (!skyStarted) {
        sky.Start(presentClock(), time);
        skyStarted = true;
        return true;
    }
    return sky.Advance(time, DaysPerSecond(settings.timeSpeed), presentClock());
}

void OrreryScene::UpdateBodyPositions() {
    const int arrangement = settings.arrangement;
    if (arrangement == ArrangementTodaysSky) {
        PlaceSkyPlanets();
        return;
    }
    if (arrangement < ArrangementRealWithPeriods || arrangement > ArrangementRelative) {
        return;
    }
    for (int i = 1; i < BodyCount; ++i) {
        PlanetRecord& body = bodies[i];
        // Angles decrease with time; in the first arrangement each planet at its own rate.
        const float angle = ReducedAngle(arrangement == ArrangementRealWithPeriods
                                             ? orbitClock / body.orbitalPeriod + body.orbitPhase
                                             : orbitClock + body.orbitPhase);
        body.position = OrbitPoint(ModelOrbit(body, arrangement == ArrangementRelative), angle);
    }
}

void OrreryScene::UpdateDistanceLines() {
    const PlanetRecord& sun = bodies[SunIndex];
    for (int i = 1; i < BodyCount; ++i) {
        PlanetRecord& body = bodies[i];
        GenerateDistanceDashes(body.position, sun.haloSize, DistanceDashes, distanceDashPoints[i]);
        body.distanceLabelPos = DistanceLabelAnchor(sun.position, body.position, sun.haloSize);
    }
}

// Each distance label tells the planet's distance from the Sun on the date.
void OrreryScene::PlaceSkyPlanets() {
    for (int i = 1; i < BodyCount; ++i) {
        bodies[i].position = sky.Position(i);
        const long thousandths = std::lround(sky.DistanceAu(i) * 1000.0);
        if (thousandths != skyLabelThousandths[i]) {
            std::snprintf(bodies[i].distanceLabel, sizeof(bodies[i].distanceLabel), "%.3f AU",
                          static_cast<double>(thousandths) / 1000.0);
            skyLabelThousandths[i] = thousandths;
        }
    }
}

void OrreryScene::CameraStep() {
    const int viewed = ViewedPlanet();
    const CameraInputs inputs = {settings.cameraSettings, settings.arrangement == ArrangementRelative,
                                 staticEyePos, bodies[viewed].position, bodies[viewed].radius};
    CameraPose pose = {eyePos, lookAtPos};
    if (ComputeCameraPose(inputs, cameraClock, pose)) {
        eyePos = pose.eye;
        lookAtPos = pose.target;
    }
    viewMatrix = BuildViewMatrix(eyePos, lookAtPos);
    ApplyViewTransform();
}

// The farther of the two blended layers (Saturn's rings, the Sun's glow) is drawn first.
void OrreryScene::UpdateRingOrder() {
    const D3DXVECTOR3 toSun = bodies[SunIndex].position - eyePos;
    const D3DXVECTOR3 toSaturn = bodies[SaturnIndex].position - eyePos;
    saturnNearerThanSun = D3DXVec3LengthSq(&toSaturn) < D3DXVec3LengthSq(&toSun);
}
