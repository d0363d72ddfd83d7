#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/win32/display_power_notification.h"
#include "util/win32/frame_timer.h"
#include "support/test_saver.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE, written out here as the system documents it.
const GUID ConsoleDisplayState = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};

// A POWERBROADCAST_SETTING as the system sends it, with room for a 32-bit state.
struct PowerSetting {
    PowerSetting(const GUID& setting, DWORD dataLength, DWORD state) {
        POWERBROADCAST_SETTING* head = get();
        head->PowerSetting = setting;
        head->DataLength = dataLength;
        std::memcpy(head->Data, &state, sizeof(state));
    }
    POWERBROADCAST_SETTING* get() { return reinterpret_cast<POWERBROADCAST_SETTING*>(bytes); }

    alignas(POWERBROADCAST_SETTING) BYTE bytes[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
};

// A saver that remembers the timer's readings of every frame.
class TimedSaver : public TestSaver {
public:
    struct Reading {
        float time;
        float elapsed;
    };
    std::vector<Reading> readings;

    HRESULT AdvanceFrame() override {
        readings.push_back(Reading{time, elapsedTime});
        return TestSaver::AdvanceFrame();
    }
};

// Runs the saver's own loop; every 100 ms the test's step n = 1, 2, ... runs inside it,
// until a step answers false and the test window is closed, or the run ends otherwise.
class DisplayPower : public ::testing::Test {
protected:
    void TearDown() override {
        DisplayPowerNotification::HideFunctionsForTesting(false);
        saver_.DestroyWindows();
        PumpMessages();
    }

    void Run(const char* commandLine, std::function<bool(int)> step) {
        ASSERT_EQ(saver_.Start(commandLine), S_OK);
        step_ = std::move(step);
        steps_ = 0;
        current_ = this;
        SetTimer(saver_.mainWindow, 9, 100, OnTimer);
        EXPECT_EQ(saver_.RunSaver(), S_OK);
        current_ = nullptr;
    }

    LRESULT Report(DWORD state) { return Report(ConsoleDisplayState, sizeof(DWORD), state); }
    LRESULT Report(const GUID& setting, DWORD dataLength, DWORD state) {
        PowerSetting report(setting, dataLength, state);
        return SendMessageA(saver_.mainWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                            reinterpret_cast<LPARAM>(report.get()));
    }

    TimedSaver saver_;

private:
    static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
        if (current_ == nullptr) {
            KillTimer(window, id);
        } else if (++current_->steps_ > 50) {
            KillTimer(window, id);
            ADD_FAILURE() << "the run went on for five seconds";
            current_->saver_.EndSaver();  // a full-screen window ignores being closed
        } else if (!current_->step_(current_->steps_)) {
            KillTimer(window, id);
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }

    static DisplayPower* current_;
    std::function<bool(int)> step_;
    int steps_ = 0;
};

DisplayPower* DisplayPower::current_ = nullptr;

TEST_F(DisplayPower, FramesStopWhileTheDisplayIsOffAndResumeWithoutALeap) {
    size_t framesAtOff = 0;
    size_t framesWhileOff = 0;
    size_t framesAtResume = 0;
    double timeAtOff = 0.0;
    double timeWhileOff = 0.0;
    DWORD offAt = 0;
    DWORD resumedAt = 0;
    Run("ssaver.scr /t", [&](int n) {
        switch (n) {
            case 3:
                EXPECT_GT(saver_.readings.size(), 0u) << "frames before the report";
                Report(DisplayStateOn);  // as the system reports right after registration
                Report(DisplayStateOff);
                framesAtOff = saver_.readings.size();
                timeAtOff = FrameTimer(TimerAppTime);
                offAt = GetTickCount();
                return true;
            case 6:
                framesWhileOff = saver_.readings.size() - framesAtOff;
                timeWhileOff = FrameTimer(TimerAppTime);
                Report(DisplayStateOff);  // said again, still off
                Report(DisplayStateDimmed);
                framesAtResume = saver_.readings.size();
                resumedAt = GetTickCount();
                return true;
            case 9:
                return false;
            default:
                return true;
        }
    });
    EXPECT_TRUE(saver_.Ended());
    EXPECT_EQ(framesWhileOff, 0u) << "no frame while the display is off";
    ASSERT_GT(saver_.readings.size(), framesAtResume) << "frames again once it dims";
    const float darkSpan = (resumedAt - offAt) / 1000.0f;
    EXPECT_GE(darkSpan, 0.2f);

    // The timer stood still in the dark, and the first frame after it goes on from there.
    EXPECT_EQ(timeWhileOff, timeAtOff);
    const TimedSaver::Reading& first = saver_.readings[framesAtResume];
    EXPECT_LT(first.elapsed, darkSpan / 2) << "the planets would leap over the dark span";
    EXPECT_NEAR(first.time - timeAtOff, first.elapsed, 0.01);
}

TEST_F(DisplayPower, InputWhileTheDisplayIsOffStillEndsAFullScreenRun) {
    size_t framesAtOff = 0;
    Run("ssaver.scr /s", [&](int n) {
        if (n == 1) {
            Report(DisplayStateOff);
            framesAtOff = saver_.readings.size();
        } else if (n == 3) {
            SendMessageA(saver_.mainWindow, WM_KEYDOWN, VK_SPACE, 0);
            EXPECT_TRUE(saver_.Ended()) << "a key ends the run at once";
        }
        return true;  // the key ends the loop; a run that goes on fails below
    });
    EXPECT_TRUE(saver_.Ended());
    EXPECT_EQ(saver_.readings.size(), framesAtOff);
}

// Where the system lacks the function nothing is registered, and frames go on whatever
// arrives; reports about other settings, without a whole state, or of an unknown state
// change nothing either.
struct IgnoredReport {
    const char* name;
    bool hideFunctions;
    GUID setting;
    DWORD dataLength;
    DWORD state;
};

class DisplayPowerIgnores : public DisplayPower, public ::testing::WithParamInterface<IgnoredReport> {};

TEST_P(DisplayPowerIgnores, FramesGoOn) {
    const IgnoredReport& c = GetParam();
    DisplayPowerNotification::HideFunctionsForTesting(c.hideFunctions);
    size_t framesAtReport = 0;
    size_t framesAfter = 0;
    Run("ssaver.scr /t", [&](int n) {
        if (n == 1) {
            Report(c.setting, c.dataLength, c.state);
            SendMessageA(saver_.mainWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                         0);  // no report at all
            framesAtReport = saver_.readings.size();
        }
        framesAfter = saver_.readings.size();
        return n < 4;
    });
    EXPECT_TRUE(saver_.Ended());
    EXPECT_GT(framesAfter, framesAtReport + 5);
}

const GUID OtherSetting = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x48}};

INSTANTIATE_TEST_SUITE_P(
    Reports, DisplayPowerIgnores,
    ::testing::Values(IgnoredReport{"WithoutTheFunction", true, ConsoleDisplayState, 4, DisplayStateOff},
                      IgnoredReport{"AboutAnotherSetting", false, OtherSetting, 4, DisplayStateOff},
                      IgnoredReport{"WithAShortState", false, ConsoleDisplayState, 2, DisplayStateOff},
                      IgnoredReport{"OfAnUnknownState", false, ConsoleDisplayState, 4, 7}),
    [](const ::testing::TestParamInfo<IgnoredReport>& info) { return std::string(info.param.name); });

}  // namespace
