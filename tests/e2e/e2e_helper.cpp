// A small Windows program the end-to-end scripts run beside the saver, in the same Wine
// prefix, for what X tools cannot do with Wine's windows:
//   e2e_helper close TITLE          post WM_CLOSE to the top-level window TITLE
//   e2e_helper describe TITLE       print "client WxH+X+Y topmost T popup P child C" of TITLE
//   e2e_helper list TITLE           print "WxH+X+Y topmost T" of every top-level window TITLE
//   e2e_helper monitors             print "WxH+X+Y" of every monitor
//   e2e_helper preview SAVER [minimised|box]  host SAVER /p in a window of ours (minimised:
//                                   a minimised one; box: a 152x112 child of a larger one,
//                                   as the Screen Saver settings do, whose screen area is
//                                   printed as "box WxH+X+Y", kept until the window
//                                   "Preview host" is closed) and check its life; a preview
//                                   that does not end leaves the stacks of the prefix's
//                                   threads on standard error
//   e2e_helper deadwindow           print the handle of a window that no longer exists
//   e2e_helper nonwindow            print a handle of ours that names no window (an event)
//   e2e_helper denykey KEY on|off   deny (or allow again) reading and writing the HKCU key
//   e2e_helper click TITLE ID       click the button ID in the dialog TITLE, as the mouse would
//   e2e_helper control TITLE ID     print "checked C enabled E text T" of control ID in TITLE
//   e2e_helper area TITLE ID        print "WxH+X+Y" of control ID of TITLE on the screen
//   e2e_helper select TITLE ID N    select item N of the drop-down list ID in TITLE
//   e2e_helper display TITLE STATE  report the console display's power state STATE (0 off,
//                                   1 on, 2 dimmed) to the window TITLE, as Windows does
//   e2e_helper battery TITLE ON     report the power source (ON 1: battery, 0: mains)
//   e2e_helper sample TITLE S MS    every MS milliseconds for S seconds, print "T WS GDI USER
//                                   HANDLES" of the process owning TITLE: milliseconds since
//                                   the start, working set in KiB, GDI and USER objects,
//                                   kernel handles
//   e2e_helper precision TITLE      print "x87 CW precision P" of the thread owning TITLE: its
//                                   x87 control word and the precision it computes in
//                                   (single, double or extended)
#include <windows.h>
#include <psapi.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string WindowsPath(const char* path) {
    std::string result = path;
    if (!result.empty() && result[0] == '/') {
        result = "Z:" + result;  // Wine maps the Unix root to Z:
    }
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    return result;
}

int Close(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

int Describe(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    std::printf("client %ldx%ld+%ld+%ld topmost %d popup %d child %d\n", client.right - client.left,
                client.bottom - client.top, origin.x, origin.y, (exStyle & WS_EX_TOPMOST) ? 1 : 0,
                (style & WS_POPUP) ? 1 : 0, (style & WS_CHILD) ? 1 : 0);
    return 0;
}

// The control `id` of the top-level window `title`, or null with a message.
HWND FindControl(const char* title, const char* id) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return nullptr;
    }
    HWND control = GetDlgItem(window, std::atoi(id));
    if (control == nullptr) {
        std::fprintf(stderr, "%s has no control %s\n", title, id);
    }
    return control;
}

// Sent, so that the dialog has handled the click when we return; a click that opens a
// modal dialog keeps the sender waiting, so the wait ends after a second at most.
void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 1000, &result);
}

int Click(const char* title, const char* id) {
    HWND control = FindControl(title, id);
    if (control == nullptr) {
        return 1;
    }
    SendAndWait(control, BM_CLICK, 0, 0);
    return 0;
}

int Control(const char* title, const char* id) {
    HWND control = FindControl(title, id);
    if (control == nullptr) {
        return 1;
    }
    char text[300] = {};
    GetWindowTextA(control, text, sizeof(text));
    const LRESULT checked = SendMessageA(control, BM_GETCHECK, 0, 0);
    std::printf("checked %d enabled %d text %s\n", checked == BST_CHECKED ? 1 : 0,
                IsWindowEnabled(control) ? 1 : 0, text);
    return 0;
}

int Area(const char* title, const char* id) {
    HWND control = FindControl(title, id);
    if (control == nullptr) {
        return 1;
    }
    RECT area = {};
    GetWindowRect(control, &area);
    std::printf("%ldx%ld+%ld+%ld\n", area.right - area.left, area.bottom - area.top, area.left, area.top);
    return 0;
}

// As a user's choice does: the list changes its selection and tells its dialog.
int Select(const char* title, const char* id, const char* item) {
    HWND control = FindControl(title, id);
    if (control == nullptr) {
        return 1;
    }
    if (SendMessageA(control, CB_SETCURSEL, std::atoi(item), 0) == CB_ERR) {
        std::fprintf(stderr, "no item %s\n", item);
        return 1;
    }
    SendAndWait(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(control));
    return 0;
}

// GUID_CONSOLE_DISPLAY_STATE.
const GUID ConsoleDisplayState = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
const GUID PowerSource = {0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};

// The report lives in the saver's own memory, where the system would put it: the message
// carries only its address.
int ReportPowerSetting(const char* title, const GUID& setting, const char* state) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        std::fprintf(stderr, "cannot open the process of %s\n", title);
        return 1;
    }
    BYTE bytes[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    POWERBROADCAST_SETTING report = {};
    report.PowerSetting = setting;
    report.DataLength = sizeof(DWORD);
    const DWORD value = static_cast<DWORD>(std::atoi(state));
    std::memcpy(bytes, &report, offsetof(POWERBROADCAST_SETTING, Data));
    std::memcpy(bytes + offsetof(POWERBROADCAST_SETTING, Data), &value, sizeof(value));
    void* remote = VirtualAllocEx(process, nullptr, sizeof(bytes), MEM_COMMIT, PAGE_READWRITE);
    int result = 1;
    if (remote != nullptr && WriteProcessMemory(process, remote, bytes, sizeof(bytes), nullptr)) {
        SendAndWait(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(remote));
        result = 0;
    } else {
        std::fprintf(stderr, "cannot write the report into the process of %s\n", title);
    }
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

struct WindowSearch {
    const char* title;
    int found;
};

BOOL CALLBACK PrintWindowWithTitle(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (std::strcmp(title, search->title) == 0 && IsWindowVisible(window)) {
        RECT r = {};
        GetWindowRect(window, &r);
        std::printf("%ldx%ld+%ld+%ld topmost %d\n", r.right - r.left, r.bottom - r.top, r.left, r.top,
                    (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        ++search->found;
    }
    return TRUE;
}

int List(const char* title) {
    WindowSearch search = {title, 0};
    EnumWindows(PrintWindowWithTitle, reinterpret_cast<LPARAM>(&search));
    return search.found > 0 ? 0 : 1;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    const RECT& r = info.rcMonitor;
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return TRUE;
}

int Monitors() {
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    return 0;
}

// Prints the stacks of every thread of every process of the prefix on standard error
// (through Wine's debugger), for the log of a run that will not end.
void PrintStacks() {
    std::fflush(stdout);
    std::fflush(stderr);
    char command[] = "winedbg --command \"bt all\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION debugger = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &debugger)) {
        std::fprintf(stderr, "cannot start winedbg\n");
        return;
    }
    WaitForSingleObject(debugger.hProcess, 60000);
    CloseHandle(debugger.hThread);
    CloseHandle(debugger.hProcess);
}

// Waits for the process while handling our windows' messages, as a host window's thread
// does: the preview sends its host messages and waits for them to be read.
DWORD WaitPumping(HANDLE process, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds) {
            return WAIT_TIMEOUT;
        }
        if (MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds - waited, QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            return WAIT_OBJECT_0;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
}

HWND FindSaverChild(HWND host) {
    return FindWindowExA(host, nullptr, "SaverWindowClass", nullptr);
}

enum class PreviewHost { Window, Minimised, Box };

// Waits, handling our windows' messages, until `host` is destroyed (true) or the process
// ends or the time is up (false). The close that destroys the host is handled inside the
// wait, and the preview may end within that same wait: that counts as the host gone.
bool WaitForHostGone(HWND host, HANDLE process, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (IsWindow(host)) {
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        if (WaitPumping(process, 50) == WAIT_OBJECT_0) {
            return !IsWindow(host);
        }
    }
    return true;
}

// Hosts the preview as the control panel does: the saver gets our window's handle,
// must put a child window into it, and must end when we destroy our window.
int Preview(const char* saver, PreviewHost kind) {
    HWND host =
        CreateWindowExA(0, "STATIC", "Preview host",
                        WS_OVERLAPPEDWINDOW | WS_VISIBLE | (kind == PreviewHost::Minimised ? WS_MINIMIZE : 0),
                        100, 100, kind == PreviewHost::Box ? 320 : 200, kind == PreviewHost::Box ? 260 : 160,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (host == nullptr) {
        return 1;
    }
    // The settings dialog's box is a child control of the dialog, away from its corner.
    HWND target = kind != PreviewHost::Box
                      ? host
                      : CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE, 60, 50, 152, 112, host,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (target == nullptr) {
        DestroyWindow(host);
        return 1;
    }
    RECT targetClient = {};
    GetClientRect(target, &targetClient);
    std::string commandLine =
        "\"" + WindowsPath(saver) + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(target));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        return 1;
    }
    HWND child = nullptr;
    for (int i = 0; i < 100 && child == nullptr; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(50);
        child = FindSaverChild(target);
    }
    int failures = 0;
    if (child == nullptr) {
        std::fprintf(stderr, "the saver put no window into the host\n");
        ++failures;
    } else {
        RECT childClient = {};
        GetClientRect(child, &childClient);
        if (childClient.right != targetClient.right || childClient.bottom != targetClient.bottom) {
            std::fprintf(stderr, "preview is %ldx%ld, host %ldx%ld\n", childClient.right, childClient.bottom,
                         targetClient.right, targetClient.bottom);
            ++failures;
        }
    }
    if (kind == PreviewHost::Box) {
        POINT origin = {0, 0};
        ClientToScreen(target, &origin);
        std::printf("box %ldx%ld+%ld+%ld\n", targetClient.right, targetClient.bottom, origin.x, origin.y);
        std::fflush(stdout);
        // The script looks at the box meanwhile; two minutes is far more than it needs.
        if (!WaitForHostGone(host, process.hProcess, 120000)) {
            std::fprintf(stderr, WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0
                                     ? "the preview ended by itself\n"
                                     : "no one closed the host within two minutes\n");
            ++failures;
        }
    } else if (WaitPumping(process.hProcess, 1500) != WAIT_TIMEOUT) {
        std::fprintf(stderr, "the preview ended by itself\n");
        ++failures;
    }
    const DWORD destroyed = GetTickCount();
    DestroyWindow(host);
    // DestroyWindow returns once the preview has read its end, between two steps of its
    // start-up or in its loop; on a busy machine a step can take seconds, so only 10 s
    // count as not ending.
    if (WaitPumping(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the preview kept running after its host was destroyed\n");
        PrintStacks();
        TerminateProcess(process.hProcess, 1);
        ++failures;
    } else {
        std::printf("preview ended %lu ms after its host was destroyed\n", GetTickCount() - destroyed);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (exitCode != 0) {
        std::fprintf(stderr, "the preview exited with %lu\n", exitCode);
        ++failures;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return failures == 0 ? 0 : 1;
}

int DeadWindow() {
    HWND window = CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(window);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return IsWindow(window) ? 1 : 0;
}

int NonWindow() {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(event)));
    return IsWindow(reinterpret_cast<HWND>(event)) ? 1 : 0;
}

// The key's own access list: with `deny`, one entry refusing every use but changing the
// list itself; otherwise none, which lets everyone in.
int DenyKey(const char* path, bool deny) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return 1;
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    char aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);
    if (deny) {
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_ALL_ACCESS & ~(WRITE_DAC | READ_CONTROL), everyone);
    }
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    const LONG result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    FreeSid(everyone);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot set the access of %s: %ld\n", path, result);
        return 1;
    }
    return 0;
}

int Sample(const char* title, const char* seconds, const char* interval) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        std::fprintf(stderr, "cannot open process %lu\n", processId);
        return 1;
    }
    const DWORD total = static_cast<DWORD>(std::atoi(seconds)) * 1000;
    const DWORD step = static_cast<DWORD>(std::atoi(interval));
    const DWORD start = GetTickCount();
    for (DWORD now = 0; now <= total; now = GetTickCount() - start) {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof(memory);
        DWORD handles = 0;
        if (!GetProcessMemoryInfo(process, &memory, sizeof(memory)) ||
            !GetProcessHandleCount(process, &handles)) {
            break;  // the process has gone
        }
        std::printf("%lu %lu %lu %lu %lu\n", now, static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                    GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                    handles);
        std::fflush(stdout);
        if (WaitForSingleObject(process, step) != WAIT_TIMEOUT) {
            break;
        }
    }
    CloseHandle(process);
    return 0;
}

// The x87 control word of `thread`, or -1. Wine leaves a context's floating-point part
// empty when it catches the thread at some points of a system call: a real control word
// has its reserved bit 6 set, so an empty one is read again.
long ReadControlWord(HANDLE thread) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_FLOATING_POINT;
        const bool read =
            SuspendThread(thread) != static_cast<DWORD>(-1) && GetThreadContext(thread, &context);
        ResumeThread(thread);
#ifdef _WIN64
        const unsigned controlWord = context.FltSave.ControlWord;
#else
        const unsigned controlWord = context.FloatSave.ControlWord & 0xffff;
#endif
        if (read && (controlWord & 0x40) != 0) {
            return static_cast<long>(controlWord);
        }
        Sleep(10);
    }
    return -1;
}

// Direct3D 8 switches the x87 unit of the thread that creates a device to single
// precision unless told to keep it; the thread that owns the window made the device.
int Precision(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SUSPEND_RESUME, FALSE, threadId);
    if (thread == nullptr) {
        std::fprintf(stderr, "cannot open thread %lu\n", threadId);
        return 1;
    }
    const long controlWord = ReadControlWord(thread);
    CloseHandle(thread);
    if (controlWord < 0) {
        std::fprintf(stderr, "cannot read the x87 control word of thread %lu\n", threadId);
        return 1;
    }
    static const char* const precisions[] = {"single", "reserved", "double", "extended"};
    std::printf("x87 0x%04lx precision %s\n", controlWord, precisions[(controlWord >> 8) & 3]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Rectangles in the screen's own pixels, as screenshots have them, at any DPI: a
    // program unaware of the DPI would see the saver's windows scaled to 96 dpi.
    SetProcessDPIAware();
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        return Close(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "describe") == 0) {
        return Describe(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
        return List(argv[2]);
    }
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0) {
        return Monitors();
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "preview") == 0) {
        const char* kind = argc == 4 ? argv[3] : "";
        return Preview(argv[2], std::strcmp(kind, "minimised") == 0 ? PreviewHost::Minimised
                                : std::strcmp(kind, "box") == 0     ? PreviewHost::Box
                                                                    : PreviewHost::Window);
    }
    if (argc == 2 && std::strcmp(argv[1], "deadwindow") == 0) {
        return DeadWindow();
    }
    if (argc == 2 && std::strcmp(argv[1], "nonwindow") == 0) {
        return NonWindow();
    }
    if (argc == 4 && std::strcmp(argv[1], "denykey") == 0) {
        return DenyKey(argv[2], std::strcmp(argv[3], "on") == 0);
    }
    if (argc == 4 && std::strcmp(argv[1], "click") == 0) {
        return Click(argv[2], argv[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "control") == 0) {
        return Control(argv[2], argv[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "area") == 0) {
        return Area(argv[2], argv[3]);
    }
    if (argc == 5 && std::strcmp(argv[1], "select") == 0) {
        return Select(argv[2], argv[3], argv[4]);
    }
    if (argc == 4 && std::strcmp(argv[1], "display") == 0) {
        return ReportPowerSetting(argv[2], ConsoleDisplayState, argv[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "battery") == 0) {
        return ReportPowerSetting(argv[2], PowerSource, argv[3]);
    }
    if (argc == 3 && std::strcmp(argv[1], "precision") == 0) {
        return Precision(argv[2]);
    }
    if (argc == 5 && std::strcmp(argv[1], "sample") == 0) {
        return Sample(argv[2], argv[3], argv[4]);
    }
    std::fprintf(stderr,
                 "usage: e2e_helper close TITLE | describe TITLE | list TITLE | monitors | preview SAVER "
                 "[minimised|box] |\n"
                 "       click TITLE ID | control TITLE ID | select TITLE ID ITEM | display TITLE STATE |\n"
                 "       battery TITLE ON | precision TITLE |\n"
                 "       sample TITLE SECONDS INTERVAL_MS | deadwindow | nonwindow | denykey KEY on|off\n");
    return 2;
}
