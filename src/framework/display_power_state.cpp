#include "framework/display_power_state.h"

#include <cstring>

const PowerSettingGuid ConsoleDisplayStateGuid = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};

namespace {

bool SameGuid(const PowerSettingGuid& a, const PowerSettingGuid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof(a.data4)) == 0;
}

}  // namespace

bool ReadConsoleDisplayState(const PowerSettingReport* report, uint32_t* state) {
    if (report == nullptr || !SameGuid(report->setting, ConsoleDisplayStateGuid) ||
        report->dataLength < sizeof(uint32_t)) {
        return false;
    }
    // The data need not be aligned for a 32-bit read.
    std::memcpy(state, report->data, sizeof(uint32_t));
    return true;
}

FrameChange DisplayPowerState::Report(uint32_t state) {
    bool off = off_;
    switch (state) {
        case DisplayStateOff:
            off = true;
            break;
        case DisplayStateOn:
        case DisplayStateDimmed:
            off = false;
            break;
        default:
            return FrameChange::None;
    }
    if (off == off_) {
        return FrameChange::None;
    }
    off_ = off;
    return off ? FrameChange::Stop : FrameChange::Resume;
}
