#pragma once

#include <windows.h>

// A window's registration for the system's reports of the console display's power state
// (Windows Vista and later): WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE and a
// POWERBROADCAST_SETTING for GUID_CONSOLE_DISPLAY_STATE, the first right after
// registration. RegisterPowerSettingNotification is looked up at run time so that older
// systems still start; there Register fails and no report ever comes.
//
// One owner; Unregister, or destruction, ends the registration.
class DisplayPowerNotification {
public:
    DisplayPowerNotification() = default;
    DisplayPowerNotification(const DisplayPowerNotification&) = delete;
    DisplayPowerNotification& operator=(const DisplayPowerNotification&) = delete;
    ~DisplayPowerNotification() { Unregister(); }

    // Registers `window`, ending any earlier registration first. False when the system
    // lacks the function or refuses.
    bool Register(HWND window);
    void Unregister();
    bool Registered() const { return handle_ != nullptr; }

    // Tests: behave as on a system without the functions.
    static void HideFunctionsForTesting(bool hide);

    typedef BOOL(WINAPI* UnregisterFn)(HPOWERNOTIFY);

private:
    HPOWERNOTIFY handle_ = nullptr;
    UnregisterFn unregister_ = nullptr;  // found with the registration, so it can always end it
};
