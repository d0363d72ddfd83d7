#pragma once

#include <windows.h>

// Loads a library of the system by its file name ("d3d8.dll") from the system folder
// only. LoadLibraryA with a bare name looks in the program's own folder first, so a
// saver started from a download folder would load whatever DLL of that name lies beside
// it. Null when the library is missing or cannot be loaded; the caller frees it.
HMODULE LoadSystemLibrary(const char* fileName);
