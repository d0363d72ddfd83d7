// A d3d8.dll such as may lie beside a saver in a download folder: it offers no Direct3D.
// The saver must load the system's own (device_run_test.sh planted).
#include <windows.h>

extern "C" __declspec(dllexport) void* WINAPI Direct3DCreate8(UINT) {
    return nullptr;
}
