#include "framework/display_power_state.h"

#include <cstring>

const PowerSettingGuid ConsoleDisplayStateGuid = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
const PowerSettingGuid MonitorPowerOnGuid = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
const PowerSettingGuid PowerSourceGuid = {
    0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};
const PowerSettingGuid PowerSavingStatusGuid = {
    0xE00958C0, 0xC213, 0x4ACE, {0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}};

namespace {

bool SameGuid(const PowerSettingGuid& a, const PowerSettingGuid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof(a.data4)) == 0;
}

}  // namespace

bool ReadPowerSetting(const PowerSettingReport* report, PowerSetting* setting, uint32_t* value) {
    if (report == nullptr || report->dataLength < sizeof(uint32_t)) {
        return false;
    }
    const struct {
        const PowerSettingGuid& guid;
        PowerSetting setting;
    } known[] = {
        {ConsoleDisplayStateGuid, PowerSetting::ConsoleDisplay},
        {MonitorPowerOnGuid, PowerSetting::MonitorPower},
        {PowerSourceGuid, PowerSetting::PowerSource},
        {PowerSavingStatusGuid, PowerSetting::PowerSaving},
    };
    for (const auto& entry : known) {
        if (SameGuid(report->setting, entry.guid)) {
            *setting = entry.setting;
            // The data need not be aligned for a 32-bit read.
            std::memcpy(value, report->data, sizeof(uint32_t));
            return true;
        }
    }
    return false;
}

FrameChange DisplayPowerState::ReportConsoleDisplay(uint32_t state) {
    consoleReports_ = true;
    switch (state) {
        case DisplayStateOff:
            return Become(true);
        case DisplayStateOn:
        case DisplayStateDimmed:
            return Become(false);
        default:
            return FrameChange::None;
    }
}

FrameChange DisplayPowerState::ReportMonitorPower(uint32_t on) {
    if (consoleReports_ || on > 1) {
        return FrameChange::None;
    }
    return Become(on == 0);
}

FrameChange DisplayPowerState::Become(bool off) {
    if (off == off_) {
        return FrameChange::None;
    }
    off_ = off;
    return off ? FrameChange::Stop : FrameChange::Resume;
}

bool BatterySaving::ReportPowerSource(uint32_t source) {
    const bool before = Saving();
    if (source <= 2) {
        onBattery_ = source != 0;
    }
    return Saving() != before;
}

bool BatterySaving::ReportPowerSaving(uint32_t status) {
    const bool before = Saving();
    if (status <= 1) {
        saverOn_ = status == 1;
    }
    return Saving() != before;
}
