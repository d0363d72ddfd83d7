#pragma once

#include <windows.h>

// The settings dialog's pictures at the dialog's scale. Its controls grow with the DPI
// while the bitmaps have the size made for 96 dpi; a static control centres its bitmap
// without stretching it, so at 200 % the pictures would show at half their size. On
// opening, each picture whose control has grown is replaced by a smoothly stretched copy
// that fills it (DialogPictureSize); the dialog owns those copies until it goes.
void FitDialogPictures(HWND dialog, HINSTANCE instance);
void ReleaseDialogPictures(HWND dialog);
