#pragma once

#include <windows.h>

#include "framework/saver_base.h"

// A saver for tests: counts the hooks that show how a run ends, and lets a test start it
// with a command line of its choice.
class TestSaver : public SaverBase {
public:
    int cleanups = 0;
    int frames = 0;

    HRESULT CleanupOnce() override {
        ++cleanups;
        return S_OK;
    }
    HRESULT AdvanceFrame() override {
        ++frames;
        return S_OK;
    }

    HRESULT Start(const char* commandLine) {
        return StartupWithCommandLine(GetModuleHandleA(nullptr), commandLine);
    }

    bool Ended() const { return cleanups > 0; }

    // Destroys every window the run created, as the end of the process would.
    void DestroyWindows() {
        for (DWORD i = 0; i < monitorCount; ++i) {
            if (monitors[i].window != nullptr && IsWindow(monitors[i].window)) {
                DestroyWindow(monitors[i].window);
            }
            monitors[i].window = nullptr;
        }
        mainWindow = nullptr;
    }
};

// Dispatches everything waiting in the thread's queue; true when a WM_QUIT was among it.
inline bool PumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}
