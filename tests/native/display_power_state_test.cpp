#include "framework/display_power_state.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// A report as the system lays it out: the head, then `dataLength` bytes of data.
class Report {
public:
    Report(const PowerSettingGuid& setting, uint32_t dataLength, uint32_t state) {
        PowerSettingReport head = {};
        head.setting = setting;
        head.dataLength = dataLength;
        std::memcpy(bytes_, &head, sizeof(head));
        std::memcpy(bytes_ + offsetof(PowerSettingReport, data), &state, sizeof(state));
    }
    const PowerSettingReport* get() const { return reinterpret_cast<const PowerSettingReport*>(bytes_); }

private:
    alignas(PowerSettingReport) unsigned char bytes_[sizeof(PowerSettingReport) + 8] = {};
};

TEST(PowerSettingReport, ReadsTheSettingsItKnowsWithAWholeValue) {
    PowerSettingGuid other = ConsoleDisplayStateGuid;
    other.data4[7] ^= 1;  // one bit away
    struct Case {
        PowerSettingGuid guid;
        uint32_t dataLength;
        bool read;
        PowerSetting setting;
    };
    const Case cases[] = {
        {ConsoleDisplayStateGuid, 4, true, PowerSetting::ConsoleDisplay},
        {ConsoleDisplayStateGuid, 8, true, PowerSetting::ConsoleDisplay},
        {MonitorPowerOnGuid, 4, true, PowerSetting::MonitorPower},
        {PowerSourceGuid, 4, true, PowerSetting::PowerSource},
        {PowerSavingStatusGuid, 4, true, PowerSetting::PowerSaving},
        {ConsoleDisplayStateGuid, 3, false, PowerSetting::ConsoleDisplay},
        {PowerSourceGuid, 0, false, PowerSetting::ConsoleDisplay},
        {other, 4, false, PowerSetting::ConsoleDisplay},
    };
    for (const Case& c : cases) {
        const Report report(c.guid, c.dataLength, 2);
        PowerSetting setting = PowerSetting::ConsoleDisplay;
        uint32_t value = 77;
        EXPECT_EQ(ReadPowerSetting(report.get(), &setting, &value), c.read) << c.dataLength;
        EXPECT_EQ(value, c.read ? 2u : 77u) << "a rejected report leaves the value alone";
        EXPECT_EQ(setting, c.setting);
    }
    PowerSetting setting = PowerSetting::ConsoleDisplay;
    uint32_t value = 77;
    EXPECT_FALSE(ReadPowerSetting(nullptr, &setting, &value));
}

TEST(PowerSettingReport, TheGuidsAreTheSystemsInItsByteOrder) {
    static_assert(sizeof(ConsoleDisplayStateGuid) == 16, "a GUID is 16 bytes");
    // {6FE69556-704A-47A0-8F24-C28D936FDA47}, {02731015-4510-4526-99E6-E5A17EBD1AEA},
    // {5D3E9A59-E9D5-4B00-A6BD-FF34FF516548}, {E00958C0-C213-4ACE-AC77-FECCED2EEEA5}.
    const struct {
        const PowerSettingGuid& guid;
        unsigned char bytes[16];
    } known[] = {
        {ConsoleDisplayStateGuid,
         {0x56, 0x95, 0xE6, 0x6F, 0x4A, 0x70, 0xA0, 0x47, 0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}},
        {MonitorPowerOnGuid,
         {0x15, 0x10, 0x73, 0x02, 0x10, 0x45, 0x26, 0x45, 0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}},
        {PowerSourceGuid,
         {0x59, 0x9A, 0x3E, 0x5D, 0xD5, 0xE9, 0x00, 0x4B, 0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}},
        {PowerSavingStatusGuid,
         {0xC0, 0x58, 0x09, 0xE0, 0x13, 0xC2, 0xCE, 0x4A, 0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}},
    };
    for (const auto& k : known) {
        EXPECT_EQ(std::memcmp(&k.guid, k.bytes, 16), 0) << std::hex << k.guid.data1;
    }
    EXPECT_EQ(offsetof(PowerSettingReport, data), 20u) << "the layout of POWERBROADCAST_SETTING";
}

TEST(DisplayPowerState, FramesStopWhenTheDisplayGoesOffAndResumeWhenItComesBackOrDims) {
    struct Step {
        uint32_t state;
        FrameChange change;
        bool off;
    };
    const std::vector<Step> steps = {
        {DisplayStateOn, FrameChange::None, false},      // the report right after registration
        {DisplayStateDimmed, FrameChange::None, false},  // dimmed is still seen
        {DisplayStateOff, FrameChange::Stop, true},
        {DisplayStateOff, FrameChange::None, true},  // a repeated report
        {3, FrameChange::None, true},                // an unknown state changes nothing
        {0xFFFFFFFF, FrameChange::None, true},
        {DisplayStateDimmed, FrameChange::Resume, false},
        {DisplayStateOn, FrameChange::None, false},
        {DisplayStateOff, FrameChange::Stop, true},
        {DisplayStateOn, FrameChange::Resume, false},
    };
    DisplayPowerState power;
    EXPECT_FALSE(power.DisplayOff()) << "frames run before any report";
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(power.ReportConsoleDisplay(steps[i].state), steps[i].change) << "step " << i;
        EXPECT_EQ(power.DisplayOff(), steps[i].off) << "step " << i;
    }
}

// Vista and 7 report only the monitor's power; later systems report both, and the
// console display's reports, which know dimming, are the ones followed.
TEST(DisplayPowerState, TheMonitorsPowerCountsUntilTheConsoleDisplayReports) {
    DisplayPowerState power;
    EXPECT_EQ(power.ReportMonitorPower(1), FrameChange::None);
    EXPECT_EQ(power.ReportMonitorPower(0), FrameChange::Stop);
    EXPECT_EQ(power.ReportMonitorPower(2), FrameChange::None) << "an unknown value";
    EXPECT_EQ(power.ReportMonitorPower(1), FrameChange::Resume);
    EXPECT_EQ(power.ReportConsoleDisplay(DisplayStateDimmed), FrameChange::None);
    EXPECT_EQ(power.ReportMonitorPower(0), FrameChange::None) << "the console display's word stands";
    EXPECT_FALSE(power.DisplayOff());
}

TEST(BatterySaving, ABatteryOrBatterySaverSavesTillBothAreGone) {
    struct Step {
        PowerSetting setting;
        uint32_t value;
        bool changed;
        bool saving;
    };
    const std::vector<Step> steps = {
        {PowerSetting::PowerSource, 0, false, false},  // mains, as reported at registration
        {PowerSetting::PowerSource, 1, true, true},    // battery
        {PowerSetting::PowerSaving, 1, false, true},   // and battery saver
        {PowerSetting::PowerSource, 0, false, true},   // mains, battery saver still on
        {PowerSetting::PowerSaving, 0, true, false},  {PowerSetting::PowerSource, 2, true, true},  // a UPS
        {PowerSetting::PowerSource, 9, false, true},                                               // unknown
        {PowerSetting::PowerSaving, 5, false, true},  {PowerSetting::PowerSource, 0, true, false},
    };
    BatterySaving battery;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const bool changed = s.setting == PowerSetting::PowerSource ? battery.ReportPowerSource(s.value)
                                                                    : battery.ReportPowerSaving(s.value);
        EXPECT_EQ(changed, s.changed) << "step " << i;
        EXPECT_EQ(battery.Saving(), s.saving) << "step " << i;
    }
}

}  // namespace
