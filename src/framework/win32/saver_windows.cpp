#include "framework/win32/multi_monitor_api.h"
#include "framework/win32/saver_base.h"
#include "resource_ids.h"
#include "util/copy_string_bounded.h"
#include "util/screen_dpi.h"

const char SaverWindowClassName[] = "SaverWindowClass";

namespace {

const DWORD PreviewStyle = WS_VISIBLE | WS_CHILD;
const DWORD FullStyle = WS_VISIBLE | WS_POPUP;
const DWORD TestStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Reads the desktop rectangle of an attached display device.
RECT DisplayRect(const DISPLAY_DEVICEA& device) {
    DEVMODEA settings = {};
    settings.dmSize = 148;  // the classic DEVMODEA, without the panning fields
    settings.dmDriverExtra = 0;
    const bool primary = (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0;
    if (!EnumDisplaySettingsA(device.DeviceName, ENUM_REGISTRY_SETTINGS, &settings)) {
        if (!primary) {
            return RECT{0, 0, 0, 0};
        }
        // Systems without per-device settings still know the primary screen's size.
        settings.dmPelsWidth = GetSystemMetrics(SM_CXSCREEN);
        settings.dmPelsHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    const LONG left = primary ? 0 : settings.dmPosition.x;
    const LONG top = primary ? 0 : settings.dmPosition.y;
    return RECT{left, top, left + static_cast<LONG>(settings.dmPelsWidth),
                top + static_cast<LONG>(settings.dmPelsHeight)};
}

}  // namespace

BOOL SaverBase::EnumDisplayDevice(const char* deviceName, DWORD index, DISPLAY_DEVICEA* device) {
    return MultiMonitorApi::EnumDisplayDevicesA(deviceName, index, device, 0);
}

// Windows lists every output of every graphics card, and a docked laptop may have more
// than nine: only those attached to the desktop show anything, so only they take a record.
void SaverBase::EnumerateMonitors() {
    monitorCount = 0;
    for (DWORD n = 0; monitorCount < MaxDisplays; ++n) {
        DISPLAY_DEVICEA device = {};
        device.cb = sizeof(device);
        if (!EnumDisplayDevice(nullptr, n, &device)) {
            break;
        }
        if ((device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) ||
            !(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) {
            continue;
        }
        DISPLAY_DEVICEA monitor = {};
        monitor.cb = sizeof(monitor);
        const bool hasMonitor = EnumDisplayDevice(device.DeviceName, 0, &monitor) != FALSE;

        MonitorRecord& record = monitors[monitorCount];
        record = MonitorRecord{};
        CopyStringBounded(record.adapterDescription, device.DeviceString);
        if (hasMonitor) {
            CopyStringBounded(record.monitorDescription, monitor.DeviceString);
        }
        record.adapterIndex = NoAdapter;
        record.screenRect = DisplayRect(device);
        record.monitorHandle = MultiMonitorApi::MonitorFromRect(&record.screenRect, MONITOR_DEFAULTTONULL);
        ++monitorCount;
    }
}

HRESULT SaverBase::CreateSaverWindows() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SAVER));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = SaverWindowClassName;
    // Registration may fail because the class exists already; a real failure shows up
    // as a failed window creation below.
    RegisterClassA(&windowClass);

    switch (mode) {
        case Preview: {
            RECT rc = {};
            GetClientRect(parentWindow, &rc);
            AdjustWindowRect(&rc, PreviewStyle, FALSE);
            mainWindow = CreateWindowExA(0, SaverWindowClassName, windowTitle, PreviewStyle, rc.left, rc.top,
                                         rc.right - rc.left, rc.bottom - rc.top, parentWindow, nullptr,
                                         instance, this);
            monitors[0].window = mainWindow;
            GetClientRect(mainWindow, &renderTotal);
            renderCurrent = renderTotal;
            break;
        }
        case Full:
            mainWindow = nullptr;
            for (DWORD i = 0; i < monitorCount; ++i) {
                MonitorRecord& monitor = monitors[i];
                if (monitor.monitorHandle == nullptr) {
                    continue;
                }
                const RECT& r = monitor.screenRect;
                monitor.window = CreateWindowExA(WS_EX_TOPMOST, SaverWindowClassName, windowTitle, FullStyle,
                                                 r.left, r.top, r.right - r.left, r.bottom - r.top,
                                                 mainWindow, nullptr, instance, this);
                if (monitor.window == nullptr) {
                    return E_FAIL;
                }
                if (mainWindow == nullptr) {
                    mainWindow = monitor.window;
                }
            }
            break;
        case Test: {
            // 600 x 400 pixels at 96 dpi, grown with the DPI of the monitor the window
            // opens on, so that the scene and its texts keep their proportions.
            RECT rc = {50, 50, 650, 450};
            const UINT dpi =
                UsableDpi(MonitorDpi(MultiMonitorApi::MonitorFromRect(&rc, MONITOR_DEFAULTTOPRIMARY)));
            rc.right = rc.left + static_cast<LONG>(ScaledPixels(600.0f, dpi));
            rc.bottom = rc.top + static_cast<LONG>(ScaledPixels(400.0f, dpi));
            AdjustWindowRect(&rc, TestStyle, FALSE);
            mainWindow =
                CreateWindowExA(0, SaverWindowClassName, windowTitle, TestStyle, rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, instance, this);
            monitors[0].window = mainWindow;
            GetClientRect(mainWindow, &renderTotal);
            renderCurrent = renderTotal;
            break;
        }
        default:
            break;
    }
    return (mainWindow != nullptr) ? S_OK : E_FAIL;
}
