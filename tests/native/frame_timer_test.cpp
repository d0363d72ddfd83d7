#include "util/frame_timer_state.h"

#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand. With `hasCounter` false it behaves like a machine
// without a performance counter and only the millisecond clock runs.
class ManualClock : public TimerClock {
public:
    explicit ManualClock(bool hasCounter) : hasCounter_(hasCounter) {}

    bool CounterFrequency(int64_t* ticksPerSecond) override {
        *ticksPerSecond = kFrequency;
        return hasCounter_;
    }
    int64_t CounterTicks() override { return static_cast<int64_t>(seconds_ * kFrequency); }
    uint32_t Milliseconds() override { return static_cast<uint32_t>(seconds_ * 1000.0 + 0.5); }

    void Advance(double seconds) { seconds_ += seconds; }

    static constexpr int64_t kFrequency = 3579545;

private:
    bool hasCounter_;
    double seconds_ = 1000.0;  // the machine has been up for a while
};

class FrameTimerTest : public ::testing::TestWithParam<bool> {
protected:
    FrameTimerTest() : clock_(GetParam()), timer_(clock_) {}

    double precision() const { return GetParam() ? 1e-6 : 1e-3; }

    ManualClock clock_;
    FrameTimerState timer_;
};

TEST_P(FrameTimerTest, ApplicationTimeStartsAtZeroAndFollowsTheClock) {
    EXPECT_EQ(timer_.Command(TimerStart), 0.0);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 0.0, precision());
    clock_.Advance(2.5);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 2.5, precision());
    EXPECT_NEAR(timer_.Command(TimerAbsolute), 1002.5, precision());
}

TEST_P(FrameTimerTest, ElapsedMeasuresSinceThePreviousElapsed) {
    timer_.Command(TimerStart);
    clock_.Advance(0.25);
    EXPECT_NEAR(timer_.Command(TimerElapsed), 0.25, precision());
    EXPECT_NEAR(timer_.Command(TimerElapsed), 0.0, precision());
    clock_.Advance(0.04);
    EXPECT_NEAR(timer_.Command(TimerElapsed), 0.04, precision());
}

TEST_P(FrameTimerTest, StopFreezesApplicationTimeButNotAbsoluteTime) {
    timer_.Command(TimerStart);
    clock_.Advance(10.0);
    timer_.Command(TimerStop);
    clock_.Advance(5.0);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 10.0, precision());
    EXPECT_NEAR(timer_.Command(TimerElapsed), 0.0, precision());
    EXPECT_NEAR(timer_.Command(TimerAbsolute), 1015.0, precision());

    // A second stop while paused keeps the first stop moment.
    timer_.Command(TimerStop);
    timer_.Command(TimerStart);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 10.0, precision()) << "the paused span is cut out";
    clock_.Advance(1.0);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 11.0, precision());
}

TEST_P(FrameTimerTest, AdvanceStepsAPausedTimerByATenth) {
    timer_.Command(TimerStart);
    clock_.Advance(3.0);
    timer_.Command(TimerStop);
    timer_.Command(TimerAdvance);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 3.1, precision());
    timer_.Command(TimerAdvance);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 3.2, precision());
}

TEST_P(FrameTimerTest, ResetRunsFromANewOrigin) {
    timer_.Command(TimerStart);
    clock_.Advance(7.0);
    EXPECT_EQ(timer_.Command(TimerReset), 0.0);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 0.0, precision());
    clock_.Advance(0.5);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 0.5, precision());

    // Reset while paused counts from the stop moment and leaves the timer running.
    timer_.Command(TimerStop);
    clock_.Advance(1.0);
    timer_.Command(TimerReset);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 1.0, precision());
    clock_.Advance(0.5);
    EXPECT_NEAR(timer_.Command(TimerAppTime), 1.5, precision()) << "a reset timer runs";
}

TEST_P(FrameTimerTest, UnknownCommandsAnswerMinusOneAndChangeNothing) {
    timer_.Command(TimerStart);
    clock_.Advance(1.0);
    EXPECT_EQ(timer_.Command(7), -1.0);
    EXPECT_EQ(timer_.Command(-1), -1.0);
    EXPECT_NEAR(timer_.Command(TimerElapsed), 1.0, precision());
}

INSTANTIATE_TEST_SUITE_P(BothClocks, FrameTimerTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "PerformanceCounter" : "Milliseconds";
                         });

TEST(FrameTimer, ACounterWithoutTicksFallsBackToMilliseconds) {
    class ZeroFrequencyClock : public ManualClock {
    public:
        ZeroFrequencyClock() : ManualClock(true) {}
        bool CounterFrequency(int64_t* ticksPerSecond) override {
            *ticksPerSecond = 0;
            return true;
        }
    } clock;
    FrameTimerState timer(clock);
    timer.Command(TimerStart);
    clock.Advance(2.0);
    EXPECT_NEAR(timer.Command(TimerAppTime), 2.0, 1e-3);
}

}  // namespace
