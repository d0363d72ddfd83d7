#pragma once

#include <cstdint>

// The power settings the saver listens to, as the system reports them: which setting
// changed, and its value. Each value is a 32-bit number.

// A GUID in its Win32 layout.
struct PowerSettingGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

// GUID_CONSOLE_DISPLAY_STATE (Windows 8 and later): the display is off (0), on (1) or
// dimmed (2).
extern const PowerSettingGuid ConsoleDisplayStateGuid;
// GUID_MONITOR_POWER_ON (Windows Vista and later): the monitor is off (0) or on (1).
extern const PowerSettingGuid MonitorPowerOnGuid;
// GUID_ACDC_POWER_SOURCE: mains (0), battery (1) or a short-term source such as a UPS (2).
extern const PowerSettingGuid PowerSourceGuid;
// GUID_POWER_SAVING_STATUS (Windows 10 and later): battery saver off (0) or on (1).
extern const PowerSettingGuid PowerSavingStatusGuid;

enum ConsoleDisplayState : uint32_t {
    DisplayStateOff = 0,
    DisplayStateOn = 1,
    DisplayStateDimmed = 2,
};

enum class PowerSetting { ConsoleDisplay, MonitorPower, PowerSource, PowerSaving };

// The head of a power-setting report in the layout of POWERBROADCAST_SETTING: which
// setting changed, how many bytes of data follow, then the data.
struct PowerSettingReport {
    PowerSettingGuid setting;
    uint32_t dataLength;
    uint8_t data[1];
};

// Which of the settings above a report is about, and its value. False, leaving both
// alone, for a null report, a report about any other setting, or one whose data is
// shorter than a value.
bool ReadPowerSetting(const PowerSettingReport* report, PowerSetting* setting, uint32_t* value);

// What a display report means for the frames.
enum class FrameChange {
    None,    // nothing changes
    Stop,    // the display went off: stop drawing
    Resume,  // the display came back: draw again
};

// Whether frames are worth drawing. They are until a report says the display is off; a
// dimmed display still shows the picture and counts as on. Repeated reports of the same
// state, and states the system may add later, change nothing. Windows 8 and later report
// the console display, older systems only the monitor's power; where both come, the
// console display's reports are the ones followed.
class DisplayPowerState {
public:
    FrameChange ReportConsoleDisplay(uint32_t state);
    FrameChange ReportMonitorPower(uint32_t on);
    bool DisplayOff() const { return off_; }

private:
    FrameChange Become(bool off);

    bool off_ = false;
    bool consoleReports_ = false;
};

// Whether the machine saves its battery: it runs on a battery or a short-term source, or
// battery saver is on. Reports of unknown values change nothing. Each report answers
// whether Saving() changed.
class BatterySaving {
public:
    bool ReportPowerSource(uint32_t source);
    bool ReportPowerSaving(uint32_t status);
    bool Saving() const { return onBattery_ || saverOn_; }

private:
    bool onBattery_ = false;
    bool saverOn_ = false;
};
