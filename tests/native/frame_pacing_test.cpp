#include "framework/frame_pacing.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(FrameRateLimit, TheSlowestScreenOrThirtyOnBattery) {
    struct Case {
        uint32_t refreshHz;
        bool battery;
        double limit;
    };
    const Case cases[] = {
        {60, false, 60}, {144, false, 144}, {75, false, 75}, {0, false, 60}, {1, false, 60},
        {60, true, 30},  {144, true, 30},   {24, true, 24},  {0, true, 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameRateLimit(c.refreshHz, c.battery), c.limit)
            << c.refreshHz << " Hz, battery " << c.battery;
    }
}

// Frames started at the given moments, in microseconds, at 50 frames a second (20 ms):
// the wait before each.
TEST(FramePacer, KeepsItsRhythmThroughSmallDelaysAndStartsANewOneAfterALongOne) {
    struct Step {
        int64_t now;   // the loop looks at the clock
        int64_t wait;  // and waits this long
        bool started;  // or starts a frame
    };
    const int64_t start = 5000000000000;  // days after the machine started
    const std::vector<Step> steps = {
        {0, 0, true},                              // the first frame is due at once
        {5000, 15000, false},                      // the next at 20 ms
        {20000, 0, true},       {43000, 0, true},  // 3 ms late: the next is still due at 60 ms
        {50000, 10000, false},  {60000, 0, true},
        {200000, 0, true},                          // far too late: no burst of frames to catch up
        {205000, 15000, false},                     // a new rhythm from 200 ms
        {220000, 0, true},      {100000, 0, true},  // the clock went back: no long wait
        {110000, 10000, false},                     // a new rhythm from 100 ms
    };
    FramePacer pacer(50.0);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(pacer.Wait(start + steps[i].now), steps[i].wait) << "step " << i;
        if (steps[i].started) {
            pacer.FrameStarted(start + steps[i].now);
        }
    }
}

// However often the loop wakes, no second holds more frames than the rate allows.
TEST(FramePacer, NeverDrawsMoreFramesThanTheRate) {
    for (const double rate : {30.0, 60.0, 144.0}) {
        FramePacer pacer(rate);
        int frames = 0;
        for (int64_t now = 0; now < 1000000; now += 500) {  // woken every half millisecond
            if (pacer.Wait(now) == 0) {
                pacer.FrameStarted(now);
                ++frames;
            }
        }
        EXPECT_LE(frames, rate + 1) << rate;
        EXPECT_GE(frames, rate - 1) << rate;
    }
    FramePacer stalled(0.0);
    EXPECT_EQ(stalled.Rate(), 1.0) << "no rate at all counts as one frame a second";
}

// The saver's loop on a renderer that needs `render(now)` microseconds for a frame begun
// at `now` before the next can begin, waking from its waits on whole milliseconds, and
// up to `wakeJitter` microseconds after them, as a system timer's ticks may.
// Every frame's start, in microseconds.
std::vector<int64_t> RunLoop(FramePacer& pacer, int64_t seconds,
                             const std::function<int64_t(int64_t)>& render, int64_t wakeJitter = 0) {
    std::vector<int64_t> starts;
    int64_t wakes = 0;
    for (int64_t now = 0; now < seconds * 1000000;) {
        const int64_t wait = pacer.Wait(now);
        if (wait > 0) {
            now += (wait + 999) / 1000 * 1000 + (wakeJitter > 0 ? ++wakes * 7919 % wakeJitter : 0);
            continue;
        }
        pacer.FrameStarted(now);
        starts.push_back(now);
        now += render(now);
    }
    return starts;
}

// A machine that cannot draw at the screen's rate draws at a whole fraction of it, evenly,
// and goes back to the full rate once it can again.
TEST(FramePacer, FallsBackToAnEvenFractionOfTheRateWhileTheMachineCannotKeepUp) {
    struct Case {
        const char* name;
        std::function<int64_t(int64_t)> render;
        int64_t seconds;
        double rate;  // at the end
        double limit = 60;
        int64_t wakeJitter = 0;
    };
    const Case cases[] = {
        {"keeps up", [](int64_t) { return 5000; }, 10, 60},
        {"a little slow", [](int64_t) { return 20000; }, 15, 30},  // a faster rate tried at 10 s fails
        {"slow", [](int64_t) { return 40000; }, 15, 20},
        {"slow, then fast again", [](int64_t now) { return now < 10000000 ? 20000 : 5000; }, 40, 60},
        // Late wake-ups are not a slow machine, even where they are a quarter of a frame.
        {"240 Hz, woken late", [](int64_t) { return 1500; }, 30, 240, 240, 1000},
    };
    for (const Case& c : cases) {
        FramePacer pacer(c.limit);
        const std::vector<int64_t> starts = RunLoop(pacer, c.seconds, c.render, c.wakeJitter);
        EXPECT_EQ(pacer.Rate(), c.rate) << c.name;
        // The last second's frames: as many as the rate, evenly apart.
        const int64_t interval = static_cast<int64_t>(1000000 / c.rate);
        const int64_t last = starts.back();
        int frames = 0;
        for (size_t i = starts.size() - 1; i > 0 && starts[i - 1] > last - 1000000; --i) {
            EXPECT_NEAR(static_cast<double>(starts[i] - starts[i - 1]), interval, 1000 + c.wakeJitter)
                << c.name;
            ++frames;
        }
        EXPECT_NEAR(frames, c.rate, 1) << c.name;
    }
}

}  // namespace
