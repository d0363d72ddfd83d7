#include "framework/win32/device_kind_modes.h"

#include "framework/d3d_codes.h"
#include "framework/mode_selection.h"

static_assert(NoModeIndex == NoMode, "one marker for no mode");
static_assert(FormatA8R8G8B8 == D3DFMT_A8R8G8B8 && FormatX8R8G8B8 == D3DFMT_X8R8G8B8 &&
                  FormatR5G6B5 == D3DFMT_R5G6B5 && FormatX1R5G5B5 == D3DFMT_X1R5G5B5 &&
                  FormatA1R5G5B5 == D3DFMT_A1R5G5B5 && FormatA4R4G4B4 == D3DFMT_A4R4G4B4 &&
                  FormatX4R4G4B4 == D3DFMT_X4R4G4B4,
              "colour formats");
static_assert(FormatD16 == D3DFMT_D16 && FormatD15S1 == D3DFMT_D15S1 && FormatD24X8 == D3DFMT_D24X8 &&
                  FormatD24S8 == D3DFMT_D24S8 && FormatD24X4S4 == D3DFMT_D24X4S4 && FormatD32 == D3DFMT_D32,
              "depth-stencil formats");
static_assert(DeviceTypeHal == D3DDEVTYPE_HAL && DeviceTypeRef == D3DDEVTYPE_REF &&
                  DeviceTypeSw == D3DDEVTYPE_SW,
              "device types");
static_assert(CreateMultithreaded == D3DCREATE_MULTITHREADED && CreatePureDevice == D3DCREATE_PUREDEVICE &&
                  CreateSoftwareVertexProcessing == D3DCREATE_SOFTWARE_VERTEXPROCESSING &&
                  CreateHardwareVertexProcessing == D3DCREATE_HARDWARE_VERTEXPROCESSING &&
                  CreateMixedVertexProcessing == D3DCREATE_MIXED_VERTEXPROCESSING,
              "behaviour flags");
static_assert(DevCapsHwTransformAndLight == D3DDEVCAPS_HWTRANSFORMANDLIGHT &&
                  DevCapsPureDevice == D3DDEVCAPS_PUREDEVICE,
              "device caps");

DisplayMode DisplayModeOf(const ModeRecord& mode) {
    return DisplayMode{mode.width, mode.height, static_cast<uint32_t>(mode.format)};
}

DisplayMode DisplayModeOf(const D3DDISPLAYMODE& mode) {
    return DisplayMode{mode.Width, mode.Height, static_cast<uint32_t>(mode.Format)};
}

DWORD DisplayModesOf(const DeviceKindRecord& kind, DisplayMode* modes) {
    const DWORD count = (kind.modeCount < MaxModesPerKind) ? kind.modeCount : MaxModesPerKind;
    for (DWORD i = 0; i < count; ++i) {
        modes[i] = DisplayModeOf(kind.modes[i]);
    }
    return count;
}

BOOL StepDownMode(DeviceKindRecord* kind) {
    DisplayMode modes[MaxModesPerKind];
    const DWORD count = DisplayModesOf(*kind, modes);
    uint32_t current = kind->currentMode;
    if (!StepDownModeIndex(modes, count, &current)) {
        return FALSE;
    }
    kind->currentMode = current;
    return TRUE;
}
