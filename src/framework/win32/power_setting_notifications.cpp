#include "framework/win32/power_setting_notifications.h"

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
    std::is_same_v<PowerSettingNotifications::UnregisterFn, decltype(&::UnregisterPowerSettingNotification)>);

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

bool PowerSettingNotifications::Register(HWND window) {
    Unregister();
    const RegisterFn registerFn = LookUp<RegisterFn>("RegisterPowerSettingNotification");
    const UnregisterFn unregisterFn = LookUp<UnregisterFn>("UnregisterPowerSettingNotification");
    // Both or neither: a registration that could not be ended is not made.
    if (registerFn == nullptr || unregisterFn == nullptr) {
        return false;
    }
    const PowerSettingGuid* settings[MaxSettings] = {&ConsoleDisplayStateGuid, &MonitorPowerOnGuid,
                                                     &PowerSourceGuid, &PowerSavingStatusGuid};
    for (const PowerSettingGuid* setting : settings) {
        GUID guid;
        std::memcpy(&guid, setting, sizeof(guid));
        HPOWERNOTIFY handle = registerFn(window, &guid, DEVICE_NOTIFY_WINDOW_HANDLE);
        if (handle != nullptr) {
            handles_[count_++] = handle;
        }
    }
    unregister_ = count_ > 0 ? unregisterFn : nullptr;
    return count_ > 0;
}

void PowerSettingNotifications::Unregister() {
    for (int i = 0; i < count_; ++i) {
        unregister_(handles_[i]);
        handles_[i] = nullptr;
    }
    count_ = 0;
    unregister_ = nullptr;
}

void PowerSettingNotifications::HideFunctionsForTesting(bool hide) {
    hideFunctions = hide;
}
