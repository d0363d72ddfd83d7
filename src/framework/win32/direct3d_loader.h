#pragma once

#include <windows.h>
#include <d3d8.h>

// The SDK version Direct3D 8.1 expects from its callers.
constexpr UINT Direct3DSdkVersion = 220;

// Creates the Direct3D 8 object through d3d8.dll loaded at run time (from the system
// folder, never the program's) rather than through the import table, so that a system
// without Direct3D 8 gets the program's own message instead of a loader failure. Null when the library or its
// entry point is missing or Direct3DCreate8 itself fails. The library stays loaded for the rest of the
// process, as objects it made may outlive any one caller.
IDirect3D8* LoadDirect3D8(UINT sdkVersion);
