#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "audio/win32/music_player.h"
#include "support/failing_creations.h"
#include "support/fake_direct3d.h"
#include "framework/status_codes.h"
#include "scene/win32/orrery_saver.h"
#include "support/test_saver.h"

namespace {

// Every resource failing in turn: a whole full-screen run on two screens — start-up,
// preparation of both, a frame, a lost-device reset of both, another frame, teardown —
// is repeated once for every creation it makes, failing that one. Each run must end in
// a defined state (running, or error mode with its message, or the object's slot null
// and its drawing skipped), give every object back and crash nowhere.

const char testRegistryPath[] = "Software\\Nebulart\\Tests\\FailureInjection";

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

bool RecordIsEmpty(const DeviceSceneObjects& objects) {
    const DeviceSceneObjects empty = {};
    return std::memcmp(&objects, &empty, sizeof(empty)) == 0;
}

class InjectedSaver final : public OrrerySaver {
public:
    explicit InjectedSaver(IDirect3D8* standIn) : standIn_(standIn) {}

protected:
    IDirect3D8* CreateDirect3D() override {
        standIn_->AddRef();
        return standIn_;
    }

private:
    IDirect3D8* standIn_;
};

// A second monitor like the first, with a saver window of its own: the full-screen run
// then makes and prepares a device for each.
void AddSecondMonitor(SaverBase& saver) {
    saver.monitors[1] = saver.monitors[0];
    const RECT& r = saver.monitors[1].screenRect;
    saver.monitors[1].window = CreateWindowExA(WS_EX_TOPMOST, SaverWindowClassName, "second", WS_POPUP,
                                               r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                                               nullptr, GetModuleHandleA(nullptr), nullptr);
    saver.monitorCount = 2;
}

struct RunOutcome {
    int creations = 0;
    std::vector<std::string> kinds;
    std::string state;  // how the run stood before its teardown
};

std::string StateOf(const SaverBase& saver, bool afterReset) {
    if (!saver.errorMode) {
        return "running";
    }
    if (afterReset) {
        return "error mode after the reset";
    }
    return saver.errorCode == ErrCreateDeviceFailed ? "error mode: no device"
                                                    : "error mode: no device objects";
}

// One whole run failing creation number `failAt` (0: none). Checks as it goes.
RunOutcome RunFailing(int failAt) {
    const std::string trace = "failing creation " + std::to_string(failAt);
    SCOPED_TRACE(trace);
    // The one adapter the runs see; every device it makes is watched, and kept by one
    // reference of the test's own so that the device's count can be read after the run.
    FakeDirect3D direct3d;
    direct3d.modes = {D3DDISPLAYMODE{800, 600, 60, D3DFMT_X8R8G8B8},
                      D3DDISPLAYMODE{640, 480, 60, D3DFMT_R5G6B5}};
    std::vector<IDirect3DDevice8*> devices;
    RunOutcome outcome;
    {
        FailingCreations creations;
        FailingCreations::failAt = failAt;
        direct3d.creationPolicy = [](const D3DPRESENT_PARAMETERS&) {
            return FailingCreations::Next("device") ? D3DERR_OUTOFVIDEOMEMORY : D3D_OK;
        };
        direct3d.deviceMade = [&](IDirect3DDevice8* device) {
            creations.Watch(device);
            device->AddRef();
            devices.push_back(device);
        };
        InjectedSaver saver(&direct3d);
        std::strcpy(saver.registryPath, testRegistryPath);
        EXPECT_EQ(saver.StartupWithCommandLine(GetModuleHandleA(nullptr), "ssaver.scr /s"), S_OK);
        EXPECT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
        saver.settings.names = saver.settings.fps = saver.settings.distances = saver.settings.trajectories =
            1;
        saver.settings.audio = saver.settings.customAudio = 1;
        std::strcpy(saver.settings.audioPath, "C:\\no such folder\\missing.mp3");
        AddSecondMonitor(saver);

        saver.CreateScreenDevices();
        bool reset = false;
        if (saver.errorMode) {
            EXPECT_TRUE(saver.errorCode == ErrDeviceObjectsFailed || saver.errorCode == ErrCreateDeviceFailed)
                << std::hex << saver.errorCode;
        } else {
            EXPECT_EQ(saver.screenDeviceCount, 2u);
        }
        // A screen whose preparation failed holds nothing of it; the others are ready.
        for (DWORD i = 0; i < saver.screenDeviceCount; ++i) {
            if (!saver.screenDevices[i].objectsPrepared) {
                EXPECT_TRUE(saver.errorMode);
                EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[i]))
                    << "screen " << i << " keeps part of its objects";
            }
        }
        if (!saver.errorMode) {
            saver.RenderAllScreens();
            creations.LoseDevices();
            reset = true;
            saver.RenderAllScreens();  // both devices reset and prepared again,
            saver.RenderAllScreens();  // or once more after a failed Reset
            for (DWORD i = 0; i < saver.screenDeviceCount; ++i) {
                if (!saver.screenDevices[i].objectsPrepared) {
                    EXPECT_TRUE(saver.errorMode) << "screen " << i;
                    EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[i]))
                        << "screen " << i << " after the reset";
                }
            }
            saver.RenderAllScreens();
        }
        EXPECT_TRUE(saver.musicPlayer == nullptr || saver.musicPlayer->state() == MusicPlayer::State::Empty)
            << "a missing file plays nothing";
        outcome.state = StateOf(saver, reset);

        saver.ReleaseScreenDevices();
        for (int i = 0; i < DeviceRecordCount; ++i) {
            EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[i])) << "record " << i << " after teardown";
        }
        EXPECT_EQ(saver.musicPlayer, nullptr) << "the player goes with the device objects";
        for (DWORD i = 0; i < saver.monitorCount; ++i) {
            if (saver.monitors[i].window != nullptr && IsWindow(saver.monitors[i].window)) {
                DestroyWindow(saver.monitors[i].window);
            }
        }
        PumpMessages();
        outcome.creations = FailingCreations::count;
        outcome.kinds = FailingCreations::kinds;
    }
    for (IDirect3DDevice8* device : devices) {
        EXPECT_EQ(References(device), 1u) << "a device outlived its run, held by what was made on it";
        device->Release();
    }
    EXPECT_EQ(direct3d.references, 1u) << "Direct3D given back";
    return outcome;
}

// How many of the creations to fail: all by default; FAILURE_INJECTION_STRIDE=k fails
// every k-th one (and the last), for a quicker pass.
int Stride() {
    const char* text = std::getenv("FAILURE_INJECTION_STRIDE");
    const int stride = text != nullptr ? std::atoi(text) : 1;
    return stride > 0 ? stride : 1;
}

TEST(FailureInjection, EveryCreationOfAWholeRunFailsInTurn) {
    const RunOutcome clean = RunFailing(0);
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(clean.state, "running") << "the run without a failure goes through its reset";
    // What the run makes: both devices, their vertex buffers, textures, the fonts' state
    // blocks, both resets and the music's graph, each at least once.
    for (const char* kind : {"device", "vertex buffer", "texture", "state block", "Reset", "filter graph"}) {
        int seen = 0;
        for (const std::string& made : clean.kinds) {
            seen += made == kind ? 1 : 0;
        }
        EXPECT_GT(seen, 0) << kind;
    }
    std::printf("[ figure ] %d creations in a whole run\n", clean.creations);
    const int stride = Stride();
    std::vector<int> failing;
    for (int n = 1; n <= clean.creations; n += stride) {
        failing.push_back(n);
    }
    if (failing.empty() || failing.back() != clean.creations) {
        failing.push_back(clean.creations);
    }
    std::map<std::string, int> states;
    for (int n : failing) {
        const RunOutcome failed = RunFailing(n);
        ++states[clean.kinds[n - 1] + " -> " + failed.state];
        std::printf("creation %d, a %s, failed: %s\n", n, clean.kinds[n - 1].c_str(), failed.state.c_str());
        std::fflush(stdout);
        EXPECT_GE(failed.creations, n) << "creation " << n << " was never reached";
        if (HasFailure()) {
            std::printf("first failure at creation %d, a %s\n", n, clean.kinds[n - 1].c_str());
            break;
        }
    }
    for (const auto& state : states) {
        std::printf("[ figure ] %3d runs: failed %s\n", state.second, state.first.c_str());
    }
}

}  // namespace
