#include "framework/win32/multi_monitor_api.h"

#include <cstddef>
#include <type_traits>

#include "util/copy_string_bounded.h"

namespace MultiMonitorApi {
namespace {

typedef int(WINAPI* GetSystemMetricsFn)(int);
typedef HMONITOR(WINAPI* MonitorFromWindowFn)(HWND, DWORD);
typedef HMONITOR(WINAPI* MonitorFromRectFn)(LPCRECT, DWORD);
typedef HMONITOR(WINAPI* MonitorFromPointFn)(POINT, DWORD);
typedef BOOL(WINAPI* EnumDisplayMonitorsFn)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
typedef BOOL(WINAPI* GetMonitorInfoFn)(HMONITOR, LPMONITORINFO);
typedef BOOL(WINAPI* EnumDisplayDevicesFn)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

// Each pointer carries the calling convention of the function it points to. A 64-bit build
// has only one convention, so only the 32-bit build can tell a missing WINAPI: there these
// compare the types with the declarations in winuser.h.
static_assert(std::is_same_v<GetSystemMetricsFn, decltype(&::GetSystemMetrics)>);
static_assert(std::is_same_v<MonitorFromWindowFn, decltype(&::MonitorFromWindow)>);
static_assert(std::is_same_v<MonitorFromRectFn, decltype(&::MonitorFromRect)>);
static_assert(std::is_same_v<MonitorFromPointFn, decltype(&::MonitorFromPoint)>);
static_assert(std::is_same_v<EnumDisplayMonitorsFn, decltype(&::EnumDisplayMonitors)>);
static_assert(std::is_same_v<GetMonitorInfoFn, decltype(&::GetMonitorInfoA)>);
static_assert(std::is_same_v<EnumDisplayDevicesFn, decltype(&::EnumDisplayDevicesA)>);

struct EntryPoints {
    GetSystemMetricsFn getSystemMetrics;
    MonitorFromWindowFn monitorFromWindow;
    MonitorFromRectFn monitorFromRect;
    MonitorFromPointFn monitorFromPoint;
    EnumDisplayMonitorsFn enumDisplayMonitors;
    GetMonitorInfoFn getMonitorInfo;
    EnumDisplayDevicesFn enumDisplayDevices;
};

EntryPoints entryPoints = {};
bool lookedUp = false;
bool forceFallbacks = false;

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn* slot) {
    *slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return *slot != nullptr;
}

// All or nothing: if one entry point is missing, every call uses its fallback.
const EntryPoints& Table() {
    if (!lookedUp) {
        lookedUp = true;
        HMODULE user32 = GetModuleHandleA("USER32");
        const bool complete = user32 != nullptr &&
                              Resolve(user32, "GetSystemMetrics", &entryPoints.getSystemMetrics) &&
                              Resolve(user32, "MonitorFromWindow", &entryPoints.monitorFromWindow) &&
                              Resolve(user32, "MonitorFromRect", &entryPoints.monitorFromRect) &&
                              Resolve(user32, "MonitorFromPoint", &entryPoints.monitorFromPoint) &&
                              Resolve(user32, "EnumDisplayMonitors", &entryPoints.enumDisplayMonitors) &&
                              Resolve(user32, "GetMonitorInfoA", &entryPoints.getMonitorInfo) &&
                              Resolve(user32, "EnumDisplayDevicesA", &entryPoints.enumDisplayDevices);
        if (!complete) {
            entryPoints = EntryPoints{};
        }
    }
    static const EntryPoints none = {};
    return forceFallbacks ? none : entryPoints;
}

HMONITOR Pseudo() {
    return reinterpret_cast<HMONITOR>(PseudoMonitor);
}

bool WantsDefault(DWORD flags) {
    return (flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST)) != 0;
}

}  // namespace

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
    if (Table().monitorFromRect != nullptr) {
        return Table().monitorFromRect(rect, flags);
    }
    if (WantsDefault(flags)) {
        return Pseudo();
    }
    const bool onPrimary = rect->right > 0 && rect->bottom > 0 &&
                           rect->left < GetSystemMetrics(SM_CXSCREEN) &&
                           rect->top < GetSystemMetrics(SM_CYSCREEN);
    return onPrimary ? Pseudo() : nullptr;
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    if (Table().monitorFromWindow != nullptr) {
        return Table().monitorFromWindow(window, flags);
    }
    if (WantsDefault(flags)) {
        return Pseudo();
    }
    RECT rect;
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        if (!GetWindowPlacement(window, &placement)) {
            return nullptr;
        }
        rect = placement.rcNormalPosition;
    } else if (!GetWindowRect(window, &rect)) {
        return nullptr;
    }
    return MultiMonitorApi::MonitorFromRect(&rect, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
    if (Table().getMonitorInfo != nullptr) {
        return Table().getMonitorInfo(monitor, info);
    }
    RECT workArea;
    if (monitor != Pseudo() || info == nullptr || info->cbSize < sizeof(MONITORINFO) ||
        !SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) {
        return FALSE;
    }
    info->rcMonitor = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info->rcWork = workArea;
    info->dwFlags = MONITORINFOF_PRIMARY;
    if (info->cbSize >= sizeof(MONITORINFOEXA)) {
        CopyStringBounded(reinterpret_cast<MONITORINFOEXA*>(info)->szDevice, "DISPLAY");
    }
    return TRUE;
}

BOOL EnumDisplayDevicesA(const char* device, DWORD index, DISPLAY_DEVICEA* displayDevice, DWORD flags) {
    if (Table().enumDisplayDevices != nullptr) {
        return Table().enumDisplayDevices(device, index, displayDevice, flags);
    }
    if (device != nullptr || index != 0 || displayDevice == nullptr ||
        displayDevice->cb < offsetof(DISPLAY_DEVICEA, DeviceID)) {
        return FALSE;
    }
    CopyStringBounded(displayDevice->DeviceName, "DISPLAY");
    CopyStringBounded(displayDevice->DeviceString, "DISPLAY");
    displayDevice->StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE;
    return TRUE;
}

void UseFallbacksForTesting(bool useFallbacks) {
    forceFallbacks = useFallbacks;
}

}  // namespace MultiMonitorApi
