#include "scene/win32/music_file_dialog.h"

#include "scene/win32/orrery_saver.h"
#include "util/copy_string_bounded.h"

const char MusicFileFilter[] = "mp3 file (*.mp3)\0*.mp3\0All files (*.*)\0*.*\0";
const size_t MusicFileFilterSize = sizeof(MusicFileFilter);  // the literal adds the final NUL

void PrepareMusicFileDialog(MusicFileDialog& dialog, HWND owner) {
    ZeroMemory(&dialog, sizeof(dialog));
    dialog.record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.record.hwndOwner = owner;
    dialog.record.lpstrFilter = MusicFileFilter;
    dialog.record.nFilterIndex = 1;
    dialog.record.lpstrFile = dialog.file;
    dialog.record.nMaxFile = sizeof(dialog.file);
    dialog.record.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
}

bool OrrerySaver::BrowseMusicFile(char (&path)[SettingsPathSize], HWND owner) {
    MusicFileDialog dialog;
    PrepareMusicFileDialog(dialog, owner);
    if (!GetOpenFileNameA(&dialog.record)) {
        return false;
    }
    CopyStringBounded(path, dialog.file);
    return true;
}
