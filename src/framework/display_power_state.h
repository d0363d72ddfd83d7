#pragma once

#include <cstdint>

// The console display's power state as the system reports it (the data of the
// GUID_CONSOLE_DISPLAY_STATE power setting).
enum ConsoleDisplayState : uint32_t {
    DisplayStateOff = 0,
    DisplayStateOn = 1,
    DisplayStateDimmed = 2,
};

// A GUID in its Win32 layout.
struct PowerSettingGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

// GUID_CONSOLE_DISPLAY_STATE, {6FE69556-704A-47A0-8F24-C28D936FDA47}.
extern const PowerSettingGuid ConsoleDisplayStateGuid;

// The head of a power-setting report in the layout of POWERBROADCAST_SETTING: which
// setting changed, how many bytes of data follow, then the data.
struct PowerSettingReport {
    PowerSettingGuid setting;
    uint32_t dataLength;
    uint8_t data[1];
};

// The display state a report carries. False, leaving `state` alone, for a null report,
// a report about another setting, or one whose data is shorter than a state.
bool ReadConsoleDisplayState(const PowerSettingReport* report, uint32_t* state);

// What a display-state report means for the frames.
enum class FrameChange {
    None,    // nothing changes
    Stop,    // the display went off: stop drawing
    Resume,  // the display came back: draw again
};

// Whether frames are worth drawing. They are until a report says the display is off; a
// dimmed display still shows the picture and counts as on. Repeated reports of the same
// state, and states the system may add later, change nothing.
class DisplayPowerState {
public:
    FrameChange Report(uint32_t state);
    bool DisplayOff() const { return off_; }

private:
    bool off_ = false;
};
