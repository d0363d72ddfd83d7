// Prints how long the scene's per-frame update, its mesh generation and the decoding of
// its textures take on this machine. Not a test: scripts/bench.sh runs it.
//
//   scene_bench              every figure
//   scene_bench update N     only N frame updates, for counting instructions (callgrind)
//   scene_bench ribbons N    N frame updates, each with the ribbons of every line

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
#include "scene/line_ribbon.h"
#include "scene/orrery_scene.h"

namespace {

// The frame update, with the distance lines' dashes.
class BenchScene : public OrreryScene {
public:
    float checksum = 0.0f;
    void Advance(float time) {
        AdvanceScene(time);
        checksum += distanceDashPoints[SaturnIndex][3].x;
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

// Every orbit and distance line of the scene as the ribbons of one 1024 x 768 screen.
void AllRibbons(const OrreryScene& scene, RibbonStrips& strips) {
    strips.Clear();
    const D3DXMATRIX& view = scene.viewMatrix;
    const RibbonView facing = {scene.eyePos, D3DXVECTOR3(view._13, view._23, view._33), 768.0f, 1.0f, 0.05f,
                               0.0f};
    for (int i = 1; i < BodyCount; ++i) {
        AppendRibbon(scene.orbitLines[i].data(), scene.orbitLines[i].size(), 0, facing, strips);
        for (int end = 0; end < DistanceDashPointCount; end += 2) {
            AppendRibbon(&scene.distanceDashPoints[i][end], 2, 0, facing, strips);
        }
    }
}

// Median and 99th percentile of single frame updates, per camera mode and arrangement.
void UpdatePerMode() {
    static const char* const cameras[] = {"static",  "around",    "elliptic",
                                          "chaotic", "panoramic", "planet view"};
    static const char* const arrangements[] = {"real periods", "together", "relative", "today's sky"};
    constexpr int Frames = 20000;
    std::printf("frame update (AdvanceScene with distance lines), %d frames per row:\n", Frames);
    std::printf("%-12s %-13s %10s %10s\n", "camera", "arrangement", "median us", "p99 us");
    for (int camera = 0; camera < 6; ++camera) {
        for (int arrangement = 0; arrangement < 4; ++arrangement) {
            BenchScene scene;
            EveryOverlayOn(scene, camera, arrangement);
            scene.InitCatalogue();
            std::vector<double> spent;
            spent.reserve(Frames);
            for (int frame = 0; frame < Frames; ++frame) {
                const auto start = std::chrono::steady_clock::now();
                scene.Advance(1.0f + frame / 60.0f);
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
            scene.Advance(1.0f + frame / 60.0f);
        }
        std::printf("(checksum %.1f)\n", scene.checksum);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "ribbons") == 0) {
        BenchScene scene;
        EveryOverlayOn(scene, CameraPlanetView, ArrangementRealWithPeriods);
        scene.InitCatalogue();
        scene.BuildOrbitLines();
        RibbonStrips strips;
        const int frames = std::atoi(argv[2]);
        for (int frame = 0; frame < frames; ++frame) {
            scene.Advance(1.0f + frame / 60.0f);
            AllRibbons(scene, strips);
        }
        std::printf("(checksum %.1f %zu)\n", scene.checksum, strips.inFront.size());
        return 0;
    }

    UpdatePerMode();
    DecodeTextures();

    BenchScene scene;
    EveryOverlayOn(scene, CameraPlanetView, ArrangementRealWithPeriods);
    scene.InitCatalogue();
    const double frame = MicrosecondsPerRun(200000, [&](int run) { scene.Advance(run / 60.0f); });
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

    const double orbits = MicrosecondsPerRun(200, [&](int) {
        vertices += OrbitLinePoints({{0, 0, 0}, {900, 0, 0}, {0, 0, 1400}}, 966).size();
    });
    std::printf("orbit of 966 segments: %.1f us\n", orbits);

    // Today's sky: each frame places the planets for the date; the orbits are laid out at
    // the start and again once the date has moved a year.
    TodaysSky sky;
    sky.Start(JulianDayJ2000, 0.0);
    double skySum = 0.0;
    const double place = MicrosecondsPerRun(200000, [&](int run) {
        sky.Advance(run / 60.0, 1.0, JulianDayJ2000);
        skySum += sky.Position(EarthIndex).x;
    });
    std::printf("today's sky, the planets placed for a date: %.2f us\n", place);
    const double layout = MicrosecondsPerRun(2000, [&](int run) {
        sky.Start(JulianDayJ2000 + run, 0.0);
        skySum += sky.Orbit(PlutoIndex).centre.x;
    });
    std::printf("today's sky, the orbits laid out: %.2f us\n", layout);

    // What a screen adds to each frame for smooth lines: every orbit and distance line as
    // a ribbon facing its camera.
    for (int camera : {CameraAround, CameraPlanetView}) {
        BenchScene lines;
        EveryOverlayOn(lines, camera, ArrangementRealWithPeriods);
        lines.InitCatalogue();
        lines.BuildOrbitLines();
        RibbonStrips strips;
        const double ribbons = MicrosecondsPerRun(20000, [&](int run) {
            lines.Advance(run / 60.0f);
            AllRibbons(lines, strips);
        });
        std::printf("frame update and the ribbons of every line (%s camera, %zu vertices): %.2f us\n",
                    camera == CameraAround ? "around" : "planet view",
                    strips.behind.size() + strips.inFront.size(), ribbons);
        vertices += strips.behind.size();
    }
    std::printf("(checksums %.1f %zu %.1f)\n", scene.checksum, vertices, skySum);
    return 0;
}
