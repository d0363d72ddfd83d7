// A soak of the lost-device path on a real Direct3D 8 device: the scene runs in its
// test window with every overlay on (and music, given a file), and every few seconds
// the device reports itself lost and is reset. Samples this process's working set, GDI
// and USER objects and kernel handles once a second; the soak script judges them.
//
//   reset_soak.exe [--bare|--no-reset] SECONDS [RESET_EVERY_MS] [MUSIC_FILE]
//
// The working set of such a process also holds what Wine and Mesa allocate to render
// and reset. To tell it from ours, --bare releases the scene's objects once and then
// only resets the same device (same window, same presentation) on the same schedule and
// clears and presents it every frame; --no-reset gives back and prepares the scene's
// objects again on that schedule without resetting the device.
//
// Prints "T WS GDI USER HANDLES OURS" per sample (the first five as e2e_helper sample
// does; OURS is the KiB that this program's own code holds through operator new, which
// is all it allocates), then "resets N frames F"; exits 1 when the saver fell into
// error mode or its device kept references after the scene gave back its objects.
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "scene/win32/orrery_saver.h"
#include "support/scripted_device_state.h"
#include "support/test_saver.h"

namespace {

// Bytes held through operator new; each block keeps its size in front of it.
std::atomic<long long> heldBytes{0};
constexpr std::size_t BlockHeader = 16;  // keeps the default alignment

void* CountedAllocate(std::size_t size) noexcept {
    auto* block = static_cast<unsigned char*>(std::malloc(size + BlockHeader));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &size, sizeof(size));
    heldBytes += static_cast<long long>(size);
    return block + BlockHeader;
}

void CountedFree(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    unsigned char* block = static_cast<unsigned char*>(pointer) - BlockHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof(size));
    heldBytes -= static_cast<long long>(size);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    void* pointer = CountedAllocate(size);
    if (pointer == nullptr) {
        throw std::bad_alloc();
    }
    return pointer;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    CountedFree(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    CountedFree(pointer);
}

namespace {

void PrintSample(DWORD elapsed) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    std::printf("%lu %lu %lu %lu %lu %lld\n", elapsed,
                static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), handles, heldBytes.load() / 1024);
    std::fflush(stdout);
}

enum class SoakPart { Whole, BareDevice, PreparationOnly };

// One frame of the bare device: a reset when it is due (counted by the scripted
// state), then a cleared frame.
void BareFrame(OrrerySaver& saver, bool resetDue) {
    ScreenDevice& screen = saver.screenDevices[0];
    if (resetDue && FAILED(screen.device->Reset(&screen.presentParams))) {
        saver.errorMode = TRUE;
        return;
    }
    screen.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    screen.device->Present(nullptr, nullptr, nullptr, nullptr);
}

// One frame of the scene; when due, its objects are given back and prepared again
// without a reset of the device.
void PreparationFrame(OrrerySaver& saver, bool prepareDue) {
    if (prepareDue) {
        saver.SwitchToScreenDevice(0);
        saver.ReleaseDeviceObjects();
        if (FAILED(saver.PrepareDeviceObjects())) {
            saver.errorMode = TRUE;
            return;
        }
        ++ScriptedDeviceState::resets;
    }
    saver.RenderAllScreens();
}

// The device's reference count once the scene has given back its objects: each object
// of the device holds a reference to it, so anything above the saver's own one is an
// object that a reset left behind.
ULONG DeviceReferencesWithoutObjects(OrrerySaver& saver) {
    ScreenDevice& screen = saver.screenDevices[0];
    if (screen.device == nullptr) {
        return 1;
    }
    saver.SwitchToScreenDevice(0);
    if (screen.objectsPrepared) {
        saver.ReleaseDeviceObjects();
        screen.objectsPrepared = FALSE;
    }
    screen.device->AddRef();
    return screen.device->Release();
}

}  // namespace

int main(int argc, char** argv) {
    SoakPart part = SoakPart::Whole;
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) {
        part = SoakPart::BareDevice;
    } else if (argc > 1 && std::strcmp(argv[1], "--no-reset") == 0) {
        part = SoakPart::PreparationOnly;
    }
    if (part != SoakPart::Whole) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: reset_soak [--bare|--no-reset] SECONDS [RESET_EVERY_MS] [MUSIC_FILE]\n");
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
        if (part == SoakPart::BareDevice) {
            saver.SwitchToScreenDevice(0);
            saver.ReleaseDeviceObjects();
            saver.screenDevices[0].objectsPrepared = FALSE;
        }
        const DWORD start = GetTickCount();
        DWORD nextSample = 0;
        DWORD nextReset = resetEvery;
        for (DWORD now = 0; now <= total && !saver.errorMode; now = GetTickCount() - start) {
            if (now >= nextSample) {
                PrintSample(now);
                nextSample = now + 1000;  // a slow frame skips samples rather than bunching them
            }
            const bool due = now >= nextReset;
            if (due) {
                nextReset += resetEvery;
            }
            if (part == SoakPart::BareDevice) {
                BareFrame(saver, due);
            } else if (part == SoakPart::PreparationOnly) {
                PreparationFrame(saver, due);
            } else {
                ScriptedDeviceState::cooperativeLevel = due ? D3DERR_DEVICENOTRESET : D3D_OK;
                saver.RenderAllScreens();
            }
            PumpMessages();
            ++frames;
        }
        resets = ScriptedDeviceState::resets;
    }
    const bool failed = saver.errorMode != FALSE;
    const ULONG references = DeviceReferencesWithoutObjects(saver);
    saver.ReleaseScreenDevices();
    DestroyWindow(saver.mainWindow);
    PumpMessages();
    std::printf("resets %d frames %ld\n", resets, frames);
    if (failed) {
        std::fprintf(stderr, "error mode after %d resets\n", resets);
    }
    if (references != 1) {
        std::fprintf(stderr,
                     "after %d resets the device has %lu references once the scene gave back its objects\n",
                     resets, static_cast<unsigned long>(references));
    }
    return failed || references != 1 ? 1 : 0;
}
