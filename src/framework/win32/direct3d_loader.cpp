#include "framework/win32/direct3d_loader.h"

#include <type_traits>

#include "util/win32/system_library.h"

namespace {

typedef IDirect3D8*(WINAPI* Direct3DCreate8Proc)(UINT sdkVersion);
// The 32-bit build checks the calling convention against d3d8.h.
static_assert(std::is_same_v<Direct3DCreate8Proc, decltype(&::Direct3DCreate8)>);

HMODULE direct3dLibrary = nullptr;

}  // namespace

IDirect3D8* LoadDirect3D8(UINT sdkVersion) {
    if (direct3dLibrary == nullptr) {
        direct3dLibrary = LoadSystemLibrary("d3d8.dll");
        if (direct3dLibrary == nullptr) {
            return nullptr;
        }
    }
    const Direct3DCreate8Proc create = reinterpret_cast<Direct3DCreate8Proc>(
        reinterpret_cast<void*>(GetProcAddress(direct3dLibrary, "Direct3DCreate8")));
    if (create == nullptr) {
        return nullptr;
    }
    return create(sdkVersion);
}
