// A soak of the lost-device path on a real Direct3D 8 device: the scene runs in its
// test window with every overlay on (and music, given a file), and every few seconds
// the device reports itself lost and is reset. Samples this process's working set, GDI
// and USER objects and kernel handles once a second; the soak script judges them.
//
//   reset_soak.exe SECONDS [RESET_EVERY_MS] [MUSIC_FILE]
//
// Prints "T WS GDI USER HANDLES" per sample (as e2e_helper sample does), then
// "resets N frames F"; exits 1 when the saver fell into error mode.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scene/orrery_saver.h"
#include "scripted_device_state.h"
#include "support/test_saver.h"

namespace {

void PrintSample(DWORD elapsed) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    std::printf("%lu %lu %lu %lu %lu\n", elapsed, static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), handles);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: reset_soak SECONDS [RESET_EVERY_MS] [MUSIC_FILE]\n");
        return 2;
    }
    const DWORD total = static_cast<DWORD>(std::atoi(argv[1])) * 1000;
    const DWORD resetEvery = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 3000;

    OrrerySaver saver;
    if (saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /t") != S_OK || saver.errorMode) {
        std::fprintf(stderr, "no start: %08lx\n", static_cast<unsigned long>(saver.errorCode));
        return 1;
    }
    saver.settings.cameraSettings = CameraPlanetView;  // the information panel too
    saver.settings.names = saver.settings.fps = saver.settings.distances = saver.settings.trajectories = 1;
    saver.settings.audio = saver.settings.customAudio = argc > 3 ? 1 : 0;
    if (argc > 3) {
        std::strncpy(saver.settings.audioPath, argv[3], sizeof(saver.settings.audioPath) - 1);
    }
    saver.CreateScreenDevices();
    if (saver.errorMode || saver.screenDeviceCount != 1) {
        std::fprintf(stderr, "no device: %08lx\n", static_cast<unsigned long>(saver.errorCode));
        return 1;
    }

    int resets = 0;
    long frames = 0;
    {
        ScriptedDeviceState state(saver.screenDevices[0].device);
        const DWORD start = GetTickCount();
        DWORD nextSample = 0;
        DWORD nextReset = resetEvery;
        for (DWORD now = 0; now <= total && !saver.errorMode; now = GetTickCount() - start) {
            if (now >= nextSample) {
                PrintSample(now);
                nextSample = now + 1000;  // a slow frame skips samples rather than bunching them
            }
            ScriptedDeviceState::cooperativeLevel = now >= nextReset ? D3DERR_DEVICENOTRESET : D3D_OK;
            if (now >= nextReset) {
                nextReset += resetEvery;
            }
            saver.RenderAllScreens();
            PumpMessages();
            ++frames;
        }
        resets = ScriptedDeviceState::resets;
    }
    const bool failed = saver.errorMode != FALSE;
    saver.ReleaseScreenDevices();
    DestroyWindow(saver.mainWindow);
    PumpMessages();
    std::printf("resets %d frames %ld\n", resets, frames);
    if (failed) {
        std::fprintf(stderr, "error mode after %d resets\n", resets);
    }
    return failed ? 1 : 0;
}
