#include "util/frame_timer_state.h"

double FrameTimerState::Command(int32_t command) {
    if (!initialised_) {
        int64_t frequency = 0;
        // A counter that reports no ticks per second could not measure anything.
        usesCounter_ = clock_.CounterFrequency(&frequency) && frequency > 0;
        ticksPerSecond_ = usesCounter_ ? frequency : 0;
        initialised_ = true;
    }
    return usesCounter_ ? CounterCommand(command) : MillisecondCommand(command);
}

// While paused, every command except start and absolute sees the frozen stop moment.
static bool SeesLiveClock(int32_t command) {
    return command == TimerStart || command == TimerAbsolute;
}

double FrameTimerState::CounterCommand(int32_t command) {
    const int64_t now = (stopTicks_ != 0 && !SeesLiveClock(command)) ? stopTicks_ : clock_.CounterTicks();
    switch (command) {
        case TimerReset:
            baseTicks_ = now;
            lastElapsedTicks_ = now;
            stopTicks_ = 0;
            stopped_ = false;
            return 0.0;
        case TimerStart:
            if (stopped_) {
                baseTicks_ += now - stopTicks_;
            }
            stopTicks_ = 0;
            lastElapsedTicks_ = now;
            stopped_ = false;
            return 0.0;
        case TimerStop:
            stopTicks_ = now;
            lastElapsedTicks_ = now;
            stopped_ = true;
            return 0.0;
        case TimerAdvance:
            stopTicks_ += ticksPerSecond_ / 10;
            return 0.0;
        case TimerAbsolute:
            return TicksToSeconds(now);
        case TimerAppTime:
            return TicksToSeconds(now - baseTicks_);
        case TimerElapsed: {
            const double elapsed = TicksToSeconds(now - lastElapsedTicks_);
            lastElapsedTicks_ = now;
            return elapsed;
        }
        default:
            return -1.0;
    }
}

double FrameTimerState::MillisecondCommand(int32_t command) {
    const double now = (stopSeconds_ != 0.0 && !SeesLiveClock(command))
                           ? stopSeconds_
                           : static_cast<double>(clock_.Milliseconds()) * 0.001;
    switch (command) {
        case TimerReset:
            baseSeconds_ = now;
            lastElapsedSeconds_ = now;
            stopSeconds_ = 0.0;
            stopped_ = false;
            return 0.0;
        case TimerStart:
            if (stopped_) {
                baseSeconds_ += now - stopSeconds_;
            }
            stopSeconds_ = 0.0;
            lastElapsedSeconds_ = now;
            stopped_ = false;
            return 0.0;
        case TimerStop:
            stopSeconds_ = now;
            lastElapsedSeconds_ = now;
            stopped_ = true;
            return 0.0;
        case TimerAdvance:
            stopSeconds_ += 0.1;
            return 0.0;
        case TimerAbsolute:
            return now;
        case TimerAppTime:
            return now - baseSeconds_;
        case TimerElapsed: {
            const double elapsed = now - lastElapsedSeconds_;
            lastElapsedSeconds_ = now;
            return elapsed;
        }
        default:
            return -1.0;
    }
}
