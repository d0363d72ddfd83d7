#pragma once

#include <windows.h>

// Dialog procedure of the Display Settings dialogs (resources 200 and 201). It works on
// the one SaverBase of the process: SaverBase::ShowDisplaySettingsDialog runs it.
INT_PTR CALLBACK DisplaySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
