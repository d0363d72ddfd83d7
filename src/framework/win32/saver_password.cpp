#include <memory>

#include "framework/password_requirement.h"
#include "framework/status_codes.h"
#include "framework/win32/saver_base.h"
#include "util/win32/registry_key.h"
#include "util/win32/system_library.h"

// On the Windows 9x family the saver itself asks for the screen-saver password before
// the desktop may be seen again; later systems do that themselves.

namespace {

bool PasswordRequired() {
    std::unique_ptr<RegistryKey> desktop =
        RegistryKey::OpenForReading(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    return desktop && ScreenSaverPasswordRequired(*desktop);
}

template <typename Fn>
Fn EntryPoint(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

void SaverBase::PreparePasswordVerifier() {
    if (!PasswordRequired()) {
        return;
    }
    passwordLibrary = LoadSystemLibrary("PASSWORD.CPL");
    if (passwordLibrary != nullptr) {
        verifyPassword = EntryPoint<VerifyPasswordProc>(passwordLibrary, "VerifyScreenSavePwd");
    }
}

// Releases the devices so the system's prompt can appear over the saver windows. True
// when the password was accepted; otherwise the devices are created again as they were.
bool SaverBase::CheckPassword() {
    ReleaseDevicesKeepingTheirSettings();
    for (DWORD i = 0; i < adapterCount; ++i) {
        if (adapters[i] != nullptr && adapters[i]->window != nullptr) {
            ShowWindow(adapters[i]->window, SW_RESTORE);
            ShowWindow(adapters[i]->window, SW_MAXIMIZE);
        }
    }

    checkingPassword = TRUE;
    const BOOL accepted = verifyPassword(mainWindow);
    checkingPassword = FALSE;
    if (accepted) {
        screenDeviceCount = 0;
        return true;
    }

    SetCursor(nullptr);
    mouseMoveCount = 0;
    for (DWORD i = 0; i < screenDeviceCount; ++i) {
        ScreenDevice& screen = screenDevices[i];
        if (FAILED(CreateDeviceHoldingDirect3D(screen.adapterIndex, screen.deviceType, &screen))) {
            EnterErrorMode(ErrCreateDeviceFailed);
            continue;
        }
        SwitchToScreenDevice(i);
        if (SUCCEEDED(CreateDeviceObjects())) {
            screen.objectsCreated = TRUE;
        } else {
            EnterErrorMode(ErrDeviceObjectsFailed);
        }
        if (SUCCEEDED(PrepareDeviceObjects())) {
            screen.objectsPrepared = TRUE;
        } else {
            EnterErrorMode(ErrDeviceObjectsFailed);
        }
    }
    return false;
}

void SaverBase::ChangeSaverPassword() {
    typedef DWORD(WINAPI * ChangePasswordProc)(const char*, HWND, UINT, UINT);
    HMODULE library = LoadSystemLibrary("MPR.DLL");
    if (library == nullptr) {
        return;
    }
    ChangePasswordProc changePassword = EntryPoint<ChangePasswordProc>(library, "PwdChangePasswordA");
    if (changePassword != nullptr) {
        changePassword("SCRSAVE", parentWindow, 0, 0);
    }
    FreeLibrary(library);
}
