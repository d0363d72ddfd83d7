#pragma once

#include <cstdint>

// How many frames a second are worth drawing: no more than the slowest screen shows, 60
// where a screen does not tell its rate (Direct3D reports 0 or 1 Hz for "the adapter's
// default"), and at most 30 while the machine saves its battery.
double FrameRateLimit(uint32_t slowestRefreshHz, bool savingBattery);

// Frames at even intervals of 1 / rate seconds, on a clock of microseconds that the
// caller reads. Each frame is due one interval after the one before was due, so a frame
// started a little late does not shift the ones after it; one more than an interval late
// starts a new rhythm instead of a burst of frames to catch up.
//
// Whole microseconds, not seconds in a double: a 32-bit program's Direct3D device runs
// the x87 unit at single precision, where a clock of seconds since the machine started
// loses its milliseconds.
class FramePacer {
public:
    explicit FramePacer(double framesPerSecond = 60.0) { SetRate(framesPerSecond); }

    // From the next frame on. A rate below 1 counts as 1 frame a second.
    void SetRate(double framesPerSecond);
    double Rate() const { return rate_; }

    // Microseconds from `now` until the next frame is due; 0 once it is.
    int64_t Wait(int64_t now) const;
    // A frame starts at `now`.
    void FrameStarted(int64_t now);

private:
    double rate_ = 60.0;
    int64_t interval_ = 16667;
    int64_t due_ = 0;
    bool started_ = false;  // the first frame is due at once
};
