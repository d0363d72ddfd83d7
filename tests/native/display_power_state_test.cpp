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

TEST(DisplayPowerReport, ReadsTheStateOfTheConsoleDisplaySettingOnly) {
    PowerSettingGuid other = ConsoleDisplayStateGuid;
    other.data4[7] ^= 1;  // one bit away
    struct Case {
        PowerSettingGuid setting;
        uint32_t dataLength;
        bool read;
    };
    for (const Case& c : {Case{ConsoleDisplayStateGuid, 4, true}, Case{ConsoleDisplayStateGuid, 8, true},
                          Case{ConsoleDisplayStateGuid, 3, false}, Case{ConsoleDisplayStateGuid, 0, false},
                          Case{other, 4, false}}) {
        const Report report(c.setting, c.dataLength, 2);
        uint32_t state = 77;
        EXPECT_EQ(ReadConsoleDisplayState(report.get(), &state), c.read) << c.dataLength;
        EXPECT_EQ(state, c.read ? 2u : 77u) << "a rejected report leaves the state alone";
    }
    uint32_t state = 77;
    EXPECT_FALSE(ReadConsoleDisplayState(nullptr, &state));
}

TEST(DisplayPowerReport, TheGuidIsTheConsoleDisplayState) {
    // {6FE69556-704A-47A0-8F24-C28D936FDA47}, in the byte order Windows keeps it.
    const unsigned char expected[16] = {0x56, 0x95, 0xE6, 0x6F, 0x4A, 0x70, 0xA0, 0x47,
                                        0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47};
    static_assert(sizeof(ConsoleDisplayStateGuid) == 16, "a GUID is 16 bytes");
    EXPECT_EQ(std::memcmp(&ConsoleDisplayStateGuid, expected, 16), 0);
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
        EXPECT_EQ(power.Report(steps[i].state), steps[i].change) << "step " << i;
        EXPECT_EQ(power.DisplayOff(), steps[i].off) << "step " << i;
    }
}

}  // namespace
