// Prints how long the scene's per-frame update, its mesh generation and the decoding of
// its textures take on this machine. Not a test: scripts/bench.sh runs it.
//
//   scene_bench              every figure
//   scene_bench update N     only N frame updates, for counting instructions (callgrind)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "d3dx/image_file.h"
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

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()))];
}

void EveryOverlayOn(OrreryScene& scene, int camera, int arrangement) {
    scene.settings.cameraSettings = camera;
    scene.settings.arrangement = arrangement;
    scene.settings.planetToView = SaturnIndex;
    scene.settings.names = scene.settings.distances = scene.settings.trajectories = scene.settings.fps = 1;
}

// Median and 99th percentile of single frame updates, per camera mode and arrangement.
void UpdatePerMode() {
    static const char* const cameras[] = {"static",  "around",    "elliptic",
                                          "chaotic", "panoramic", "planet view"};
    static const char* const arrangements[] = {"real periods", "together", "relative"};
    constexpr int Frames = 20000;
    std::printf("frame update (AdvanceScene with distance lines), %d frames per row:\n", Frames);
    std::printf("%-12s %-13s %10s %10s\n", "camera", "arrangement", "median us", "p99 us");
    for (int camera = 0; camera < 6; ++camera) {
        for (int arrangement = 0; arrangement < 3; ++arrangement) {
            BenchScene scene;
            EveryOverlayOn(scene, camera, arrangement);
            scene.InitCatalogue();
            std::vector<double> spent;
            spent.reserve(Frames);
            for (int frame = 0; frame < Frames; ++frame) {
                const auto start = std::chrono::steady_clock::now();
                scene.AdvanceScene(1.0f + frame / 60.0f);
                const std::chrono::duration<double, std::micro> took =
                    std::chrono::steady_clock::now() - start;
                spent.push_back(took.count());
            }
            std::printf("%-12s %-13s %10.2f %10.2f\n", cameras[camera], arrangements[arrangement],
                        Percentile(spent, 0.5), Percentile(spent, 0.99));
        }
    }
}

// The 24 texture files as the build generated them, each decoded as the loader does.
void DecodeTextures() {
    static const char* const files[] = {
        "sky_px.jpg",       "sky_nx.jpg",       "sky_py.jpg",       "sky_ny.jpg",       "sky_pz.jpg",
        "sky_nz.jpg",       "sky_dense_px.jpg", "sky_dense_nx.jpg", "sky_dense_py.jpg", "sky_dense_ny.jpg",
        "sky_dense_pz.jpg", "sky_dense_nz.jpg", "pluto.jpg",        "neptune.jpg",      "uranus.jpg",
        "saturn.jpg",       "jupiter.jpg",      "mars.jpg",         "earth.jpg",        "venus.jpg",
        "mercury.jpg",      "halo.tga",         "sunglow.tga",      "ring.tga"};
    std::vector<std::vector<uint8_t>> contents;
    for (const char* name : files) {
        std::ifstream in(std::string(CELESTRA_GENERATED_DIR) + "/" + name, std::ios::binary);
        contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (contents.back().empty()) {
            std::printf("texture decoding: %s is missing\n", name);
            return;
        }
    }
    std::vector<double> spent;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& bytes : contents) {
            DecodedImage image;
            ImageFileKind kind;
            DecodeImageFile(bytes.data(), bytes.size(), &image, &kind);
        }
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        spent.push_back(took.count());
    }
    std::printf("decoding all 24 textures: %.2f ms (median of 7)\n", Percentile(spent, 0.5));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "update") == 0) {
        BenchScene scene;
        EveryOverlayOn(scene, CameraPlanetView, ArrangementRealWithPeriods);
        scene.InitCatalogue();
        const int frames = std::atoi(argv[2]);
        for (int frame = 0; frame < frames; ++frame) {
            scene.AdvanceScene(1.0f + frame / 60.0f);
        }
        std::printf("(checksum %.1f)\n", scene.checksum);
        return 0;
    }

    UpdatePerMode();
    DecodeTextures();

    BenchScene scene;
    EveryOverlayOn(scene, CameraPlanetView, ArrangementRealWithPeriods);
    scene.InitCatalogue();
    const double frame = MicrosecondsPerRun(200000, [&](int run) { scene.AdvanceScene(run / 60.0f); });
    std::printf("frame update with distance lines, mean: %.3f us\n", frame);

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
