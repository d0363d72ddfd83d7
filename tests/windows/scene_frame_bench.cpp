// Figures of what a frame of the scene costs under this platform's Direct3D 8, printed,
// never judged (scripts/bench.sh runs every part and collects them):
//
//   scene_frame_bench cpu FRAMES             our own CPU per frame on a null device
//   scene_frame_bench vertices W H           the vertices a frame draws, per camera mode
//   scene_frame_bench steps W H FRAMES       empty frame, full scene, full scene less each step
//   scene_frame_bench screens W H FRAMES     the full scene on one and on two devices
//   scene_frame_bench detail W H FRAMES      the full scene with sphere detail lowered and raised
//   scene_frame_bench decode RUNS            decoding the 24 textures
//   scene_frame_bench empty SECONDS W H      empty frames for a while (peak working set)
//   scene_frame_bench start W H              one screen's start, step by step: time, memory, objects

#include <windows.h>
#include <d3d8.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "d3dx/image_file.h"
#include "d3dx/texel_format.h"
#include "resource_ids.h"
#include "scene/win32/orrery_saver.h"
#include "scene/scene_overlay_layout.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"
#include "support/null_device.h"
#include "support/real_device.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// CPU time of every thread of this process, llvmpipe's rendering threads included: on a
// machine shared with other work it tells the cost of a frame better than the clock.
double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0.0;
    }
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
    return values[index];
}

// Every overlay on: names, distances, orbits, frame rate; the planet view adds the panel.
void EveryOverlayOn(OrrerySettings& settings, int camera, int arrangement) {
    settings.cameraSettings = camera;
    settings.arrangement = arrangement;
    settings.planetToView = SaturnIndex;
    settings.trajectories = 1;
    settings.names = 1;
    settings.fps = 1;
    settings.distances = 1;
    settings.audio = 0;
    settings.customAudio = 0;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// ---------------------------------------------------------------- real devices

// One real device per screen, each on a window of its own; screen i on adapter i where
// there is one.
class RealScreens {
public:
    RealScreens(int width, int height, int count) : width_(width), height_(height) {
        IDirect3D8* direct3d = CreateRealDirect3D();
        const UINT adapters = direct3d != nullptr ? direct3d->GetAdapterCount() : 0;
        if (direct3d != nullptr) {
            direct3d->Release();
        }
        for (int i = 0; i < count; ++i) {
            const UINT adapter = static_cast<UINT>(i) < adapters ? static_cast<UINT>(i) : 0;
            screens_.push_back(std::make_unique<RealDevice>(width, height, adapter));
            adapterNote_ += (i > 0 ? "," : "") + std::to_string(adapter);
            // A windowed device may be refused on a second head: the second screen
            // then gets its own device on the first adapter.
            if (screens_.back()->Device() == nullptr && adapter != 0) {
                screens_.back() = std::make_unique<RealDevice>(width, height, 0);
                adapterNote_.back() = '0';
            }
            devices_.push_back(screens_.back()->Device());
        }
        PumpMessages();
    }
    ~RealScreens() {
        while (!screens_.empty()) {
            screens_.pop_back();  // the last made goes first
        }
    }

    bool Ready() const {
        return !devices_.empty() && std::find(devices_.begin(), devices_.end(), nullptr) == devices_.end();
    }
    const std::vector<IDirect3DDevice8*>& Devices() const { return devices_; }
    const std::string& Adapters() const { return adapterNote_; }

    // Makes screen `index` the saver's current one, as the framework does before drawing.
    void Select(OrrerySaver& saver, int index) const {
        saver.activeDevice = devices_[index];
        saver.backBufferDesc.Width = width_;
        saver.backBufferDesc.Height = height_;
        saver.renderTotal = RECT{0, 0, width_, height_};
        saver.renderCurrent = saver.renderTotal;
        saver.UseScreenDevice(static_cast<UINT>(index));
    }

    void PresentAll() const {
        for (IDirect3DDevice8* device : devices_) {
            device->Present(nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    int width_;
    int height_;
    std::vector<std::unique_ptr<RealDevice>> screens_;
    std::vector<IDirect3DDevice8*> devices_;
    std::string adapterNote_;
};

// The drawing steps a case may leave out.
enum Step : unsigned {
    StepSky = 1,
    StepHalos = 2,
    StepOrbits = 4,
    StepLines = 8,
    StepPlanets = 16,
    StepRings = 32,
    StepGlow = 64,
    StepTexts = 128,  // all four below
    StepNames = 512,
    StepPanel = 1024,
    StepDistanceLabels = 2048,
    StepFrameRate = 4096,
    StepStars = 8192,
};

// Not a step: the texts drawn as before batching, each string saving and restoring the
// device's states on its own, for a before-and-after figure from one run.
constexpr unsigned TextsOneByOne = 256;

void DrawTextsOneByOne(OrrerySaver& saver) {
    const uint32_t sceneFlags = TextCentered | TextFiltered;
    TextureFont* label = saver.currentDevice->labelFont;
    TextureFont* panel = saver.currentDevice->panelFont;
    if (label == nullptr || panel == nullptr) {
        return;
    }
    for (int i = 0; i < BodyCount; ++i) {
        if (saver.bodies[i].visible != 0) {
            const D3DXMATRIX world = saver.BodyNameMatrix(i);
            saver.activeDevice->SetTransform(D3DTS_WORLD, &world);
            label->Render3DText(saver.bodies[i].name, sceneFlags);
        }
    }
    if (saver.planetViewActive) {
        for (const ScreenText& text : InfoPanelTexts(
                 saver.infoLines, saver.infoTextAlpha, saver.settings.redVal, saver.settings.greenVal,
                 saver.settings.blueVal, saver.screenWidth, saver.screenHeight, saver.screenDpi)) {
            panel->DrawText(text.x, text.y, text.colour, text.text, 0);
        }
    }
    for (int i = 1; i < BodyCount; ++i) {
        if (saver.bodies[i].visible != 0) {
            const D3DXMATRIX world = saver.DistanceLabelMatrix(i);
            saver.activeDevice->SetTransform(D3DTS_WORLD, &world);
            label->Render3DText(saver.bodies[i].distanceLabel, sceneFlags);
        }
    }
    FormatFrameRate(saver.frameRateText, sizeof(saver.frameRateText), saver.framesPerSecond);
    for (const ScreenText& text : FrameRateTexts(saver.frameRateText, saver.screenDpi)) {
        label->DrawText(text.x, text.y, text.colour, text.text, 0);
    }
}

// RenderFrame's order with some steps left out; with none left out it is RenderFrame itself.
void RenderWithout(OrrerySaver& saver, unsigned skipped) {
    if (skipped == 0) {
        saver.RenderFrame();
        return;
    }
    saver.SetScreenProjection(0.05f, 3000.0f);
    saver.activeDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    if (FAILED(saver.activeDevice->BeginScene())) {
        return;
    }
    const auto step = [&](Step which, void (OrrerySaver::*draw)()) {
        if ((skipped & which) == 0) {
            (saver.*draw)();
        }
    };
    step(StepSky, &OrrerySaver::DrawSkyBox);
    step(StepStars, &OrrerySaver::DrawStars);
    step(StepHalos, &OrrerySaver::DrawPlanetHalos);
    step(StepPlanets, &OrrerySaver::DrawPlanets);
    saver.WriteLineRibbons((skipped & StepOrbits) == 0, (skipped & StepLines) == 0);
    saver.DrawLinesBehindSun();
    if (saver.saturnNearerThanSun) {
        step(StepGlow, &OrrerySaver::DrawSunGlow);
        step(StepRings, &OrrerySaver::DrawRings);
    } else {
        step(StepRings, &OrrerySaver::DrawRings);
        step(StepGlow, &OrrerySaver::DrawSunGlow);
    }
    saver.DrawLinesInFrontOfSun();
    if (skipped & TextsOneByOne) {
        if ((skipped & StepTexts) == 0) {
            DrawTextsOneByOne(saver);
        }
    } else {
        if ((skipped & StepTexts) == 0) {
            step(StepNames, &OrrerySaver::DrawBodyNames);
            if (saver.planetViewActive) {
                step(StepPanel, &OrrerySaver::DrawInfoPanel);
            }
            step(StepDistanceLabels, &OrrerySaver::DrawDistanceLabels);
            step(StepFrameRate, &OrrerySaver::DrawFrameRate);
        }
    }
    saver.activeDevice->EndScene();
}

// ---------------------------------------------------------------- our own CPU per frame

void RunCpu(int frames) {
    static const char* const cameras[] = {"static",  "around",    "elliptic",
                                          "chaotic", "panoramic", "planet view"};
    static const char* const arrangements[] = {"real periods", "together", "relative"};
    std::printf("# our own CPU per frame: AdvanceFrame + RenderFrame on a null device, every overlay on,\n");
    std::printf("# %d frames per row, alternating: the saver's RenderFrame, then the same frame with the\n",
                frames);
    std::printf("# texts one by one as before batching (\"before\" columns)\n");
    std::printf("%-12s %-13s %10s %10s %12s %12s %9s %10s %10s %12s\n", "camera", "arrangement", "median us",
                "p99 us", "calls/frame", "locks/frame", "discards", "before us", "before p99",
                "before calls");
    for (int camera = 0; camera < 6; ++camera) {
        for (int arrangement = 0; arrangement < 3; ++arrangement) {
            NullDevice device;
            auto saver = std::make_unique<OrrerySaver>();
            saver->mode = SaverMode::Test;
            saver->activeDevice = &device;
            saver->backBufferDesc.Width = 800;
            saver->backBufferDesc.Height = 600;
            saver->renderTotal = RECT{0, 0, 800, 600};
            saver->renderCurrent = saver->renderTotal;
            EveryOverlayOn(saver->settings, camera, arrangement);
            saver->UseScreenDevice(0);
            if (FAILED(saver->PrepareDeviceObjects())) {
                std::printf("%-12s %-13s preparation failed\n", cameras[camera], arrangements[arrangement]);
                continue;
            }
            std::vector<double> spent[2];
            long calls[2] = {0, 0};
            long locks = 0;
            long discards = 0;
            for (int frame = 0; frame < 2 * frames; ++frame) {
                const int way = frame % 2;  // 0: RenderFrame, 1: texts one by one
                saver->time = 1.0f + (frame / 2) / 60.0f;
                saver->framesPerSecond = 60.0f + static_cast<float>(frame % 7);
                device.ResetCounts();
                const double start = Now();
                saver->AdvanceFrame();
                RenderWithout(*saver, way == 0 ? 0 : TextsOneByOne);
                spent[way].push_back((Now() - start) * 1e6);
                calls[way] += device.callCount;
                locks += way == 0 ? device.lockCount : 0;
                discards += way == 0 ? device.discardCount : 0;
            }
            std::printf("%-12s %-13s %10.1f %10.1f %12.1f %12.1f %9.2f %10.1f %10.1f %12.1f\n",
                        cameras[camera], arrangements[arrangement], Percentile(spent[0], 0.5),
                        Percentile(spent[0], 0.99), static_cast<double>(calls[0]) / frames,
                        static_cast<double>(locks) / frames, static_cast<double>(discards) / frames,
                        Percentile(spent[1], 0.5), Percentile(spent[1], 0.99),
                        static_cast<double>(calls[1]) / frames);
            saver->ReleaseDeviceObjects();
        }
    }
}

// The vertices a frame draws on a null device of W x H, every overlay on, the mean of 300
// frames: the planets' spheres by their size on this screen against the 32 x 32 sphere
// every planet had before, and the lines' ribbons against the one-pixel line strips and
// lists of the same points before.
void RunVertices(int width, int height) {
    static const char* const cameras[] = {"static",  "around",    "elliptic",
                                          "chaotic", "panoramic", "planet view"};
    constexpr int Frames = 300;
    std::printf("# vertices a frame draws at %dx%d, every overlay on, mean of %d frames\n", width, height,
                Frames);
    std::printf("%-12s %10s %10s %10s %10s %10s %10s\n", "camera", "planets", "before", "lines", "before",
                "all", "before");
    for (int camera = 0; camera < 6; ++camera) {
        NullDevice device;
        auto saver = std::make_unique<OrrerySaver>();
        saver->mode = SaverMode::Test;
        saver->activeDevice = &device;
        saver->backBufferDesc.Width = width;
        saver->backBufferDesc.Height = height;
        saver->renderTotal = RECT{0, 0, width, height};
        saver->renderCurrent = saver->renderTotal;
        EveryOverlayOn(saver->settings, camera, ArrangementRealWithPeriods);
        saver->UseScreenDevice(0);
        if (FAILED(saver->PrepareDeviceObjects())) {
            std::printf("%-12s preparation failed\n", cameras[camera]);
            continue;
        }
        const DeviceSceneObjects& objects = *saver->currentDevice;
        double planets = 0, lines = 0, all = 0;
        for (int frame = 0; frame < Frames; ++frame) {
            saver->time = 3.0f + frame / 60.0f;
            saver->AdvanceFrame();
            device.ResetCounts();
            saver->RenderFrame();
            for (const auto& [buffer, count] : device.verticesDrawn) {
                all += count;
                lines += buffer == objects.lineBuffer ? count : 0;
                for (IDirect3DVertexBuffer8* sphere : objects.sphereBuffers) {
                    planets += buffer == sphere ? count : 0;
                }
            }
        }
        planets /= Frames;
        lines /= Frames;
        all /= Frames;
        const double planetsBefore = (BodyCount - 1) * saver->sphereVertexCounts[3];
        double linesBefore = (BodyCount - 1) * DistanceDashPointCount;
        for (int i = 1; i < BodyCount; ++i) {
            linesBefore += static_cast<double>(saver->orbitLines[i].size());
        }
        const double before = all - planets - lines + planetsBefore + linesBefore;
        std::printf("%-12s %10.0f %10.0f %10.0f %10.0f %10.0f %10.0f\n", cameras[camera], planets,
                    planetsBefore, lines, linesBefore, all, before);
        saver->ReleaseDeviceObjects();
    }
}

// The saver prepared on every screen of `screens`, with every overlay on.
std::unique_ptr<OrrerySaver> PreparedSaver(const RealScreens& screens, int camera) {
    auto saver = std::make_unique<OrrerySaver>();
    saver->mode = SaverMode::Test;
    EveryOverlayOn(saver->settings, camera, ArrangementRealWithPeriods);
    for (size_t i = 0; i < screens.Devices().size(); ++i) {
        screens.Select(*saver, static_cast<int>(i));
        if (FAILED(saver->PrepareDeviceObjects())) {
            return nullptr;
        }
    }
    return saver;
}

void ReleaseSaver(OrrerySaver& saver, const RealScreens& screens) {
    for (size_t i = screens.Devices().size(); i-- > 0;) {
        screens.Select(saver, static_cast<int>(i));
        saver.ReleaseDeviceObjects();
    }
}

// Reads the back buffer, which makes Wine finish every draw before it.
void WaitForDrawing(IDirect3DDevice8* device) {
    IDirect3DSurface8* back = nullptr;
    if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back)) || back == nullptr) {
        return;
    }
    D3DLOCKED_RECT locked = {};
    if (SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        back->UnlockRect();
    }
    back->Release();
}

// The cost of a presented frame in milliseconds: by the clock and in CPU time.
struct FrameCost {
    double wall;
    double cpu;
};

// Times `frames` frames after a short warm-up, from scene time `firstFrame` / 60 s on,
// so that cases timed alike draw the same pictures. A null saver times the empty frame:
// Clear and Present only.
//
// Wine's Direct3D draws on a thread of its own, some frames behind the calls: a Present
// returns long before its frame is drawn. The clock therefore starts once the frames
// before are drawn and stops once these are, so that no case is charged with the frames
// of the one before it (a block of the 64 x 64 spheres left behind for the next case to
// wait for, as the bench's `detail` part once had it). Each wait reads the back buffer
// back, which costs the same in every case.
FrameCost MillisecondsPerFrame(const RealScreens& screens, OrrerySaver* saver, unsigned skipped, int frames,
                               int firstFrame = 0) {
    const int warmUp = 2;
    double start = 0.0;
    double cpuStart = 0.0;
    for (int frame = -warmUp; frame < frames; ++frame) {
        if (frame == 0) {
            for (IDirect3DDevice8* device : screens.Devices()) {
                WaitForDrawing(device);
            }
            start = Now();
            cpuStart = ProcessCpuSeconds();
        }
        if (saver == nullptr) {
            for (IDirect3DDevice8* device : screens.Devices()) {
                device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
            }
        } else {
            saver->time = 3.0f + static_cast<float>(firstFrame + frame) / 60.0f;
            saver->AdvanceFrame();
            for (size_t i = 0; i < screens.Devices().size(); ++i) {
                screens.Select(*saver, static_cast<int>(i));
                RenderWithout(*saver, skipped);
            }
        }
        screens.PresentAll();
        PumpMessages();
    }
    for (IDirect3DDevice8* device : screens.Devices()) {
        WaitForDrawing(device);
    }
    return {(Now() - start) * 1000.0 / frames, (ProcessCpuSeconds() - cpuStart) * 1000.0 / frames};
}

void PrintRow(const char* name, const FrameCost& cost, const FrameCost& floor) {
    std::printf("%-30s %9.3f %7.2f %9.3f %7.2f\n", name, cost.wall, cost.wall / floor.wall, cost.cpu,
                cost.cpu / floor.cpu);
}

// Times every case in turn, a block of frames each, round after round, and gives each
// case the median of its blocks: on a busy machine a burst of load then falls on every
// case alike instead of on whichever ran during it.
std::vector<FrameCost> InterleavedMilliseconds(const RealScreens& screens, OrrerySaver* saver,
                                               const std::vector<unsigned>& skips, int frames) {
    constexpr unsigned EmptyFrame = 0xFFFFFFFF;
    const int rounds = std::max(3, frames / 20);
    const int block = std::max(2, frames / rounds);
    std::vector<std::vector<double>> walls(skips.size());
    std::vector<std::vector<double>> cpus(skips.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t c = 0; c < skips.size(); ++c) {
            const bool empty = skips[c] == EmptyFrame;
            const FrameCost cost =
                MillisecondsPerFrame(screens, empty ? nullptr : saver, skips[c], block, round * (block + 2));
            walls[c].push_back(cost.wall);
            cpus[c].push_back(cost.cpu);
        }
    }
    std::vector<FrameCost> medians;
    for (size_t c = 0; c < skips.size(); ++c) {
        medians.push_back({Percentile(walls[c], 0.5), Percentile(cpus[c], 0.5)});
    }
    return medians;
}

int RunSteps(int width, int height, int frames, int camera) {
    RealScreens screens(width, height, 1);
    if (!screens.Ready()) {
        std::printf("no Direct3D device\n");
        return 0;
    }
    auto saver = PreparedSaver(screens, camera);
    if (saver == nullptr) {
        std::printf("preparation failed\n");
        return 0;
    }
    struct Case {
        const char* name;
        unsigned skipped;
    };
    static const Case cases[] = {
        {"empty frame (Clear+Present)", 0xFFFFFFFF},
        {"full scene", 0},
        {"full scene, texts one by one", TextsOneByOne},
        {"  without sky box", StepSky},
        {"  without stars", StepStars},
        {"  without halos", StepHalos},
        {"  without orbits", StepOrbits},
        {"  without distance lines", StepLines},
        {"  without planets", StepPlanets},
        {"  without rings", StepRings},
        {"  without glow", StepGlow},
        {"  without texts", StepTexts},
        {"    without names", StepNames},
        {"    without distance labels", StepDistanceLabels},
        {"    without the frame rate", StepFrameRate},
        {"  without any step", 0xFF | StepStars},
    };
    std::vector<unsigned> skips;
    for (const Case& c : cases) {
        skips.push_back(c.skipped);
    }
    std::printf("# frame cost %dx%d windowed, camera %d, every overlay on, about %d frames per row,\n", width,
                height, camera, frames);
    std::printf("# interleaved in blocks; each row the median of its blocks\n");
    std::printf("# wall: by the clock; cpu: CPU time of the process, its rendering threads included\n");
    std::printf("%-30s %9s %7s %9s %7s\n", "case", "wall ms", "x floor", "cpu ms", "x floor");
    const std::vector<FrameCost> ms = InterleavedMilliseconds(screens, saver.get(), skips, frames);
    for (size_t c = 0; c < skips.size(); ++c) {
        PrintRow(cases[c].name, ms[c], ms[0]);
    }
    ReleaseSaver(*saver, screens);
    return 0;
}

int RunScreens(int width, int height, int frames, int camera) {
    std::printf("# screens %dx%d windowed, camera %d, every overlay on, %d frames per row\n", width, height,
                camera, frames);
    std::printf("%-10s %-9s %10s %10s %7s %10s %10s %7s\n", "screens", "adapters", "empty ms", "scene ms",
                "x empty", "empty cpu", "scene cpu", "x empty");
    for (int count = 1; count <= 2; ++count) {
        RealScreens screens(width, height, count);
        if (!screens.Ready()) {
            std::printf("%-10d no Direct3D device\n", count);
            continue;
        }
        auto saver = PreparedSaver(screens, camera);
        if (saver == nullptr) {
            std::printf("%-10d preparation failed\n", count);
            continue;
        }
        const std::vector<FrameCost> ms =
            InterleavedMilliseconds(screens, saver.get(), {0xFFFFFFFF, 0}, frames);
        std::printf("%-10d %-9s %10.3f %10.3f %7.2f %10.3f %10.3f %7.2f\n", count, screens.Adapters().c_str(),
                    ms[0].wall, ms[1].wall, ms[1].wall / ms[0].wall, ms[0].cpu, ms[1].cpu,
                    ms[1].cpu / ms[0].cpu);
        ReleaseSaver(*saver, screens);
    }
    return 0;
}

int RunDetail(int width, int height, int frames, int camera) {
    RealScreens screens(width, height, 1);
    if (!screens.Ready()) {
        std::printf("no Direct3D device\n");
        return 0;
    }
    auto saver = PreparedSaver(screens, camera);
    if (saver == nullptr) {
        std::printf("preparation failed\n");
        return 0;
    }
    std::printf("# sphere detail %dx%d windowed, camera %d, every overlay on, %d frames per row\n", width,
                height, camera, frames);
    std::printf("%-20s %9s %9s %9s\n", "detail", "planets'", "wall ms", "cpu ms");
    int original[BodyCount];
    for (int i = 0; i < BodyCount; ++i) {
        original[i] = saver->bodies[i].sphereDetail;
    }
    std::vector<std::vector<double>> blocks(SphereDetailCount + 1);
    std::vector<std::vector<double>> cpuBlocks(SphereDetailCount + 1);
    int bySize = 0;  // the planets' vertices of the last frame drawn by their size
    const int rounds = std::max(3, frames / 20);
    for (int round = 0; round < rounds; ++round) {
        for (int detail = -1; detail < SphereDetailCount; ++detail) {
            for (int i = 0; i < BodyCount; ++i) {
                saver->bodies[i].sphereDetail = detail < 0 ? original[i] : detail;
            }
            const FrameCost cost =
                MillisecondsPerFrame(screens, saver.get(), 0, frames / rounds, round * (frames / rounds + 2));
            blocks[detail + 1].push_back(cost.wall);
            cpuBlocks[detail + 1].push_back(cost.cpu);
            if (detail < 0) {
                bySize = 0;
                for (int i = 1; i < BodyCount; ++i) {
                    bySize += saver->sphereVertexCounts[saver->SphereDetailOnScreen(i)];
                }
            }
        }
    }
    for (int detail = -1; detail < SphereDetailCount; ++detail) {
        char name[32];
        int vertices = bySize;
        if (detail < 0) {
            std::snprintf(name, sizeof name, "by size");
        } else {
            vertices = (BodyCount - 1) * saver->sphereVertexCounts[detail];
            std::snprintf(name, sizeof name, "%d x %d", SphereSubdivisions[detail],
                          SphereSubdivisions[detail]);
        }
        std::printf("%-20s %9d %9.3f %9.3f\n", name, vertices, Percentile(blocks[detail + 1], 0.5),
                    Percentile(cpuBlocks[detail + 1], 0.5));
    }
    for (int i = 0; i < BodyCount; ++i) {
        saver->bodies[i].sphereDetail = original[i];
    }
    ReleaseSaver(*saver, screens);
    return 0;
}

// Every texture resource: both star sets, the nine surfaces, the halo, the glow and the ring.
constexpr int TextureIds[] = {IDR_STARS_POS_X,
                              IDR_STARS_NEG_X,
                              IDR_STARS_POS_Y,
                              IDR_STARS_NEG_Y,
                              IDR_STARS_POS_Z,
                              IDR_STARS_NEG_Z,
                              IDR_MORE_STARS_POS_X,
                              IDR_MORE_STARS_NEG_X,
                              IDR_MORE_STARS_POS_Y,
                              IDR_MORE_STARS_NEG_Y,
                              IDR_MORE_STARS_POS_Z,
                              IDR_MORE_STARS_NEG_Z,
                              IDR_PLUTO,
                              IDR_NEPTUNE,
                              IDR_URANUS,
                              IDR_SATURN,
                              IDR_JUPITER,
                              IDR_MARS,
                              IDR_EARTH,
                              IDR_VENUS,
                              IDR_MERCURY,
                              IDR_HALO,
                              IDR_SUN_GLOW,
                              IDR_RING};

// Decodes the 24 textures into textures of `device`, `runs` times: the median by the
// clock and the mean in CPU time of the process, in ms.
FrameCost DecodeMilliseconds(IDirect3DDevice8* device, int runs) {
    OrrerySaver saver;
    saver.activeDevice = device;
    std::vector<double> spent;
    const double cpuStart = ProcessCpuSeconds();
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        for (int id : TextureIds) {
            IDirect3DTexture8* texture = nullptr;
            saver.LoadResourceTexture(id, &texture);
            if (texture != nullptr) {
                texture->Release();
            }
        }
        spent.push_back((Now() - start) * 1000.0);
    }
    return {Percentile(spent, 0.5), (ProcessCpuSeconds() - cpuStart) * 1000.0 / runs};
}

// The parts of the path into memory textures, each over all 24 textures and timed apart:
// finding the resources, decoding them, and converting the pixels into texels of the
// format the texture gets (a buffer of the texture's size, as the texture's own memory).
struct DecodeParts {
    double lookup = 0, decoding = 0, conversion = 0;
};

DecodeParts DecodePartsMilliseconds(int runs) {
    std::vector<double> lookup, decoding, conversion;
    std::vector<uint8_t> texels;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        std::vector<std::pair<const uint8_t*, DWORD>> files;
        for (int id : TextureIds) {
            HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "DDS");
            const DWORD size = info != nullptr ? SizeofResource(nullptr, info) : 0;
            HGLOBAL handle = size != 0 ? LoadResource(nullptr, info) : nullptr;
            files.emplace_back(
                static_cast<const uint8_t*>(handle != nullptr ? LockResource(handle) : nullptr), size);
        }
        lookup.push_back((Now() - start) * 1000.0);
        start = Now();
        std::vector<DecodedImage> images(files.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            ImageFileKind kind;
            DecodeImageFile(files[i].first, files[i].second, &images[i], &kind);
        }
        decoding.push_back((Now() - start) * 1000.0);
        start = Now();
        for (const DecodedImage& image : images) {
            const TexelFormat format = image.hasAlpha ? TexelFormat::A8R8G8B8 : TexelFormat::X8R8G8B8;
            texels.resize(image.pixels.size() * 4);
            for (uint32_t y = 0; y < image.height; ++y) {
                ConvertPixelRow(&image.pixels[std::size_t{y} * image.width], image.width, format,
                                &texels[std::size_t{y} * image.width * 4]);
            }
        }
        conversion.push_back((Now() - start) * 1000.0);
    }
    return {Percentile(lookup, 0.5), Percentile(decoding, 0.5), Percentile(conversion, 0.5)};
}

int RunDecode(int runs) {
    std::printf("# decoding all %d textures from the executable's resources, %d runs: median by the clock,\n",
                static_cast<int>(sizeof TextureIds / sizeof TextureIds[0]), runs);
    std::printf("# mean CPU time of the process\n");
    std::printf("%-34s %9s %9s\n", "", "wall ms", "cpu ms");
    NullDevice nullDevice;
    const FrameCost memory = DecodeMilliseconds(&nullDevice, runs);
    std::printf("%-34s %9.2f %9.2f\n", "into memory textures", memory.wall, memory.cpu);
    const DecodeParts parts = DecodePartsMilliseconds(runs);
    std::printf("%-34s %9.2f\n", "  of which finding the resources", parts.lookup);
    std::printf("%-34s %9.2f\n", "  decoding", parts.decoding);
    std::printf("%-34s %9.2f\n", "  converting into texels", parts.conversion);
    RealScreens screens(320, 240, 1);
    if (screens.Ready()) {
        const FrameCost managed = DecodeMilliseconds(screens.Devices()[0], runs);
        std::printf("%-34s %9.2f %9.2f\n", "into managed textures of a device", managed.wall, managed.cpu);
    }
    return 0;
}

int RunEmpty(double seconds, int width, int height) {
    RealScreens screens(width, height, 1);
    if (!screens.Ready()) {
        std::printf("no Direct3D device\n");
        return 0;
    }
    const double end = Now() + seconds;
    while (Now() < end) {
        MillisecondsPerFrame(screens, nullptr, 0, 10);
        Sleep(10);
    }
    return 0;
}

// ---------------------------------------------------------------- start-up and memory, step by step

// This process's working set and peak working set in MB (under Wine: the Linux process's
// resident and peak resident memory).
struct Resident {
    double now = 0.0;
    double peak = 0.0;
};

Resident ResidentMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return {};
    }
    return {counters.WorkingSetSize / 1048576.0, counters.PeakWorkingSetSize / 1048576.0};
}

// Prints one step of the start: its time, and the memory after it.
class StartSteps {
public:
    StartSteps() : last_(Now()) {
        std::printf("%-44s %8s %9s %9s\n", "step", "ms", "RSS MB", "peak MB");
        const Resident resident = ResidentMegabytes();
        std::printf("%-44s %8s %9.1f %9.1f\n", "main() entered", "", resident.now, resident.peak);
    }
    void Done(const char* step) {
        const double now = Now();
        const Resident resident = ResidentMegabytes();
        std::printf("%-44s %8.1f %9.1f %9.1f\n", step, (now - last_) * 1000.0, resident.now, resident.peak);
        std::fflush(stdout);
        last_ = Now();
    }

private:
    double last_;
};

// Bytes of the objects a prepared screen holds, by kind, pool and format.
class HeldBytes {
public:
    // A texture with every level it has; its mipmaps are counted apart.
    void Add(IDirect3DTexture8* texture) {
        D3DSURFACE_DESC level = {};
        if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &level))) {
            return;
        }
        Count("texture", level.Pool, level.Format, level.Size);
        for (DWORD l = 1; l < texture->GetLevelCount(); ++l) {
            texture->GetLevelDesc(l, &level);
            Count("texture, mipmaps", level.Pool, level.Format, level.Size, l == 1);
        }
    }
    void Add(IDirect3DVertexBuffer8* buffer) {
        D3DVERTEXBUFFER_DESC desc = {};
        if (buffer != nullptr && SUCCEEDED(buffer->GetDesc(&desc))) {
            Count((desc.Usage & D3DUSAGE_DYNAMIC) != 0 ? "vertex buffer, dynamic" : "vertex buffer",
                  desc.Pool, D3DFMT_VERTEXDATA, desc.Size);
        }
    }
    void Print() const {
        std::printf("%-24s %-8s %-10s %6s %12s\n", "object", "pool", "format", "count", "bytes");
        unsigned long total = 0;
        for (const Row& row : rows_) {
            std::printf("%-24s %-8s %-10s %6d %12lu\n", row.kind.c_str(), PoolName(row.pool),
                        FormatName(row.format), row.count, row.bytes);
            total += row.bytes;
        }
        std::printf("%-24s %-8s %-10s %6s %12lu\n", "all", "", "", "", total);
    }

private:
    struct Row {
        std::string kind;
        D3DPOOL pool;
        D3DFORMAT format;
        int count;
        unsigned long bytes;
    };
    // `bytes` more of a kind of object; `another` counts one more object.
    void Count(const char* kind, D3DPOOL pool, D3DFORMAT format, UINT bytes, bool another = true) {
        for (Row& row : rows_) {
            if (row.kind == kind && row.pool == pool && row.format == format) {
                row.count += another ? 1 : 0;
                row.bytes += bytes;
                return;
            }
        }
        rows_.push_back({kind, pool, format, 1, bytes});
    }
    static const char* PoolName(D3DPOOL pool) {
        return pool == D3DPOOL_MANAGED ? "managed" : pool == D3DPOOL_DEFAULT ? "default" : "other";
    }
    static const char* FormatName(D3DFORMAT format) {
        switch (format) {
            case D3DFMT_X8R8G8B8:
                return "X8R8G8B8";
            case D3DFMT_A8R8G8B8:
                return "A8R8G8B8";
            case D3DFMT_A4R4G4B4:
                return "A4R4G4B4";
            case D3DFMT_VERTEXDATA:
                return "vertices";
            default:
                return "other";
        }
    }
    std::vector<Row> rows_;
};

HeldBytes ObjectsOf(const DeviceSceneObjects& objects) {
    HeldBytes held;
    for (IDirect3DTexture8* texture : objects.skyTextures) {
        held.Add(texture);
    }
    for (IDirect3DTexture8* texture : objects.bodyTextures) {
        held.Add(texture);
    }
    held.Add(objects.ringTexture);
    held.Add(objects.haloTexture);
    held.Add(objects.sunGlowTexture);
    for (const TextureFont* font :
         {objects.labelFont, objects.panelFont, objects.titleFont, objects.nameFont}) {
        held.Add(font != nullptr ? font->Texture() : nullptr);
        held.Add(font != nullptr ? font->VertexBuffer() : nullptr);
    }
    held.Add(objects.lineTexture);
    held.Add(objects.lineBuffer);
    held.Add(objects.skyBoxBuffer);
    held.Add(objects.starBuffer);
    held.Add(objects.quadBuffer);
    for (IDirect3DVertexBuffer8* buffer : objects.ringBuffers) {
        held.Add(buffer);
    }
    for (IDirect3DVertexBuffer8* buffer : objects.sphereBuffers) {
        held.Add(buffer);
    }
    return held;
}

// One screen's start as the saver makes it, timed and weighed step by step, in the order
// of PrepareDeviceObjects; then what the prepared screen holds.
int RunStart(int width, int height) {
    std::printf("# one screen's start step by step, %dx%d windowed, every overlay on\n", width, height);
    StartSteps steps;
    {
        // The first Direct3D object loads Wine's and Mesa's drivers; a second costs less.
        IDirect3D8* direct3d = CreateRealDirect3D();
        if (direct3d != nullptr) {
            direct3d->Release();
        }
        steps.Done("d3d8.dll and the first Direct3DCreate8");
        // Kept loaded, as the saver keeps it.
    }
    RealScreens screens(width, height, 1);
    if (!screens.Ready()) {
        std::printf("no Direct3D device\n");
        return 0;
    }
    steps.Done("window, Direct3DCreate8, CreateDevice");
    MillisecondsPerFrame(screens, nullptr, 0, 1);
    WaitForDrawing(screens.Devices()[0]);
    steps.Done("three empty frames (the floor's first frame)");

    OrrerySaver saver;
    saver.mode = SaverMode::Test;
    EveryOverlayOn(saver.settings, CameraAround, ArrangementRealWithPeriods);
    screens.Select(saver, 0);
    IDirect3DDevice8* device = screens.Devices()[0];
    device->SetRenderState(D3DRS_DITHERENABLE, TRUE);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    saver.BuildStaticGeometry();
    steps.Done("static geometry");
    saver.LoadSceneTextures();
    steps.Done("18 scene textures");
    saver.InitCatalogue();
    saver.UpdateBodyPositions();
    saver.UpdateDistanceLines();
    saver.BuildLineObjects();
    steps.Done("catalogue, orbits and the lines' edge");
    saver.sunLight = OrrerySaver::SunLightValues();
    device->SetLight(0, &saver.sunLight);
    saver.CreateFonts();
    steps.Done("four fonts");
    // The first frames, one drawing step more each time: a step's first draw is where
    // Wine and Mesa make its shaders and upload its textures. Reading the back buffer
    // waits until they are drawn.
    const struct {
        const char* name;
        unsigned bits;
    } added[] = {
        {"first frames: sky box", StepSky},
        {"  + stars", StepStars},
        {"  + halos", StepHalos},
        {"  + planets", StepPlanets},
        {"  + orbits and distance lines", StepOrbits | StepLines},
        {"  + rings", StepRings},
        {"  + glow", StepGlow},
        {"  + frame rate (2D text)", StepTexts | StepFrameRate},
        {"  + names (3D text)", StepNames},
        {"  + distance labels (the whole frame)", StepPanel | StepDistanceLabels},
    };
    unsigned skipped = 0;
    for (const auto& step : added) {
        skipped |= step.bits;
    }
    for (const auto& step : added) {
        skipped &= ~step.bits;
        MillisecondsPerFrame(screens, &saver, skipped, 1);
        WaitForDrawing(device);
        steps.Done(step.name);
    }
    MillisecondsPerFrame(screens, &saver, 0, 100);
    WaitForDrawing(device);
    steps.Done("102 more frames");

    std::printf("\n# what the prepared screen holds, as created\n");
    ObjectsOf(*saver.currentDevice).Print();
    saver.ReleaseDeviceObjects();
    steps.Done("all released");
    return 0;
}

int Number(char** argv, int argc, int index, int otherwise) {
    return index < argc ? std::atoi(argv[index]) : otherwise;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    const int camera = Number(argv, argc, 5, CameraAround);
    if (what == "cpu") {
        RunCpu(Number(argv, argc, 2, 2000));
    } else if (what == "vertices") {
        RunVertices(Number(argv, argc, 2, 1024), Number(argv, argc, 3, 768));
    } else if (what == "steps") {
        return RunSteps(Number(argv, argc, 2, 600), Number(argv, argc, 3, 400), Number(argv, argc, 4, 200),
                        camera);
    } else if (what == "screens") {
        return RunScreens(Number(argv, argc, 2, 600), Number(argv, argc, 3, 400), Number(argv, argc, 4, 200),
                          camera);
    } else if (what == "detail") {
        return RunDetail(Number(argv, argc, 2, 600), Number(argv, argc, 3, 400), Number(argv, argc, 4, 200),
                         camera);
    } else if (what == "decode") {
        return RunDecode(Number(argv, argc, 2, 5));
    } else if (what == "empty") {
        return RunEmpty(Number(argv, argc, 2, 5), Number(argv, argc, 3, 600), Number(argv, argc, 4, 400));
    } else if (what == "start") {
        return RunStart(Number(argv, argc, 2, 1024), Number(argv, argc, 3, 768));
    } else {
        std::fprintf(stderr,
                     "usage: scene_frame_bench cpu|vertices|steps|screens|detail|decode|empty|start ...\n");
        return 2;
    }
    return 0;
}
