#pragma once

#include <windows.h>

// The multi-monitor functions of USER32, looked up at run time so that the program also
// starts where they are missing. Without them every call is answered by a single-screen
// fallback with a pseudo monitor covering the primary screen.
namespace MultiMonitorApi {

constexpr UINT_PTR PseudoMonitor = 0x12340042;

HMONITOR MonitorFromWindow(HWND window, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);
BOOL EnumDisplayDevicesA(const char* device, DWORD index, DISPLAY_DEVICEA* displayDevice, DWORD flags);

// Tests: answer every call from the fallbacks, as on a system without the functions.
void UseFallbacksForTesting(bool useFallbacks);

}  // namespace MultiMonitorApi
