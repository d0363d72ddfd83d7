#include "framework/win32/monitor_dpi.h"

#include <shellscalingapi.h>

#include <type_traits>

#include "util/win32/system_library.h"

namespace {

typedef HRESULT(WINAPI* GetDpiForMonitorFn)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
// The pointer carries the function's calling convention; the 32-bit build checks it
// against the declaration of shellscalingapi.h.
static_assert(std::is_same_v<GetDpiForMonitorFn, decltype(&::GetDpiForMonitor)>);

// The effective DPI of `monitor`, or 0 when the system cannot tell.
UINT EffectiveDpi(HMONITOR monitor) {
    if (monitor == nullptr) {
        return 0;
    }
    HMODULE shcore = LoadSystemLibrary("shcore.dll");
    if (shcore == nullptr) {
        return 0;
    }
    UINT dpi = 0;
    const auto getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) {
        dpi = dpiY;
    }
    FreeLibrary(shcore);
    return dpi;
}

}  // namespace

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return 0;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

UINT QueryMonitorDpi(HMONITOR monitor) {
    const UINT dpi = EffectiveDpi(monitor);
    return dpi != 0 ? dpi : SystemDpi();
}
