#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/fake_direct3d.h"
#include "framework/mode_selection.h"
#include "framework/win32/device_kind_modes.h"
#include "framework/win32/monitor_dpi.h"
#include "framework/win32/multi_monitor_api.h"
#include "framework/win32/saver_base.h"
#include "support/test_registry_key.h"
#include "support/test_saver.h"
#include "framework/status_codes.h"

namespace {

const char testRegistryPath[] = "Software\\Nebulart\\Screensavers\\CelestraDeviceTests";

// Counts the application hooks; uses `fake` instead of the real Direct3D when set.

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Ends a run started by a test: devices and Direct3D released, windows gone.
void Finish(SaverBase& saver) {
    saver.ReleaseScreenDevices();
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        if (saver.monitors[i].window != nullptr && IsWindow(saver.monitors[i].window)) {
            DestroyWindow(saver.monitors[i].window);
        }
    }
    PumpMessages();
}

D3DDISPLAYMODE Mode(UINT width, UINT height, D3DFORMAT format) {
    return D3DDISPLAYMODE{width, height, 60, format};
}

// The x87 unit's control word, whose precision the 32-bit build's doubles have: 0 in its
// precision bits means single precision, 0x200 double, 0x300 extended.
constexpr unsigned X87PrecisionBits = 0x300;
constexpr unsigned X87DoublePrecision = 0x200;
unsigned X87ControlWord() {
    unsigned short word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

bool ReadDword(HKEY key, const char* name, DWORD* value) {
    DWORD size = sizeof(*value);
    DWORD type = 0;
    return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

TEST(DeviceEnumeration, CataloguesTheWineAdapter) {
    TestSaver saver;
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /t"), S_OK);
    ASSERT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
    EXPECT_EQ(saver.settingsLoads, 1) << "settings are read after enumeration";
    ASSERT_GE(saver.adapterCount, 1u);
    const AdapterRecord& adapter = *saver.adapters[0];
    EXPECT_TRUE(adapter.hasHardware);
    EXPECT_TRUE(adapter.hasUsableHardware);
    EXPECT_EQ(saver.monitors[0].adapterIndex, 0u);
    EXPECT_EQ(adapter.monitorIndex, 0u);
    EXPECT_GT(std::strlen(adapter.identifier.Description), 0u);

    // Wine answers for the software type as for the HAL; the reference rasteriser is
    // never probed unless allowed.
    ASSERT_GE(adapter.deviceKindCount, 1u);
    for (DWORD k = 0; k < adapter.deviceKindCount; ++k) {
        EXPECT_NE(adapter.deviceKinds[k].deviceType, D3DDEVTYPE_REF);
    }
    const DeviceKindRecord& kind = adapter.deviceKinds[0];
    EXPECT_EQ(kind.deviceType, D3DDEVTYPE_HAL);
    EXPECT_STREQ(kind.kindName, "HAL");
    EXPECT_TRUE(kind.canRenderWindowed);
    ASSERT_GT(kind.modeCount, 0u);
    for (DWORD m = 0; m < kind.modeCount; ++m) {
        const ModeRecord& mode = kind.modes[m];
        EXPECT_GE(mode.width, 640u);
        EXPECT_GE(mode.height, 400u);
        EXPECT_NE(mode.behaviour, 0u);
        EXPECT_EQ(mode.depthStencilFormat, D3DFMT_D16) << "the smallest depth buffer that will do";
        if (m > 0) {
            const ModeRecord& previous = kind.modes[m - 1];
            const bool ordered = previous.width < mode.width ||
                                 (previous.width == mode.width && previous.height < mode.height) ||
                                 (previous.width == mode.width && previous.height == mode.height &&
                                  previous.format > mode.format);
            EXPECT_TRUE(ordered) << "mode " << m << " " << mode.width << "x" << mode.height << " "
                                 << mode.format;
        }
    }
    // The default mode is a 640 x 480 one when the display offers that size (a plain
    // Xvfb screen offers its own size only), else the first.
    bool has640By480 = false;
    for (DWORD m = 0; m < kind.modeCount; ++m) {
        has640By480 = has640By480 || (kind.modes[m].width == 640 && kind.modes[m].height == 480);
    }
    ASSERT_LT(kind.currentMode, kind.modeCount);
    if (has640By480) {
        EXPECT_EQ(kind.modes[kind.currentMode].width, 640u);
        EXPECT_EQ(kind.modes[kind.currentMode].height, 480u);
    } else {
        EXPECT_EQ(kind.currentMode, 0u);
    }
    std::printf("%lu modes, first %lux%lu format %d, desktop %ux%u format %d: %s\n",
                static_cast<unsigned long>(kind.modeCount), static_cast<unsigned long>(kind.modes[0].width),
                static_cast<unsigned long>(kind.modes[0].height), static_cast<int>(kind.modes[0].format),
                adapter.desktopMode.Width, adapter.desktopMode.Height,
                static_cast<int>(adapter.desktopMode.Format), adapter.identifier.Description);
    Finish(saver);
}

TEST(DeviceCreation, TestWindowGetsAWindowedDeviceAndRendersThroughTheHooks) {
    TestSaver saver;
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /t"), S_OK);
    ASSERT_FALSE(saver.errorMode);
    saver.CreateScreenDevices();
    EXPECT_GE(X87ControlWord() & X87PrecisionBits, X87DoublePrecision) << "doubles are not rounded to floats";
    ASSERT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
    ASSERT_EQ(saver.screenDeviceCount, 1u);
    const ScreenDevice& screen = saver.screenDevices[0];
    ASSERT_NE(screen.device, nullptr);
    EXPECT_TRUE(saver.windowed);
    EXPECT_TRUE(screen.presentParams.Windowed);
    EXPECT_EQ(screen.presentParams.hDeviceWindow, saver.mainWindow);
    EXPECT_EQ(screen.presentParams.SwapEffect, D3DSWAPEFFECT_COPY);
    EXPECT_TRUE(screen.presentParams.EnableAutoDepthStencil);
    EXPECT_EQ(screen.deviceType, D3DDEVTYPE_HAL);
    EXPECT_TRUE(screen.objectsCreated);
    EXPECT_TRUE(screen.objectsPrepared);
    EXPECT_EQ(saver.created, 1);
    EXPECT_EQ(saver.prepared, 1);
    const std::string stats = screen.deviceStats;
    EXPECT_EQ(stats.rfind("HAL (", 0), 0u) << stats;
    EXPECT_NE(stats.find("): "), std::string::npos) << stats;
    EXPECT_EQ(saver.renderTotal.right - saver.renderTotal.left, 600);
    EXPECT_EQ(saver.renderTotal.bottom - saver.renderTotal.top, 400);

    for (int i = 0; i < 3; ++i) {
        saver.RenderAllScreens();
    }
    EXPECT_EQ(saver.rendered, 3);
    EXPECT_EQ(saver.backBufferDesc.Width, 600u);
    EXPECT_EQ(saver.backBufferDesc.Height, 400u);
    EXPECT_STREQ(saver.deviceStats, screen.deviceStats);

    DestroyWindow(saver.mainWindow);  // ends a test run
    PumpMessages();
    EXPECT_EQ(saver.released, 1);
    EXPECT_EQ(saver.destroyed, 1);
    EXPECT_EQ(saver.screenDeviceCount, 0u);
    EXPECT_EQ(saver.screenDevices[0].device, nullptr);
    EXPECT_EQ(saver.direct3d, nullptr);
}

TEST(DeviceCreation, RefusedFullScreenModeFallsBackAndIsRemembered) {
    RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
    FakeDirect3D fake;
    const D3DDISPLAYMODE fastDesktop = {1024, 768, 144, D3DFMT_X8R8G8B8};
    fake.modes = {Mode(1024, 768, D3DFMT_X8R8G8B8), fastDesktop, Mode(1024, 768, D3DFMT_R5G6B5)};
    fake.desktopModes = {fastDesktop};
    fake.creationPolicy = [](const D3DPRESENT_PARAMETERS& p) {
        return p.BackBufferFormat == D3DFMT_X8R8G8B8 ? D3DERR_NOTAVAILABLE : S_OK;
    };
    {
        TestSaver saver(&fake);
        std::strcpy(saver.registryPath, testRegistryPath);
        ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
        ASSERT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
        saver.CreateScreenDevices();
        EXPECT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
        ASSERT_EQ(fake.creationRequests.size(), 2u);
        EXPECT_EQ(fake.creationRequests[0].BackBufferFormat, D3DFMT_X8R8G8B8)
            << "the desktop size, 32-bit, first";
        EXPECT_EQ(fake.creationRequests[1].BackBufferFormat, D3DFMT_R5G6B5);
        EXPECT_EQ(fake.creationRequests[1].BackBufferWidth, 1024u);
        EXPECT_FALSE(fake.creationRequests[1].Windowed);
        EXPECT_EQ(fake.creationRequests[1].FullScreen_PresentationInterval, D3DPRESENT_INTERVAL_ONE);
        EXPECT_EQ(fake.creationRequests[0].FullScreen_RefreshRateInHz, 144u) << "the desktop's own rate";
        EXPECT_EQ(fake.creationRequests[1].FullScreen_RefreshRateInHz, 0u) << "the default, in another mode";
        EXPECT_EQ(fake.creationBehaviours[1] & D3DCREATE_FPU_PRESERVE, DWORD{D3DCREATE_FPU_PRESERVE});
        ASSERT_EQ(saver.screenDeviceCount, 1u);
        EXPECT_EQ(saver.adapters[0]->preferredWidth, 1024u);
        EXPECT_EQ(saver.adapters[0]->preferredFormat, D3DFMT_R5G6B5);
        EXPECT_EQ(std::string(saver.screenDevices[0].deviceStats), "HAL (hw vp): Invented Graphics 3000");
        Finish(saver);
    }
    EXPECT_EQ(fake.references, 1u) << "Direct3D released once by its owner";

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(testRegistryPath) + "\\Screen 1").c_str(), 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD width = 0, height = 0, format = 0;
    EXPECT_TRUE(ReadDword(key, "Width", &width));
    EXPECT_TRUE(ReadDword(key, "Height", &height));
    EXPECT_TRUE(ReadDword(key, "Format", &format));
    EXPECT_EQ(width, 1024u);
    EXPECT_EQ(height, 768u);
    EXPECT_EQ(format, 23u);
    GUID stored = {};
    DWORD size = sizeof(stored);
    EXPECT_EQ(RegQueryValueExA(key, "Adapter ID", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 16u);
    EXPECT_TRUE(IsEqualGUID(stored, fake.deviceIdentifier));
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
}

// A 4K monitor with the driver's extra sizes lists more modes than are kept, 16-bit ones
// first: the desktop's own mode, and the one stored for the screen, are kept all the same.
TEST(DeviceCreation, TheDesktopsAndTheStoredModeOutliveALongModeList) {
    TestRegistryKey key;
    FakeDirect3D fake;
    for (const D3DFORMAT format : {D3DFMT_R5G6B5, D3DFMT_X8R8G8B8}) {
        for (UINT i = 0; i < 60; ++i) {
            fake.modes.push_back(Mode(640 + 32 * i, 480 + 18 * i, format));
        }
    }
    const D3DDISPLAYMODE stored = fake.modes[110], desktop = fake.modes.back();
    fake.desktopModes = {desktop};
    key.SetDword("Width", stored.Width, "Screen 1");
    key.SetDword("Height", stored.Height, "Screen 1");
    key.SetDword("Format", stored.Format, "Screen 1");
    TestSaver saver(&fake);
    std::strcpy(saver.registryPath, key.path().c_str());
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
    DisplayMode kept[MaxModesPerKind];
    const DWORD count = DisplayModesOf(saver.adapters[0]->deviceKinds[0], kept);
    EXPECT_EQ(count, 100u);
    EXPECT_NE(PreferredModeIndex(kept, count, stored.Width, stored.Height, stored.Format), NoModeIndex);
    saver.CreateScreenDevices();
    const D3DPRESENT_PARAMETERS& first = fake.creationRequests.at(0);
    EXPECT_EQ(first.BackBufferWidth, desktop.Width);
    EXPECT_EQ(first.BackBufferHeight, desktop.Height);
    EXPECT_EQ(first.BackBufferFormat, desktop.Format);
    Finish(saver);
}

TEST(DeviceCreation, ScreenWhoseEveryModeIsRefusedShowsTheCreationError) {
    RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
    FakeDirect3D fake;
    fake.modes = {Mode(640, 480, D3DFMT_R5G6B5), Mode(800, 600, D3DFMT_X8R8G8B8),
                  Mode(800, 600, D3DFMT_R5G6B5)};
    fake.desktopModes = {Mode(800, 600, D3DFMT_X8R8G8B8)};
    fake.creationPolicy = [](const D3DPRESENT_PARAMETERS&) { return D3DERR_OUTOFVIDEOMEMORY; };
    TestSaver saver(&fake);
    std::strcpy(saver.registryPath, testRegistryPath);
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
    saver.CreateScreenDevices();
    EXPECT_TRUE(saver.errorMode);
    EXPECT_EQ(saver.errorCode, ErrCreateDeviceFailed);
    EXPECT_EQ(saver.screenDeviceCount, 0u);
    EXPECT_EQ(saver.created, 0) << "no device objects without a device";
    ASSERT_EQ(fake.creationRequests.size(), 3u) << "800x600x32, 800x600x16, 640x480x16";
    EXPECT_EQ(fake.creationRequests[2].BackBufferWidth, 640u);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, testRegistryPath, 0, KEY_READ, &key), ERROR_SUCCESS)
        << "nothing is remembered when no mode worked";
    Finish(saver);
}

// The run may end while a device is created (activation lost as the display changes):
// nothing more is created on the released Direct3D object, whether that creation failed
// (and a smaller mode would be tried next) or succeeded.
TEST(DeviceCreation, NothingIsCreatedOnceTheRunHasEnded) {
    for (const HRESULT answer : {D3DERR_NOTAVAILABLE, S_OK}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
        FakeDirect3D fake;
        fake.modes = {Mode(1024, 768, D3DFMT_X8R8G8B8), Mode(800, 600, D3DFMT_X8R8G8B8)};
        TestSaver saver(&fake);
        std::strcpy(saver.registryPath, testRegistryPath);
        ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
        fake.creationPolicy = [&saver, answer](const D3DPRESENT_PARAMETERS&) {
            saver.EndSaver("the test ends it");
            return answer;
        };
        saver.CreateScreenDevices();
        EXPECT_EQ(fake.creationRequests.size(), 1u) << std::hex << answer;
        EXPECT_FALSE(fake.releasedInsideCreateDevice) << "Direct3D outlives its own call";
        EXPECT_EQ(saver.screenDeviceCount, 0u);
        EXPECT_EQ(saver.screenDevices[0].device, nullptr) << "a device made as the run ended is released";
        EXPECT_EQ(saver.prepared, 0);
        EXPECT_FALSE(saver.errorMode) << "an ended run is no error";
        Finish(saver);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
}

// The ways a full-screen run really ends: a key at its first frame, as a user ends it; a
// quit it did not post at its first frame, as a failed music start does; and a key while
// it shows that no device could be made.
enum class Ending { KeyAtFirstFrame, UnplannedQuit, KeyAfterFailedDevice };

BOOL SystemSaysASaverRuns() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running;
}

class SaverEnding : public TestSaver {
public:
    SaverEnding(IDirect3D8* direct3d, Ending ending) : TestSaver(direct3d), ending_(ending) {}

    BOOL runningBeforeTheEnd = FALSE;

    HRESULT AdvanceFrame() override {
        TestSaver::AdvanceFrame();
        if (frames == 1) {
            EndNow();
        }
        return S_OK;
    }
    void EndNow() {
        runningBeforeTheEnd = SystemSaysASaverRuns();
        if (ending_ == Ending::UnplannedQuit) {
            PostQuitMessage(0);
        } else {
            SendMessageA(mainWindow, WM_KEYDOWN, VK_SPACE, 0);
        }
    }

private:
    Ending ending_;
};

SaverEnding* endingOnTimer = nullptr;

void CALLBACK EndOnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    endingOnTimer->EndNow();
}

TEST(SaverRun, TheSystemKnowsASaverRunsOnlyWhileItDoes) {
    for (const Ending ending :
         {Ending::KeyAtFirstFrame, Ending::UnplannedQuit, Ending::KeyAfterFailedDevice}) {
        const int row = static_cast<int>(ending);
        RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
        FakeDirect3D fake;
        fake.modes = {Mode(1024, 768, D3DFMT_X8R8G8B8)};
        if (ending == Ending::KeyAfterFailedDevice) {
            fake.creationPolicy = [](const D3DPRESENT_PARAMETERS&) { return D3DERR_OUTOFVIDEOMEMORY; };
        }
        SaverEnding saver(&fake, ending);
        std::strcpy(saver.registryPath, testRegistryPath);
        ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
        UINT scratch = 0;
        SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &scratch, 0);
        if (ending == Ending::KeyAfterFailedDevice) {
            endingOnTimer = &saver;
            SetTimer(saver.mainWindow, 11, 300, EndOnTimer);
        }

        EXPECT_EQ(saver.RunSaver(), S_OK);
        EXPECT_TRUE(saver.Ended()) << row;
        EXPECT_TRUE(saver.runningBeforeTheEnd) << row;
        EXPECT_FALSE(SystemSaysASaverRuns()) << row;
        EXPECT_EQ(saver.released, saver.prepared) << row;
        EXPECT_EQ(saver.direct3d, nullptr) << row;
        if (ending == Ending::KeyAfterFailedDevice) {
            EXPECT_TRUE(saver.errorMode);
            EXPECT_EQ(saver.frames, 0) << "no scene without a device";
        }
        Finish(saver);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, testRegistryPath);
}

TEST(DeviceEnumeration, AdapterWithoutUsableDevicesIsAnError) {
    FakeDirect3D fake;
    fake.modes = {Mode(640, 480, D3DFMT_R5G6B5)};
    fake.halAvailable = false;
    TestSaver saver(&fake);
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /c"), S_OK);
    EXPECT_TRUE(saver.errorMode);
    EXPECT_EQ(saver.errorCode, ErrNoCompatibleDevices);
    EXPECT_EQ(saver.settingsLoads, 0) << "settings are not read without a usable device";
    EXPECT_EQ(saver.adapterCount, 1u);
    EXPECT_EQ(saver.adapters[0]->deviceKindCount, 0u);
    Finish(saver);
}

TEST(DeviceDescription, UnterminatedAdapterNameStaysInItsFields) {
    FakeDirect3D fake;
    fake.modes = {Mode(1024, 768, D3DFMT_X8R8G8B8)};
    std::memset(fake.description, 'N', sizeof(fake.description));  // no terminator at all
    TestSaver saver(&fake);
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /t"), S_OK);
    ASSERT_FALSE(saver.errorMode);
    EXPECT_EQ(std::strlen(saver.adapters[0]->identifier.Description), sizeof(fake.description) - 1);
    saver.CreateScreenDevices();
    ASSERT_EQ(saver.screenDeviceCount, 1u);
    const std::string stats = saver.screenDevices[0].deviceStats;
    EXPECT_EQ(stats.size(), sizeof(saver.screenDevices[0].deviceStats) - 1);
    EXPECT_EQ(stats.substr(0, 13), "HAL (hw vp): ");
    saver.RenderAllScreens();
    EXPECT_EQ(std::string(saver.deviceStats), stats);
    Finish(saver);
}

LRESULT CALLBACK PreviewHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A windowed device that cannot be made: a preview says it has none, a test window that
// the device could not be created; no device objects either way.
TEST(DeviceCreation, RefusedWindowedDeviceIsAnErrorOfItsMode) {
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = PreviewHostProc;
    hostClass.hInstance = Module();
    hostClass.lpszClassName = "DeviceTestPreviewHost";
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, hostClass.lpszClassName, "host", WS_POPUP | WS_VISIBLE, 0, 0, 152, 112,
                                nullptr, nullptr, Module(), nullptr);
    ASSERT_NE(host, nullptr);
    const std::string preview = "ssaver.scr /p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
    const struct {
        std::string commandLine;
        HRESULT error;
    } cases[] = {{preview, ErrNoPreview}, {"ssaver.scr /t", ErrCreateDeviceFailed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        FakeDirect3D fake;
        fake.modes = {Mode(800, 600, D3DFMT_X8R8G8B8)};
        fake.desktopModes = {Mode(800, 600, D3DFMT_X8R8G8B8)};
        fake.creationPolicy = [](const D3DPRESENT_PARAMETERS&) { return D3DERR_NOTAVAILABLE; };
        TestSaver saver(&fake);
        ASSERT_EQ(saver.StartupWithCommandLine(Module(), c.commandLine.c_str()), S_OK);
        ASSERT_FALSE(saver.errorMode);
        saver.CreateScreenDevices();
        EXPECT_TRUE(saver.errorMode);
        EXPECT_EQ(saver.errorCode, c.error);
        EXPECT_EQ(saver.screenDeviceCount, 0u);
        EXPECT_EQ(saver.created, 0);
        EXPECT_FALSE(fake.creationRequests.empty());
        EXPECT_TRUE(fake.creationRequests.empty() || fake.creationRequests[0].Windowed);
        Finish(saver);
    }
    DestroyWindow(host);
    PumpMessages();
}

// The system's answer for a monitor: GetDpiForMonitor where shcore.dll has it, else the
// system's DPI, which is also the answer for no monitor and for the pseudo monitor of a
// system without multi-monitor support. Under Wine every monitor has the prefix's DPI.
TEST(MonitorDpi, TheSystemAnswersForEachMonitorOrForAll) {
    const UINT system = SystemDpi();
    EXPECT_GE(system, 48u);
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    HMODULE shcore = LoadLibraryA("shcore.dll");
    const bool perMonitor = shcore != nullptr && GetProcAddress(shcore, "GetDpiForMonitor") != nullptr;
    if (shcore != nullptr) {
        FreeLibrary(shcore);
    }
    EXPECT_EQ(QueryMonitorDpi(primary), system);
    EXPECT_EQ(QueryMonitorDpi(nullptr), system);
    EXPECT_EQ(QueryMonitorDpi(reinterpret_cast<HMONITOR>(MultiMonitorApi::PseudoMonitor)), system);
    std::printf("system %u dpi; the main monitor %u dpi, through %s\n", system, QueryMonitorDpi(primary),
                perMonitor ? "shcore.dll's GetDpiForMonitor" : "the system's DPI (no GetDpiForMonitor)");
}

// Each screen device is made for its own monitor's DPI, asked when the devices are made
// and current with the device. Wine gives every monitor one DPI, so the test answers for
// the monitors: the main one at 200 % and a second one, invented and shown by a second
// invented adapter, at 100 %.
TEST(DeviceCreation, EachScreenTakesItsOwnMonitorsDpi) {
    FakeDirect3D fake;
    fake.modes = {Mode(1024, 768, D3DFMT_X8R8G8B8)};
    fake.desktopModes = {Mode(1024, 768, D3DFMT_X8R8G8B8), Mode(1024, 768, D3DFMT_X8R8G8B8)};
    TestSaver saver(&fake);
    ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /s"), S_OK);
    ASSERT_FALSE(saver.errorMode);
    ASSERT_EQ(saver.monitorCount, 1u);
    ASSERT_EQ(saver.adapterCount, 2u);
    const HMONITOR external = reinterpret_cast<HMONITOR>(0x4242);
    MonitorRecord& main = saver.monitors[0];
    MonitorRecord& second = saver.monitors[saver.monitorCount++];
    second = main;
    second.monitorHandle = external;
    main.adapterIndex = 0;
    second.adapterIndex = 1;
    saver.adapters[0]->monitorIndex = 0;
    saver.adapters[1]->monitorIndex = 1;
    saver.monitorDpis = {{main.monitorHandle, 192}, {external, 96}};

    saver.CreateScreenDevices();
    ASSERT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
    ASSERT_EQ(saver.screenDeviceCount, 2u);
    EXPECT_EQ(saver.dpiQueries, (std::vector<HMONITOR>{main.monitorHandle, external}));
    const UINT expected[] = {192, 96};
    for (UINT i = 0; i < 2; ++i) {
        EXPECT_EQ(saver.screenDevices[i].monitorIndex, i);
        EXPECT_EQ(saver.screenDevices[i].dpi, expected[i]);
        saver.SwitchToScreenDevice(i);
        EXPECT_EQ(saver.screenDpi, expected[i]) << "current with its device";
        std::printf("screen %u (monitor %lu): %u dpi\n", i,
                    static_cast<unsigned long>(saver.screenDevices[i].monitorIndex), saver.screenDpi);
    }
    Finish(saver);
}

// A windowed run takes the DPI of the monitor its window is on. An answer the system
// cannot give (0) is 100 %; one beyond 500 % is taken as 500 %.
TEST(DeviceCreation, AWindowTakesTheDpiOfItsMonitor) {
    for (const UINT answer : {144u, 0u, 2000u}) {
        TestSaver saver;
        ASSERT_EQ(saver.StartupWithCommandLine(Module(), "ssaver.scr /t"), S_OK);
        ASSERT_FALSE(saver.errorMode);
        const HMONITOR monitor = MonitorFromWindow(saver.mainWindow, MONITOR_DEFAULTTONEAREST);
        saver.monitorDpis = {{monitor, answer}};
        saver.dpiQueries.clear();  // the window asked when it was made
        saver.CreateScreenDevices();
        ASSERT_EQ(saver.screenDeviceCount, 1u);
        EXPECT_EQ(saver.dpiQueries, std::vector<HMONITOR>{monitor});
        saver.SwitchToScreenDevice(0);
        const UINT used = answer == 0 ? 96u : answer == 2000u ? 480u : answer;
        EXPECT_EQ(saver.screenDpi, used) << answer;
        std::printf("test window: the monitor answers %u, the screen uses %u dpi\n", answer, saver.screenDpi);
        Finish(saver);
    }
}

}  // namespace
