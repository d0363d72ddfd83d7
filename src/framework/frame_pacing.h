#pragma once

#include <cstdint>

// How many frames a second are worth drawing: no more than the slowest screen shows, 60
// where a screen does not tell its rate (Direct3D reports 0 or 1 Hz for "the adapter's
// default"), and at most 30 while the machine saves its battery.
double FrameRateLimit(uint32_t slowestRefreshHz, bool savingBattery);

// Frames at even intervals, on a clock of microseconds that the caller reads. Each frame
// is due one interval after the one before was due, so a frame started a little late
// does not shift the ones after it; one more than an interval late starts a new rhythm
// instead of a burst of frames to catch up.
//
// The interval is 1 / limit, or a whole multiple of it while the machine cannot keep up:
// when more than a quarter of a second's frames start late, frames are drawn at half the
// limit (then a third, a quarter), evenly, rather than back to back at whatever rate the
// renderer manages. A renderer that is still drawing the last frame makes the next one
// wait for it, and on a small machine that wait takes the processor from the renderer
// itself. Every so often the pacer tries the next faster rate again.
//
// Whole microseconds, not seconds in a double: exact however long the machine has run,
// even where a Direct3D device has set the x87 unit of a 32-bit program to single
// precision (ours keep it, with D3DCREATE_FPU_PRESERVE).
class FramePacer {
public:
    explicit FramePacer(double framesPerSecond = 60.0) { SetRate(framesPerSecond); }

    // The limit, from the next frame on; a limit below 1 counts as 1 frame a second.
    void SetRate(double framesPerSecond);
    double Limit() const { return limit_; }
    // Frames a second now: the limit divided by how far the machine falls behind it.
    double Rate() const { return limit_ / divisor_; }

    // Microseconds from `now` until the next frame is due; 0 once it is.
    int64_t Wait(int64_t now) const;
    // A frame starts at `now`.
    void FrameStarted(int64_t now);

private:
    void UseDivisor(int divisor);
    void JudgeSecond();

    double limit_ = 60.0;
    int divisor_ = 1;
    int64_t interval_ = 16667;
    int64_t due_ = 0;
    bool started_ = false;  // the first frame is due at once
    int framesJudged_ = 0;  // since the last judgement, and how many of them came late
    int lateFrames_ = 0;
    int secondsToRetry_ = 0;  // until a faster rate is tried again
    int retryWait_ = 0;       // seconds, doubled each time a retry fails
};
