#include "scene/orrery_scene.h"

#include <algorithm>
#include <chrono>

#include "scene/planet_catalogue.h"
#include "util/copy_string_bounded.h"

namespace {

uint32_t SteadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

double SystemPresent() {
    using namespace std::chrono;
    constexpr double UnixEpochJulianDay = 2440587.5;
    const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return UnixEpochJulianDay + seconds / 86400.0;
}

constexpr uint32_t RandomMultiplier = 1664525u;
constexpr uint32_t RandomIncrement = 1013904223u;

}  // namespace

OrreryScene::OrreryScene()
    : settings(DefaultSettings()),
      bodies(),
      skyBoxVertexCount(0),
      quadVertexCount(0),
      sphereVertexCounts(),
      ringVertexCounts(),
      starCounts(),
      eyePos(),
      lookAtPos(),
      staticEyePos(),
      viewMatrix(),
      sunLight(),
      skyBoxColour(1.0f, 1.0f, 1.0f, 1.0f),
      sunBaseColour(0.0f, 0.0f, 0.0f, 0.0f),
      saturnNearerThanSun(false),
      planetViewActive(false),
      infoLines(),
      infoCharsShown(0),
      infoCycleStart(0.0),
      infoPhaseTime(0.0f),
      infoTextAlpha(0),
      frameRateText(),
      musicClockLast(0.0),
      musicClockSum(0.0f),
      randomState(0),
      screenWidth(0),
      screenHeight(0),
      orbitClock(0.0),
      cameraClock(0.0),
      orbitLines(),
      distanceDashPoints(),
      millisecondClock(SteadyMilliseconds),
      sky(),
      skyStarted(false),
      skyLabelThousandths(),
      presentClock(SystemPresent) {
    D3DXMatrixIdentity(&viewMatrix);
    for (auto& line : infoLines) {
        CopyStringBounded(line, " ");
    }
}

void OrreryScene::InitCatalogue() {
    for (int i = 0; i < BodyCount; ++i) {
        WriteCatalogueRecord(i, bodies[i]);
        skyLabelThousandths[i] = -1;  // the catalogue's label is back
    }
    InitSun();
    if (settings.cameraSettings == CameraStatic) {
        ChooseStaticEye();
    }
    SetUpPlanetView();
    musicClockLast = 0.0;
    musicClockSum = 0.0f;
}

void OrreryScene::InitSun() {
    PlanetRecord& sun = bodies[SunIndex];
    sun.haloSize = SunHaloSize;
    // Close to an inner planet the full glow would swamp it.
    if (settings.cameraSettings == CameraPlanetView && settings.arrangement != ArrangementRelative &&
        ViewedPlanet() > 6) {
        sun.haloSize = SunHaloSizeNearPlanet;
    }
    sun.haloMaterial = D3DMATERIAL8{};
    sun.haloMaterial.Diffuse = sunBaseColour;
    sun.haloMaterial.Ambient = sunBaseColour;
    sun.haloMaterial.Specular = sunBaseColour;
    sun.haloMaterial.Emissive = sun.haloColour;
}

// The eye lies on a 10-unit grid: x and z in -100..100, y in 30..110.
void OrreryScene::ChooseStaticEye() {
    randomState = millisecondClock();
    const int a = static_cast<int>(NextRandom(0, 20));
    const int b = static_cast<int>(NextRandom(3, 11));
    const int c = static_cast<int>(NextRandom(0, 20));
    staticEyePos = D3DXVECTOR3(static_cast<float>((a - 10) * 10), static_cast<float>(b * 10),
                               static_cast<float>((c - 10) * 10));
}

// Planets move on these same curves (UpdateBodyPositions), so they stay on their lines.
void OrreryScene::BuildOrbitLines() {
    const bool relative = settings.arrangement == ArrangementRelative;
    const bool trueOrbits = settings.arrangement == ArrangementTodaysSky;
    orbitLines[SunIndex].clear();
    for (int i = 1; i < BodyCount; ++i) {
        const PlanetRecord& body = bodies[i];
        orbitLines[i] =
            OrbitLinePoints(trueOrbits ? sky.Orbit(i) : ModelOrbit(body, relative), body.orbitSegments);
    }
}

// The followed planet's trajectory gets a finer polyline, since the camera is close to it.
void OrreryScene::SetUpPlanetView() {
    planetViewActive = settings.cameraSettings == CameraPlanetView;
    if (!planetViewActive) {
        return;
    }
    const int viewed = ViewedPlanet();
    bodies[viewed].orbitSegments = viewed <= UranusIndex ? 242 : 120;
    if (viewed == PlutoIndex) {
        bodies[viewed].orbitSegments = 966;
    }
}

void OrreryScene::FillBodyNames() {
    for (int i = 0; i < BodyCount; ++i) {
        CopyStringBounded(bodies[i].name, CatalogueEntry(i).name);
    }
}

uint32_t OrreryScene::NextRandom(uint32_t low, uint32_t high) {
    const uint32_t range = high - low + 1u;
    randomState = randomState * RandomMultiplier + RandomIncrement;
    if (range == 0) {
        return low + randomState;  // the whole 32-bit range: there is nothing to reduce
    }
    return low + randomState % range;
}

int OrreryScene::ViewedPlanet() const {
    return std::clamp<int>(settings.planetToView, 1, BodyCount - 1);
}

bool OrreryScene::MusicPollDue(double time) {
    const float delta = static_cast<float>(time - musicClockLast);
    musicClockLast = time;
    musicClockSum += delta;
    return musicClockSum > 1.5f;
}
