#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/win32/power_setting_notifications.h"
#include "util/win32/frame_timer.h"
#include "support/fake_direct3d.h"
#include "support/test_saver.h"

namespace {

// The settings' GUIDs, written out here as the system documents them.
const GUID ConsoleDisplayState = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
const GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
const GUID PowerSource = {0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};
const GUID PowerSavingStatus = {0xE00958C0, 0xC213, 0x4ACE, {0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}};

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
    explicit TimedSaver(IDirect3D8* direct3dStandIn = nullptr) : TestSaver(direct3dStandIn) {}

    struct Reading {
        double time;
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
        PowerSettingNotifications::HideFunctionsForTesting(false);
        saver_.DestroyWindows();
        PumpMessages();
    }

    void Run(const char* commandLine, std::function<bool(int)> step) {
        Run(saver_, commandLine, std::move(step));
    }
    void Run(TimedSaver& saver, const char* commandLine, std::function<bool(int)> step) {
        ASSERT_EQ(saver.Start(commandLine), S_OK);
        step_ = std::move(step);
        steps_ = 0;
        current_ = this;
        running_ = &saver;
        SetTimer(saver.mainWindow, 9, 100, OnTimer);
        EXPECT_EQ(saver.RunSaver(), S_OK);
        current_ = nullptr;
    }

    LRESULT Report(DWORD state) { return Report(ConsoleDisplayState, sizeof(DWORD), state); }
    LRESULT Report(const GUID& setting, DWORD dataLength, DWORD state) {
        PowerSetting report(setting, dataLength, state);
        return SendMessageA(running_->mainWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                            reinterpret_cast<LPARAM>(report.get()));
    }

    TimedSaver saver_;
    TimedSaver* running_ = &saver_;

private:
    static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
        if (current_ == nullptr) {
            KillTimer(window, id);
        } else if (++current_->steps_ > 50) {
            KillTimer(window, id);
            ADD_FAILURE() << "the run went on for five seconds";
            current_->running_->EndSaver("the test ends it");  // a full-screen window ignores being closed
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
    EXPECT_EQ(saver_.displayTurnedOff, 1) << "the application hears of each change once";
    EXPECT_EQ(saver_.displayTurnedOn, 1);
    ASSERT_GT(saver_.readings.size(), framesAtResume) << "frames again once it dims";
    const float darkSpan = (resumedAt - offAt) / 1000.0f;
    EXPECT_GE(darkSpan, 0.2f);

    // The timer stood still in the dark, and the first frame after it goes on from there.
    EXPECT_EQ(timeWhileOff, timeAtOff);
    const TimedSaver::Reading& first = saver_.readings[framesAtResume];
    EXPECT_LT(first.elapsed, darkSpan / 2) << "the planets would leap over the dark span";
    EXPECT_NEAR(first.time - timeAtOff, first.elapsed, 0.01);
}

// Vista and 7 report only the monitor's power.
TEST_F(DisplayPower, TheMonitorsPowerStopsAndResumesFramesWhereNoConsoleReportComes) {
    size_t framesAtOff = 0;
    size_t framesWhileOff = 0;
    Run("ssaver.scr /t", [&](int n) {
        if (n == 2) {
            Report(MonitorPowerOn, sizeof(DWORD), 0);
            framesAtOff = saver_.readings.size();
        } else if (n == 5) {
            framesWhileOff = saver_.readings.size() - framesAtOff;
            Report(MonitorPowerOn, sizeof(DWORD), 1);
        }
        return n < 8;
    });
    EXPECT_EQ(framesWhileOff, 0u);
    EXPECT_GT(saver_.readings.size(), framesAtOff + 5) << "frames again";
    EXPECT_EQ(saver_.displayTurnedOff + saver_.displayTurnedOn, 2);
}

// Never more frames than the screen shows, nor than 30 a second on battery or with battery
// saver on; back to the screen's rate on mains. A busy machine may draw fewer.
TEST_F(DisplayPower, FramesFollowTheScreensRateAndSlowDownOnBattery) {
    struct Span {
        double limit;
        double perSecond;
    };
    for (const UINT refresh : {60u, 144u}) {
        FakeDirect3D fake;
        fake.desktopModes = {{1024, 768, refresh, D3DFMT_X8R8G8B8}};
        fake.modes = fake.desktopModes;
        TimedSaver saver(&fake);
        std::vector<Span> spans;
        size_t frames = 0;
        DWORD since = 0;
        auto endSpan = [&] {
            const double seconds = (GetTickCount() - since) / 1000.0;
            spans.push_back(Span{saver.FrameRateLimitNow(), (saver.readings.size() - frames) / seconds});
            frames = saver.readings.size();
            since = GetTickCount();
        };
        Run(saver, "ssaver.scr /t", [&](int n) {
            switch (n) {
                case 2:  // the first frames are behind it
                    frames = saver.readings.size();
                    since = GetTickCount();
                    return true;
                case 7:
                    endSpan();
                    Report(PowerSource, sizeof(DWORD), 1);  // battery
                    return true;
                case 12:
                    endSpan();
                    Report(PowerSource, sizeof(DWORD), 0);  // mains, but battery saver on
                    Report(PowerSavingStatus, sizeof(DWORD), 1);
                    return true;
                case 17:
                    endSpan();
                    Report(PowerSavingStatus, sizeof(DWORD), 0);
                    return true;
                case 22:
                    endSpan();
                    return false;
                default:
                    return true;
            }
        });
        EXPECT_FALSE(saver.errorMode) << std::hex << saver.errorCode;
        saver.DestroyWindows();
        PumpMessages();
        const double limits[] = {double(refresh), 30.0, 30.0, double(refresh)};
        ASSERT_EQ(spans.size(), 4u);
        for (size_t i = 0; i < spans.size(); ++i) {
            EXPECT_NEAR(spans[i].limit, limits[i], 1e-6) << refresh << " Hz, span " << i;
            EXPECT_GT(spans[i].perSecond, 0.0) << refresh << " Hz, span " << i;
            EXPECT_LE(spans[i].perSecond, limits[i] * 1.1 + 4) << refresh << " Hz, span " << i;
        }
    }
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
    PowerSettingNotifications::HideFunctionsForTesting(c.hideFunctions);
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
