#pragma once

#include "framework/display_mode_list.h"
#include "framework/win32/device_records.h"

// Bridges between a device kind's mode records and the portable mode-selection rules.

// A mode record's or a Direct3D mode's size and format.
DisplayMode DisplayModeOf(const ModeRecord& mode);
DisplayMode DisplayModeOf(const D3DDISPLAYMODE& mode);

// Copies the kind's modes (size and format only) into `modes`, which holds at least
// MaxModesPerKind entries; returns the count.
DWORD DisplayModesOf(const DeviceKindRecord& kind, DisplayMode* modes);

// After a refused mode, moves the kind's current mode one step down (fewer bits, then a
// smaller size). FALSE when no lower mode is left.
BOOL StepDownMode(DeviceKindRecord* kind);
