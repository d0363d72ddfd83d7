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
    // The last word to a debugger: after it only the runtime's and the system's own
    // teardown remain, so a log that ends here tells of a run that ended in order.
    OutputDebugStringA("Celestra Screensaver: the program ends with code 0\n");
    return 0;
}
