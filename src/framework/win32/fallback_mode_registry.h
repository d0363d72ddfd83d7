#pragma once

#include <windows.h>
#include <d3d8.h>

// Remembers the full-screen mode a monitor's device was finally created in, after the
// preferred or automatic mode was refused, so the next run starts there: values
// "Width", "Height", "Format" and "Adapter ID" of the subkey "Screen %d" (monitor
// index + 1) under HKEY_CURRENT_USER\<registryPath>. Failures are silent.
void WriteFallbackMode(const char* registryPath, DWORD monitorIndex, DWORD width, DWORD height,
                       D3DFORMAT format, const GUID& adapterId);
