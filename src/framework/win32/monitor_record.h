#pragma once

#include <windows.h>

constexpr DWORD MaxDisplays = 9;
constexpr DWORD NoAdapter = 0xFFFFFFFF;

// One display device attached to the desktop, with its saver window and the place of
// the error box drawn on it.
struct MonitorRecord {
    char adapterDescription[128];  // the display device's DeviceString
    char monitorDescription[128];  // DeviceString of its first monitor
    HMONITOR monitorHandle;        // null when not attached to the desktop
    RECT screenRect;               // virtual-screen coordinates
    DWORD adapterIndex;            // Direct3D adapter driving it, or NoAdapter
    HWND window;                   // saver window on this monitor, or null
    // Error box, in the window's client coordinates; a width of 0 means not yet placed.
    float boxX;
    float boxY;
    float boxWidth;
    float boxHeight;
    float boxSpeedX;  // pixels per second
    float boxSpeedY;
};
