// Prints how long the scene's per-frame update and its mesh generation take on this
// machine. Not a test: run it by hand (build/host/tests/native/scene_bench).

#include <chrono>
#include <cstdio>

#include "scene/orrery_scene.h"

namespace {

// The frame update plus the dash vertices of the nine distance lines, as a screen refills them.
class BenchScene : public OrreryScene {
public:
    float checksum = 0.0f;

protected:
    void RefillDistanceLines() override {
        for (int i = 1; i < BodyCount; ++i) {
            const auto dashes = GenerateDistanceDashes(bodies[i].position, bodies[0].haloSize, DistanceDashes,
                                                       DashPhase::Refilled);
            checksum += dashes[3].x;
        }
    }
};

template <typename Work>
double MicrosecondsPerRun(int runs, Work work) {
    const auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < runs; ++run) {
        work(run);
    }
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

}  // namespace

int main() {
    BenchScene scene;
    scene.settings.cameraSettings = CameraPlanetView;
    scene.settings.arrangement = ArrangementRealWithPeriods;
    scene.settings.distances = 1;
    scene.InitCatalogue();
    const double frame = MicrosecondsPerRun(200000, [&](int run) { scene.AdvanceScene(run / 60.0f); });
    std::printf("frame update with distance lines: %.3f us\n", frame);

    size_t vertices = 0;
    const double statics = MicrosecondsPerRun(50, [&](int) {
        vertices += GenerateSkyBox().size() + GenerateQuad().size();
        for (int s : SphereSubdivisions) {
            vertices += GenerateSphere(s, s).size();
        }
        vertices += GenerateRing(1.8f, 1.2f, 64).size() + GenerateRing(1.24f, 1.1f, 64).size();
    });
    std::printf("static meshes (sky box, quad, 5 spheres, 2 rings): %.1f us\n", statics);

    const double orbits =
        MicrosecondsPerRun(200, [&](int) { vertices += GenerateOrbitLine(900, 1400, 966).size(); });
    std::printf("orbit of 966 segments: %.1f us\n", orbits);
    std::printf("(checksums %.1f %zu)\n", scene.checksum, vertices);
    return 0;
}
