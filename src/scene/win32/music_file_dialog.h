#pragma once

#include <windows.h>
#include <commdlg.h>

// The open-file dialog that picks the custom music: mp3 files first, any file second.
// The record points into the file buffer beside it, so it is filled in place.
struct MusicFileDialog {
    OPENFILENAMEA record;
    char file[MAX_PATH];
};

// Filter pairs (text, pattern), each NUL-terminated, ended by an extra NUL.
extern const char MusicFileFilter[];
extern const size_t MusicFileFilterSize;

// Prepares the record for GetOpenFileNameA: the record size of the systems without the
// Windows 2000 extension, an empty file name, existing paths and files only.
void PrepareMusicFileDialog(MusicFileDialog& dialog, HWND owner);
