#include <windows.h>

#include "scene/win32/orrery_saver.h"

// The operating system starts the screensaver here; the command line picks the mode.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static OrrerySaver saver;
    const HRESULT hr = saver.Startup(instance);
    if (FAILED(hr)) {
        saver.ShowError(hr);
    } else {
        saver.Run();
    }
    return 0;
}
