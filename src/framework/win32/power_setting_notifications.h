#pragma once

#include <windows.h>

// A window's registration for the system's power-setting reports the saver follows
// (Windows Vista and later): WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE and a
// POWERBROADCAST_SETTING for the console display's state, the monitor's power, the power
// source and battery saver, each first right after registration. The functions are looked
// up at run time so that older systems still start; there Register fails and no report
// ever comes. A setting the system does not know is left out.
//
// One owner; Unregister, or destruction, ends the registrations.
class PowerSettingNotifications {
public:
    PowerSettingNotifications() = default;
    PowerSettingNotifications(const PowerSettingNotifications&) = delete;
    PowerSettingNotifications& operator=(const PowerSettingNotifications&) = delete;
    ~PowerSettingNotifications() { Unregister(); }

    // Registers `window`, ending any earlier registrations first. False when the system
    // lacks the functions or refuses every setting.
    bool Register(HWND window);
    void Unregister();
    bool Registered() const { return count_ > 0; }

    // Tests: behave as on a system without the functions.
    static void HideFunctionsForTesting(bool hide);

    typedef BOOL(WINAPI* UnregisterFn)(HPOWERNOTIFY);

private:
    static constexpr int MaxSettings = 4;
    HPOWERNOTIFY handles_[MaxSettings] = {};
    int count_ = 0;
    UnregisterFn unregister_ = nullptr;  // found with the registrations, so it can always end them
};
