#include "util/win32/system_library.h"

#include <cstring>

namespace {

// LoadLibraryExA knows LOAD_LIBRARY_SEARCH_SYSTEM32 where AddDllDirectory exists (from
// Windows 8, and Windows 7 with update KB2533623); elsewhere it refuses the flag.
bool SystemSearchFlagKnown() {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 != nullptr && GetProcAddress(kernel32, "AddDllDirectory") != nullptr;
}

}  // namespace

HMODULE LoadSystemLibrary(const char* fileName) {
    if (SystemSearchFlagKnown()) {
        return LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = std::strlen(fileName);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    std::memcpy(path + length + 1, fileName, nameLength + 1);
    // The library's own dependencies are then looked for beside it, in the system folder.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
