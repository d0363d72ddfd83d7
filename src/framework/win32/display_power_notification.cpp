#include "framework/win32/display_power_notification.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "framework/display_power_state.h"

namespace {

typedef HPOWERNOTIFY(WINAPI* RegisterFn)(HANDLE, LPCGUID, DWORD);

// The pointers carry the functions' calling convention; the 32-bit build checks them
// against winuser.h (a 64-bit build has only one convention and cannot tell).
static_assert(std::is_same_v<RegisterFn, decltype(&::RegisterPowerSettingNotification)>);
static_assert(
    std::is_same_v<DisplayPowerNotification::UnregisterFn, decltype(&::UnregisterPowerSettingNotification)>);

static_assert(sizeof(PowerSettingGuid) == sizeof(GUID), "the portable GUID has the Win32 layout");
static_assert(offsetof(PowerSettingReport, dataLength) == offsetof(POWERBROADCAST_SETTING, DataLength) &&
                  offsetof(PowerSettingReport, data) == offsetof(POWERBROADCAST_SETTING, Data),
              "the portable report has the layout of POWERBROADCAST_SETTING");

bool hideFunctions = false;

template <typename Fn>
Fn LookUp(const char* name) {
    HMODULE user32 = GetModuleHandleA("USER32");
    if (hideFunctions || user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

bool DisplayPowerNotification::Register(HWND window) {
    Unregister();
    const RegisterFn registerFn = LookUp<RegisterFn>("RegisterPowerSettingNotification");
    const UnregisterFn unregisterFn = LookUp<UnregisterFn>("UnregisterPowerSettingNotification");
    // Both or neither: a registration that could not be ended is not made.
    if (registerFn == nullptr || unregisterFn == nullptr) {
        return false;
    }
    GUID setting;
    std::memcpy(&setting, &ConsoleDisplayStateGuid, sizeof(setting));
    handle_ = registerFn(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
    unregister_ = (handle_ != nullptr) ? unregisterFn : nullptr;
    return handle_ != nullptr;
}

void DisplayPowerNotification::Unregister() {
    if (handle_ == nullptr) {
        return;
    }
    unregister_(handle_);
    handle_ = nullptr;
    unregister_ = nullptr;
}

void DisplayPowerNotification::HideFunctionsForTesting(bool hide) {
    hideFunctions = hide;
}
