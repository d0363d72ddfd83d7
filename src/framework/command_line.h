#pragma once

#include <cstdint>

// The run mode the operating system asks for on the command line.
enum SaverMode : int32_t {
    Config = 0,          // no switch, /c: the settings dialog
    Preview = 1,         // /p HWND: inside the control panel's preview window
    Full = 2,            // /s or any unknown letter: full screen on every monitor
    Test = 3,            // /t: a 600 x 400 window
    ChangePassword = 4,  // /a: change the screen-saver password
};

struct SaverCommandLine {
    SaverMode mode = Config;
    uint32_t windowNumber = 0;  // the window handle that follows /c, /p or /a; 0 when none
};

// Parses the whole process command line, program name included. Only the first switch
// counts; its letter may be upper or lower case and may be introduced by '/' or '-', at
// the start of an argument as Windows splits the line (after the program's name, or
// after white space).
SaverCommandLine ParseSaverCommandLine(const char* text);
