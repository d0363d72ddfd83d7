#pragma once

#include <windows.h>

// The DPI at which the system shows a monitor to this program, which declares itself
// aware of each monitor's DPI: GetDpiForMonitor of shcore.dll (Windows 8.1 and later),
// looked up at run time since older systems lack it. Where the call is missing or fails
// (also for the pseudo monitor of a system without multi-monitor support), the answer is
// the system's DPI, which those systems use for every monitor.
UINT QueryMonitorDpi(HMONITOR monitor);

// The system's DPI: that of the screen's device context (LOGPIXELSY).
UINT SystemDpi();
