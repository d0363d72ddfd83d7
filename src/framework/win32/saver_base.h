#pragma once

#include <windows.h>
#include <d3d8.h>

#include "framework/command_line.h"
#include "framework/display_mode_list.h"
#include "framework/win32/device_records.h"
#include "framework/display_power_state.h"
#include "framework/frame_pacing.h"
#include "framework/frame_stats.h"
#include "framework/win32/monitor_record.h"
#include "framework/win32/power_setting_notifications.h"

// Password verifier of Windows 9x: asks for the password, TRUE when it was right.
typedef BOOL(WINAPI* VerifyPasswordProc)(HWND owner);

// The screensaver framework: run modes, monitors and windows, Direct3D devices, the
// main loop, exit rules and error mode. The application derives from it and plugs in
// through the virtual operations, whose defaults do nothing and succeed. There is
// exactly one instance per process; window procedures reach it through Instance().
class SaverBase {
public:
    SaverBase();
    SaverBase(const SaverBase&) = delete;
    SaverBase& operator=(const SaverBase&) = delete;

    static SaverBase* Instance();

    // The virtual operations, in slot order.
    virtual HRESULT Startup(HINSTANCE moduleInstance);
    virtual int Run();
    virtual void ShowSettingsDialog();
    virtual void LoadSettings();
    virtual void PaintWindow(HWND window, HDC dc);
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DescribeDevices();
    virtual void MeasureFrameRate();
    virtual BOOL ErrorText(HRESULT code, char* buffer, DWORD size);
    virtual void UseScreenDevice(UINT index);
    virtual HRESULT RegisterSoftwareRenderer();
    virtual HRESULT CheckDeviceCaps(const D3DCAPS8* caps, DWORD behaviour, D3DFORMAT format);
    virtual HRESULT CheckCreatedDevice(IDirect3DDevice8* device);
    virtual HRESULT InitOnce();
    virtual HRESULT CreateDeviceObjects();
    virtual HRESULT PrepareDeviceObjects();
    virtual HRESULT AdvanceFrame();
    virtual HRESULT RenderFrame();
    virtual HRESULT ReleaseDeviceObjects();
    virtual HRESULT DestroyDeviceObjects();
    virtual HRESULT CleanupOnce();
    // The display went off, or came back: no frame is drawn in between, and whatever the
    // application keeps running for the viewer (music) may rest.
    virtual void DisplayTurnedOff();
    virtual void DisplayTurnedOn();

    virtual ~SaverBase();

    // Entry and modes. Startup reads the process command line; tests pass their own.
    HRESULT StartupWithCommandLine(HINSTANCE moduleInstance, const char* commandLine);
    SaverMode ParseCommandLine(const char* commandLine);
    HRESULT ShowError(HRESULT code);
    void EnterErrorMode(HRESULT code);

    // Monitors and windows.
    void EnumerateMonitors();
    HRESULT CreateSaverWindows();

    // Direct3D: creation, adapters and their devices. StartDirect3D creates Direct3D and
    // catalogues the adapters; a failure is the code error mode shows.
    HRESULT StartDirect3D();
    HRESULT EnumerateDevices();
    BOOL FindDepthStencilFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT format,
                                D3DFORMAT* depthStencilFormat);
    HRESULT CreateScreenDevices();
    BOOL FindBestAdapter(DWORD* adapter);
    HRESULT CreateFullScreenDevice(ScreenDevice* screen);
    HRESULT CreateWindowedDevice(ScreenDevice* screen);
    HRESULT CreateDeviceHoldingDirect3D(UINT adapter, D3DDEVTYPE type, ScreenDevice* screen);
    HRESULT CheckWindowedFormat(UINT adapter, WindowedFormatChoice* choice);

    // Per-monitor display choices, in the subkeys of the open settings key.
    void ReadScreenSettings(HKEY settingsKey);
    void WriteScreenSettings(HKEY settingsKey);
    AdapterRecord* AdapterOfMonitor(DWORD monitorIndex);
    // The full-screen mode stored for the monitor, if it was stored for this adapter.
    bool StoredScreenMode(DWORD monitorIndex, const AdapterRecord& adapter, DisplayMode* mode);

    // The Display Settings dialog: edits the per-monitor choices in memory; they reach
    // the registry when the application writes its settings. 1 for OK, 2 for Cancel.
    int ShowDisplaySettingsDialog(HWND owner);
    void RefreshDisplaySettingsPage(HWND dialog);

    // Main loop, frames, exit.
    HRESULT RunSaver();
    void WaitForPreviewDelay();
    void RenderAllScreens();
    bool ResetLostDevice(ScreenDevice& screen);
    void SwitchToScreenDevice(UINT index);
    // The tallest back buffer of the screen devices, in pixels; 0 without devices.
    UINT TallestBackBufferHeight() const;
    void SetScreenProjection(float nearPlane, float farPlane);
    // `reason` says why, for a debugger's output ("the mouse moved", ...).
    void RequestExit(const char* reason);
    void EndSaver(const char* reason);
    // A preview's host may go at any moment of the start-up, when the control panel
    // closes; the preview then ends before it builds anything more for a window no one
    // sees. True once the run is ending, for that or any other reason.
    bool StartupAbandoned();
    // The application's preparation at start-up, during which it may ask whether to give
    // up early: true once a preview's host has gone. Outside that preparation, false.
    HRESULT PrepareStartupObjects();
    bool PreviewHostGoneWhilePreparing();
    void ReleaseScreenDevices();
    void ReleaseDevicesKeepingTheirSettings();

    // The display's power state: no frames while the display is off.
    void WatchPowerSettings();
    void NotePowerSetting(const PowerSettingReport* report);
    // The pacing of frames: the screens' rate, or less on battery.
    UINT SlowestRefreshRate() const;
    void UpdateFrameRateLimit();
    double FrameRateLimitNow() const { return framePacer_.Limit(); }

    // Screen-saver password of the Windows 9x family.
    void PreparePasswordVerifier();
    bool CheckPassword();
    void ChangeSaverPassword();

    // Error mode's display.
    void AnimateErrorBox();

    // Framework state. Fields are public: the application, the dialogs and the tests
    // read and set them directly, as the window procedures do.
    SaverMode mode;
    HWND mainWindow;
    HWND parentWindow;
    HINSTANCE instance;
    BOOL allScreensSame;
    BOOL waitingForTimer;
    DWORD mouseMoveCount;
    BOOL isWindows9x;
    HINSTANCE passwordLibrary;
    VerifyPasswordProc verifyPassword;
    BOOL checkingPassword;
    BOOL windowed;
    BYTE useDesktopSettings;
    BOOL errorMode;
    HRESULT errorCode;
    char errorText[400];
    MonitorRecord monitors[MaxDisplays];
    DWORD monitorCount;
    ScreenDevice screenDevices[MaxDisplays];
    DWORD screenDeviceCount;
    AdapterRecord* adapters[MaxDisplays];
    DWORD adapterCount;
    IDirect3D8* direct3d;
    IDirect3DDevice8* activeDevice;
    RECT renderTotal;
    RECT renderCurrent;
    D3DSURFACE_DESC backBufferDesc;
    // The DPI of the current screen device's monitor (SwitchToScreenDevice), for which its
    // fonts and screen texts are made; 96 until a device is current.
    UINT screenDpi;
    char windowTitle[200];
    BOOL allowReference;
    BOOL useDepthBuffer;
    BOOL multithreaded;
    BOOL oneScreenOnly;
    char registryPath[200];
    DWORD minDepthBits;
    DWORD minStencilBits;
    D3DSWAPEFFECT fullScreenSwapEffect;
    D3DSWAPEFFECT windowedSwapEffect;
    // Application time in seconds: a double, since a float of seconds would make the
    // motion judder after a day of running.
    double time;
    float elapsedTime;
    float framesPerSecond;
    char deviceStats[90];
    char frameStats[40];

protected:
    // Makes the Direct3D object (version 220) from d3d8.dll, or null. Tests return a
    // stand-in here to drive adapters and refusals the real one cannot show.
    virtual IDirect3D8* CreateDirect3D();
    // The DPI of a monitor (QueryMonitorDpi). Tests answer here for monitors of different
    // DPIs, which Wine cannot show: it has one DPI for every monitor.
    virtual UINT MonitorDpi(HMONITOR monitor);
    // The system's display devices and their monitors (EnumDisplayDevicesA). Tests answer
    // here for outputs Wine cannot show, such as a dock's idle ones.
    virtual BOOL EnumDisplayDevice(const char* deviceName, DWORD index, DISPLAY_DEVICEA* device);

private:
    void CountMouseMove(LPARAM position);
    void RestartFrameRateMeasurement();
    bool ending_ = false;
    bool preparingStartupObjects_ = false;
    // The preview window's WM_DESTROY came while objects were half prepared; the run ends
    // once they are given back.
    bool previewWindowGone_ = false;
    bool ReadSentMessagesAndCheckHost();
    FrameRateGate frameRateGate_;
    PowerSettingNotifications powerSettingNotifications_;
    DisplayPowerState displayPower_;
    BatterySaving batterySaving_;
    FramePacer framePacer_;
    bool timerResolutionRaised_ = false;
    void WaitForMessages(DWORD milliseconds);
    void RaiseTimerResolution(bool raise);
    // Last mouse position seen by a window of this saver; the first move always counts.
    POINT lastMousePosition_ = {-1, -1};
    // timeGetTime of the previous error-box step; 0 until the first step.
    DWORD lastErrorBoxTick_ = 0;
    void DeleteAdapterRecords();
};

// The window procedure of "SaverWindowClass": forwards every message to the instance.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern const char SaverWindowClassName[];
