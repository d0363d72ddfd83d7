#pragma once

#include <cstdint>

// Commands of the frame timer; other values answer -1.0 and change nothing.
enum TimerCommand : int32_t {
    TimerReset = 0,     // run from a new origin
    TimerStart = 1,     // run, cutting any paused span out of application time
    TimerStop = 2,      // pause
    TimerAdvance = 3,   // move a paused timer forward by 0.1 s
    TimerAbsolute = 4,  // seconds of the live clock
    TimerAppTime = 5,   // seconds since the start, without paused time
    TimerElapsed = 6,   // seconds since the previous TimerElapsed (or reset, start, stop)
};

// The clocks the timer reads. The product uses the performance counter and timeGetTime;
// tests inject their own.
class TimerClock {
public:
    virtual ~TimerClock() = default;
    // Frequency of the high-resolution counter; false when the machine has none.
    virtual bool CounterFrequency(int64_t* ticksPerSecond) = 0;
    virtual int64_t CounterTicks() = 0;
    virtual uint32_t Milliseconds() = 0;
};

// State of the frame timer. The choice between the counter and the millisecond clock
// is made on the first command and holds for the life of the object; the two forms
// keep separate fields and are never mixed.
class FrameTimerState {
public:
    explicit FrameTimerState(TimerClock& clock) : clock_(clock) {}

    double Command(int32_t command);

private:
    double CounterCommand(int32_t command);
    double MillisecondCommand(int32_t command);
    double TicksToSeconds(int64_t ticks) const {
        return static_cast<double>(ticks) / static_cast<double>(ticksPerSecond_);
    }

    TimerClock& clock_;
    bool initialised_ = false;
    bool usesCounter_ = false;
    int64_t ticksPerSecond_ = 0;

    // High-resolution form, in counter ticks.
    int64_t stopTicks_ = 0;
    int64_t lastElapsedTicks_ = 0;
    int64_t baseTicks_ = 0;

    // Low-resolution form, in seconds.
    double stopSeconds_ = 0.0;
    double lastElapsedSeconds_ = 0.0;
    double baseSeconds_ = 0.0;

    // The timer starts paused: the first TimerStart makes application time 0.
    bool stopped_ = true;
};
