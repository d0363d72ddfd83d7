#pragma once

#include <windows.h>

// Dialog procedure of the settings dialog (resource 106). It works on the one
// OrrerySaver of the process: OrrerySaver::ShowSettingsDialog runs it.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
